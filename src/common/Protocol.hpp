#pragma once

#include "common/OperatorCounters.hpp"

#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

// The messages between the game and the operator console, defined once for both programs.
//
// On the wire every message is one frame: a 4-byte big-endian payload length, then the payload,
// which is an Int32 code followed by the message's fields back to back. Int32 is big-endian two's
// complement, Bool is one byte (non-zero is true), Float is the four bytes of the float as it lies
// in memory (little-endian on our machines). Codes are numbered separately in each direction, and
// each message variant below lists its alternatives in code order.
namespace Protocol {

using Bytes = std::vector<std::uint8_t>;

// The console listens on this TCP port and the game connects to it.
constexpr unsigned short Port = 3000;

// Bytes of the length header before each payload.
constexpr std::size_t HeaderSize = 4;
// Bytes of an Int32 field, the code that opens every payload among them.
constexpr std::size_t IntSize = 4;
// A frame that claims a longer payload breaks the connection: nothing we send comes near it, and
// a peer must not make us buffer whatever it claims.
constexpr std::size_t MaxPayloadSize = 64 * 1024;
// Bytes a peer that does not read may leave waiting before we give up on it.
constexpr std::size_t MaxQueuedBytes = 1024 * 1024;

// Messages from the game to the console.
namespace GameCode {
enum : std::int32_t {
    Interaction = 0,     // format: Int32 code, Int32 cell value (object 3 to 7, or the exit 24)
    PlayerMoved = 1,     // format: Int32 code
    PlayerLost = 2,      // format: Int32 code
    MonsterPosition = 3, // format: Int32 code, Int32 column, Int32 row ((0, 0) when absent)
    ObjectPosition = 4,  // format: Int32 code, Int32 column, Int32 row ((0, 0) when unknown)
};
}

// Messages from the console to the game.
namespace ConsoleCode {
enum : std::int32_t {
    UpdateDoor = 0,          // format: Int32 code, Int32 door value (even closes, odd opens)
    LoadMap = 1,             // format: Int32 code, Int32 map index, Int32 n, n x Int32 door value
    SendMonsterPosition = 2, // format: Int32 code
    ShockMonster = 3,        // format: Int32 code, Bool reboot
    SendObjectPosition = 4,  // format: Int32 code, Int32 object value
    PowerOn = 5,             // format: Int32 code
    EndOfGame = 6,           // format: Int32 code, Float bills, 6 x Int32 counter (in
                             //         CounterOrder: doorOpen, doorClose, scan, detection,
                             //         shock, reboot)
};
}

struct Interaction {
    std::int32_t value = 0;
};
struct PlayerMoved {};
struct PlayerLost {};
struct MonsterPosition {
    std::int32_t column = 0;
    std::int32_t row = 0;
};
struct ObjectPosition {
    std::int32_t column = 0;
    std::int32_t row = 0;
};
using GameMessage =
    std::variant<Interaction, PlayerMoved, PlayerLost, MonsterPosition, ObjectPosition>;

struct UpdateDoor {
    std::int32_t value = 0;
};
struct LoadMap {
    std::int32_t map = 0;
    std::vector<std::int32_t> doors;
};
struct SendMonsterPosition {};
struct ShockMonster {
    bool reboot = false;
};
struct SendObjectPosition {
    std::int32_t value = 0;
};
struct PowerOn {};
struct EndOfGame {
    float bills = 0.f;
    OperatorCounters counters;
};
using ConsoleMessage = std::variant<UpdateDoor, LoadMap, SendMonsterPosition, ShockMonster,
    SendObjectPosition, PowerOn, EndOfGame>;

// A complete frame (length header included) for one message.
Bytes encode(const GameMessage& message);
Bytes encode(const ConsoleMessage& message);

enum class DecodeStatus {
    Ok,
    // The payload ends before the fixed fields of its message (or before the code itself): the
    // message is dropped whole rather than read with made-up fields.
    TooShort,
    // A code this direction does not have; the payload is dropped.
    UnknownCode,
};

struct DecodeResult {
    DecodeStatus status;
    // The payload's code; 0 when the payload is too short to hold one.
    std::int32_t code;
};

// Decodes one payload (a frame without its length header). On Ok, `message` holds the message;
// otherwise it is left as it was. LoadMap reads at most n door values and no more than the payload
// holds; a negative n reads none.
DecodeResult decode(const std::uint8_t* payload, std::size_t size, GameMessage& message);
DecodeResult decode(const std::uint8_t* payload, std::size_t size, ConsoleMessage& message);

// Message names for traces and logs ("LoadMap"); "unknown" for a code the direction lacks.
const char* gameMessageName(std::int32_t code);
const char* consoleMessageName(std::int32_t code);

}
