#include "net/Protocol.hpp"

#include <gtest/gtest.h>

namespace {

using Protocol::Bytes;
using Protocol::DecodeStatus;

template <typename Message> struct WireCase {
    Message message;
    Bytes frame;
};

// Each message encodes to exactly its frame, and its payload decodes back to
// the same message.
template <typename Message> void expectOnTheWire(const std::vector<WireCase<Message>>& cases)
{
    for (const WireCase<Message>& row : cases) {
        SCOPED_TRACE(testing::PrintToString(row.frame));
        EXPECT_EQ(Protocol::encode(row.message), row.frame);
        Message decoded;
        const auto result = Protocol::decode(row.frame.data() + Protocol::HeaderSize,
                                             row.frame.size() - Protocol::HeaderSize, decoded);
        ASSERT_EQ(result.status, DecodeStatus::Ok);
        EXPECT_EQ(result.code, static_cast<std::int32_t>(row.message.index()));
        EXPECT_EQ(Protocol::encode(decoded), row.frame);
    }
}

Protocol::DecodeResult decodeConsole(const Bytes& payload, Protocol::ConsoleMessage& message)
{
    return Protocol::decode(payload.data(), payload.size(), message);
}

TEST(ProtocolTest, GameMessagesTravelByteForByte)
{
    expectOnTheWire<Protocol::GameMessage>({
        {Protocol::Interaction{24}, {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0x18}},
        {Protocol::PlayerMoved{}, {0, 0, 0, 4, 0, 0, 0, 1}},
        {Protocol::PlayerLost{}, {0, 0, 0, 4, 0, 0, 0, 2}},
        {Protocol::MonsterPosition{3, 258}, {0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 1, 2}},
        {Protocol::ObjectPosition{-1, 0},
         {0, 0, 0, 12, 0, 0, 0, 4, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0}},
    });
}

TEST(ProtocolTest, ConsoleMessagesTravelByteForByte)
{
    Protocol::EndOfGame end;
    end.bills = 1.5f;
    end.counters = {1, 2, 3, 4, 5, -6};
    expectOnTheWire<Protocol::ConsoleMessage>({
        {Protocol::UpdateDoor{13}, {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 13}},
        {Protocol::LoadMap{2, {8, 11}},
         {0, 0, 0, 20, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 8, 0, 0, 0, 11}},
        {Protocol::SendMonsterPosition{}, {0, 0, 0, 4, 0, 0, 0, 2}},
        {Protocol::ShockMonster{true}, {0, 0, 0, 5, 0, 0, 0, 3, 1}},
        {Protocol::ShockMonster{false}, {0, 0, 0, 5, 0, 0, 0, 3, 0}},
        {Protocol::SendObjectPosition{7}, {0, 0, 0, 8, 0, 0, 0, 4, 0, 0, 0, 7}},
        {Protocol::PowerOn{}, {0, 0, 0, 4, 0, 0, 0, 5}},
        {end, {0, 0, 0, 32, 0, 0, 0, 6, 0x00, 0x00, 0xc0, 0x3f, 0, 0, 0,    1,    0,    0,
               0, 2, 0, 0,  0, 3, 0, 0, 0,    4,    0,    0,    0, 5, 0xff, 0xff, 0xff, 0xfa}},
    });
}

TEST(ProtocolTest, PayloadShortOfItsFixedFieldsIsRefusedWhole)
{
    const Bytes shortPayloads[] = {
        {},
        {0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0},                               // UpdateDoor without its value
        {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0},                   // LoadMap without a whole n
        {0, 0, 0, 3},                                        // ShockMonster without its Bool
        {0, 0, 0, 6, 0, 0, 0x80, 0x3f, 0, 0, 0, 1, 0, 0, 0}, // EndOfGame cut in its counters
    };
    for (const Bytes& payload : shortPayloads) {
        Protocol::ConsoleMessage message = Protocol::PowerOn{};
        EXPECT_EQ(decodeConsole(payload, message).status, DecodeStatus::TooShort);
        EXPECT_TRUE(std::holds_alternative<Protocol::PowerOn>(message));
    }

    Protocol::GameMessage report;
    const Bytes shortReport{0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(Protocol::decode(shortReport.data(), shortReport.size(), report).status,
              DecodeStatus::TooShort);
}

TEST(ProtocolTest, LoadMapReadsNoMoreDoorsThanClaimedOrPresent)
{
    const struct {
        Bytes payload;
        std::vector<std::int32_t> doors;
    } cases[] = {
        {{0, 0, 0, 1, 0, 0, 0, 3, 0x7f, 0xff, 0xff, 0xff, 0, 0, 0, 10, 0, 0, 0, 12, 0, 0},
         {10, 12}},
        {{0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 0, 12}, {10}},
        {{0, 0, 0, 1, 0, 0, 0, 3, 0xff, 0xff, 0xff, 0xfe, 0, 0, 0, 10}, {}},
    };
    for (const auto& row : cases) {
        Protocol::ConsoleMessage message;
        ASSERT_EQ(decodeConsole(row.payload, message).status, DecodeStatus::Ok);
        EXPECT_EQ(std::get<Protocol::LoadMap>(message).map, 3);
        EXPECT_EQ(std::get<Protocol::LoadMap>(message).doors, row.doors);
    }
}

TEST(ProtocolTest, UnknownCodesAreNamedAndRefused)
{
    Protocol::ConsoleMessage message;
    const Bytes past{0, 0, 0, 7, 1, 2, 3};
    const Bytes negative{0xff, 0xff, 0xff, 0xff};
    EXPECT_EQ(decodeConsole(past, message).status, DecodeStatus::UnknownCode);
    EXPECT_EQ(decodeConsole(past, message).code, 7);
    EXPECT_EQ(decodeConsole(negative, message).status, DecodeStatus::UnknownCode);
    EXPECT_STREQ(Protocol::consoleMessageName(7), "unknown");
    EXPECT_STREQ(Protocol::consoleMessageName(1), "LoadMap");
    EXPECT_STREQ(Protocol::gameMessageName(-1), "unknown");
    EXPECT_STREQ(Protocol::gameMessageName(4), "ObjectPosition");

    Protocol::GameMessage report;
    const Bytes unknownReport{0, 0, 0, 5};
    EXPECT_EQ(Protocol::decode(unknownReport.data(), unknownReport.size(), report).status,
              DecodeStatus::UnknownCode);
}

TEST(ProtocolTest, AnyNonZeroByteIsTrueAndExtraBytesAreIgnored)
{
    Protocol::ConsoleMessage message;
    const Bytes shock{0, 0, 0, 3, 0x40, 0xaa, 0xbb};
    ASSERT_EQ(decodeConsole(shock, message).status, DecodeStatus::Ok);
    EXPECT_TRUE(std::get<Protocol::ShockMonster>(message).reboot);
}

} // namespace
