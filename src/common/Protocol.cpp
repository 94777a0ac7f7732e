#include "common/Protocol.hpp"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>
#include <utility>

namespace Protocol {
namespace {

static_assert(std::is_same_v<std::variant_alternative_t<GameCode::ObjectPosition, GameMessage>,
    ObjectPosition>, "game messages are listed in code order");
static_assert(std::is_same_v<std::variant_alternative_t<ConsoleCode::EndOfGame, ConsoleMessage>,
    EndOfGame>, "console messages are listed in code order");
static_assert(sizeof(float) == 4, "floats travel as four bytes");

// Builds one frame: the length header is filled in by finish() once the payload is complete.
class FrameWriter {
public:
    explicit FrameWriter(std::int32_t code) : bytes(HeaderSize, 0) { writeInt(code); }

    void writeInt(std::int32_t value)
    {
        const auto bits = static_cast<std::uint32_t>(value);
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
    }

    void writeBool(bool value) { bytes.push_back(value ? 1 : 0); }

    void writeFloat(float value)
    {
        std::uint8_t raw[sizeof value];
        std::memcpy(raw, &value, sizeof value);
        bytes.insert(bytes.end(), raw, raw + sizeof raw);
    }

    Bytes finish()
    {
        const auto length = static_cast<std::uint32_t>(bytes.size() - HeaderSize);
        for (std::size_t i = 0; i < HeaderSize; ++i)
            bytes[i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
        return std::move(bytes);
    }

private:
    Bytes bytes;
};

// Reads fields from a payload whose length the caller has already checked.
class FieldReader {
public:
    explicit FieldReader(const std::uint8_t* payload) : at(payload) {}

    std::int32_t readInt()
    {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < IntSize; ++i)
            bits = (bits << 8) | at[i];
        at += IntSize;
        return static_cast<std::int32_t>(bits);
    }

    bool readBool() { return *at++ != 0; }

