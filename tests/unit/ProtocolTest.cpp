#include "common/Protocol.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace {

using namespace Protocol;

template <typename Message> struct WireCase {
    Message message;
    Bytes frame;
};

// Each message encodes to exactly its frame, and its payload decodes back to the same message.
template <typename Message> void expectOnTheWire(const std::vector<WireCase<Message>>& cases)
{
    for (const WireCase<Message>& row : cases) {
        SCOPED_TRACE(testing::PrintToString(row.frame));
        EXPECT_EQ(encode(row.message), row.frame);
        Message decoded;
        EXPECT_EQ(
            decode(row.frame.data() + HeaderSize, row.frame.size() - HeaderSize, decoded).status,
            DecodeStatus::Ok);
        EXPECT_EQ(encode(decoded), row.frame);
    }
}

TEST(ProtocolTest, EveryMessageTravelsByteForByte)
{
    expectOnTheWire<GameMessage>({
        {Interaction{24}, {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0x18}},
        {PlayerMoved{}, {0, 0, 0, 4, 0, 0, 0, 1}},
        {PlayerLost{}, {0, 0, 0, 4, 0, 0, 0, 2}},
        {MonsterPosition{3, 258}, {0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 1, 2}},
        {ObjectPosition{-1, 0}, {0, 0, 0, 12, 0, 0, 0, 4, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0}},
    });

    expectOnTheWire<ConsoleMessage>({
        {UpdateDoor{13}, {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 13}},
        {LoadMap{2, {8, 11}},
         {0, 0, 0, 20, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 8, 0, 0, 0, 11}},
        {SendMonsterPosition{}, {0, 0, 0, 4, 0, 0, 0, 2}},
        {ShockMonster{true}, {0, 0, 0, 5, 0, 0, 0, 3, 1}},
        {ShockMonster{false}, {0, 0, 0, 5, 0, 0, 0, 3, 0}},
        {SendObjectPosition{7}, {0, 0, 0, 8, 0, 0, 0, 4, 0, 0, 0, 7}},
        {PowerOn{}, {0, 0, 0, 4, 0, 0, 0, 5}},
        {EndOfGame{1.5f, {1, 2, 3, 4, 5, -6}},
         {0, 0, 0, 32, 0, 0, 0, 6, 0x00, 0x00, 0xc0, 0x3f, 0, 0, 0,    1,    0,    0,
          0, 2, 0, 0,  0, 3, 0, 0, 0,    4,    0,    0,    0, 5, 0xff, 0xff, 0xff, 0xfa}},
    });
}

// A payload short of its message's fixed fields, or of a known code, is refused whole, leaving
// the message as it was. LoadMap takes no more doors than it claims or carries; any non-zero byte
// is true; bytes past the fields are ignored.
TEST(ProtocolTest, PayloadsDecodeToTheirFieldsOrAreRefusedWholeAndUnknownCodesAreNamed)
{
    constexpr DecodeStatus Ok = DecodeStatus::Ok, TooShort = DecodeStatus::TooShort,
                           Unknown = DecodeStatus::UnknownCode;
    // The payload, how it decodes, and the message it leaves.
    const std::tuple<Bytes, DecodeResult, ConsoleMessage> cases[] = {
        {{}, {TooShort, 0}, PowerOn{}},
        {{0, 0, 0}, {TooShort, 0}, PowerOn{}},
        {{0, 0, 0, 0, 0, 0, 0}, {TooShort, 0}, PowerOn{}},
        {{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, {TooShort, 1}, PowerOn{}},
        {{0, 0, 0, 3}, {TooShort, 3}, PowerOn{}},
        {{0, 0, 0, 6, 0, 0, 0x80, 0x3f, 0, 0, 0, 1, 0, 0, 0}, {TooShort, 6}, PowerOn{}},
        {{0, 0, 0, 7, 1, 2, 3}, {Unknown, 7}, PowerOn{}},
        {{0xff, 0xff, 0xff, 0xff}, {Unknown, -1}, PowerOn{}},
        {{0, 0, 0, 1, 0, 0, 0, 3, 0x7f, 0xff, 0xff, 0xff, 0, 0, 0, 10, 0, 0, 0, 12, 0, 0},
         {Ok, 1},
         LoadMap{3, {10, 12}}},
        {{0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 0, 12}, {Ok, 1}, LoadMap{3, {10}}},
        {{0, 0, 0, 1, 0, 0, 0, 3, 0xff, 0xff, 0xff, 0xfe, 0, 0, 0, 10}, {Ok, 1}, LoadMap{3, {}}},
        {{0, 0, 0, 3, 0x40, 0xaa, 0xbb}, {Ok, 3}, ShockMonster{true}},
    };
    for (const auto& [payload, expected, decoded] : cases) {
        SCOPED_TRACE(testing::PrintToString(payload));
        ConsoleMessage message = PowerOn{};
        const DecodeResult result = decode(payload.data(), payload.size(), message);
        EXPECT_EQ(result.status, expected.status);
        EXPECT_EQ(result.code, expected.code);
        EXPECT_EQ(encode(message), encode(decoded));
    }

    // Reports the game cannot have sent are refused too; unknown codes are named as such.
    GameMessage report;
    for (const auto& [payload, status] :
         {std::pair{Bytes{0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0}, DecodeStatus::TooShort},
          std::pair{Bytes{0, 0, 0, 5}, DecodeStatus::UnknownCode}})
        EXPECT_EQ(decode(payload.data(), payload.size(), report).status, status);
    EXPECT_STREQ(consoleMessageName(7), "unknown");
    EXPECT_STREQ(consoleMessageName(1), "LoadMap");
    EXPECT_STREQ(gameMessageName(-1), "unknown");
    EXPECT_STREQ(gameMessageName(4), "ObjectPosition");
}

} // namespace