    float readFloat()
    {
        float value;
        std::memcpy(&value, at, sizeof value);
        at += sizeof value;
        return value;
    }

private:
    const std::uint8_t* at;
};

// Payload bytes each message needs for its code and fixed fields.
constexpr std::size_t gameMessageSize[] = {
    2 * IntSize, IntSize, IntSize, 3 * IntSize, 3 * IntSize};
constexpr std::size_t consoleMessageSize[] = {2 * IntSize,
                                              3 * IntSize,
                                              IntSize,
                                              IntSize + 1,
                                              2 * IntSize,
                                              IntSize,
                                              2 * IntSize + CounterCount* IntSize};

template <std::size_t Count>
DecodeResult check(const std::uint8_t* payload, std::size_t size,
    const std::size_t (&fixedSize)[Count])
{
    if (size < IntSize)
        return {DecodeStatus::TooShort, 0};
    const std::int32_t code = FieldReader(payload).readInt();
    if (code < 0 || code >= static_cast<std::int32_t>(Count))
        return {DecodeStatus::UnknownCode, code};
    if (size < fixedSize[code])
        return {DecodeStatus::TooShort, code};
    return {DecodeStatus::Ok, code};
}

}

Bytes encode(const GameMessage& message)
{
    FrameWriter frame(static_cast<std::int32_t>(message.index()));
    if (const auto* interaction = std::get_if<Interaction>(&message)) {
        frame.writeInt(interaction->value);
    } else if (const auto* monster = std::get_if<MonsterPosition>(&message)) {
        frame.writeInt(monster->column);
        frame.writeInt(monster->row);
    } else if (const auto* object = std::get_if<ObjectPosition>(&message)) {
        frame.writeInt(object->column);
        frame.writeInt(object->row);
    }
    return frame.finish();
}

Bytes encode(const ConsoleMessage& message)
{
    FrameWriter frame(static_cast<std::int32_t>(message.index()));
    if (const auto* door = std::get_if<UpdateDoor>(&message)) {
        frame.writeInt(door->value);
    } else if (const auto* load = std::get_if<LoadMap>(&message)) {
        frame.writeInt(load->map);
        frame.writeInt(static_cast<std::int32_t>(load->doors.size()));
        for (std::int32_t value : load->doors)
            frame.writeInt(value);
    } else if (const auto* shock = std::get_if<ShockMonster>(&message)) {
        frame.writeBool(shock->reboot);
    } else if (const auto* object = std::get_if<SendObjectPosition>(&message)) {
        frame.writeInt(object->value);
    } else if (const auto* end = std::get_if<EndOfGame>(&message)) {
        frame.writeFloat(end->bills);
        for (auto counter : CounterOrder)
            frame.writeInt(end->counters.*counter);
    }
    return frame.finish();
}

DecodeResult decode(const std::uint8_t* payload, std::size_t size, GameMessage& message)
{
    const DecodeResult result = check(payload, size, gameMessageSize);
    if (result.status != DecodeStatus::Ok)
        return result;

    FieldReader fields(payload + IntSize);
    switch (result.code) {
    case GameCode::Interaction:
        message = Interaction{fields.readInt()};
        break;
    case GameCode::PlayerMoved:
        message = PlayerMoved{};
        break;
    case GameCode::PlayerLost:
        message = PlayerLost{};
        break;
    case GameCode::MonsterPosition: {
        MonsterPosition position;
        position.column = fields.readInt();
        position.row = fields.readInt();
        message = position;
        break;
    }
    default: {
        ObjectPosition position;
        position.column = fields.readInt();
        position.row = fields.readInt();
        message = position;
        break;
    }
    }
    return result;
}

DecodeResult decode(const std::uint8_t* payload, std::size_t size, ConsoleMessage& message)
{
    const DecodeResult result = check(payload, size, consoleMessageSize);
    if (result.status != DecodeStatus::Ok)
        return result;

    FieldReader fields(payload + IntSize);
    switch (result.code) {
    case ConsoleCode::UpdateDoor:
        message = UpdateDoor{fields.readInt()};
        break;
    case ConsoleCode::LoadMap: {
        LoadMap load;
        load.map = fields.readInt();
        // A peer's n is only an upper bound: never read or reserve past the payload's end.
        const std::int32_t claimed = fields.readInt();
        const std::size_t present = (size - consoleMessageSize[ConsoleCode::LoadMap]) / IntSize;
        const std::size_t count =
            claimed <= 0 ? 0 : std::min(static_cast<std::size_t>(claimed), present);
        load.doors.reserve(count);
        for (std::size_t i = 0; i < count; ++i)
            load.doors.push_back(fields.readInt());
        message = std::move(load);
        break;
    }
    case ConsoleCode::SendMonsterPosition:
        message = SendMonsterPosition{};
        break;
    case ConsoleCode::ShockMonster:
        message = ShockMonster{fields.readBool()};
        break;
    case ConsoleCode::SendObjectPosition:
        message = SendObjectPosition{fields.readInt()};
        break;
    case ConsoleCode::PowerOn:
        message = PowerOn{};
        break;
    default: {
        EndOfGame end;
        end.bills = fields.readFloat();
        for (auto counter : CounterOrder)
            end.counters.*counter = fields.readInt();
        message = end;
        break;
    }
    }
    return result;
}

const char* gameMessageName(std::int32_t code)
{
    static const char* const names[] = {
        "Interaction", "PlayerMoved", "PlayerLost", "MonsterPosition", "ObjectPosition"};
    return code >= 0 && code < static_cast<std::int32_t>(std::size(names)) ? names[code] : "unknown";
}

const char* consoleMessageName(std::int32_t code)
{
    static const char* const names[] = {"UpdateDoor", "LoadMap", "SendMonsterPosition",
        "ShockMonster", "SendObjectPosition", "PowerOn", "EndOfGame"};
    return code >= 0 && code < static_cast<std::int32_t>(std::size(names)) ? names[code] : "unknown";
}

}
