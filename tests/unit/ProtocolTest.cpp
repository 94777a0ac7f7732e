#include "net/Protocol.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Protocol::Bytes;

Bytes payloadOf(const Bytes& frame)
{
    return Bytes(frame.begin() + Protocol::HeaderSize, frame.end());
}

Protocol::DecodeResult decodeConsole(const Bytes& payload, Protocol::ConsoleMessage& message)
{
    return Protocol::decode(payload.data(), payload.size(), message);
}

TEST(ProtocolTest, GameMessagesAreFramedByteForByte)
{
    EXPECT_EQ(Protocol::encode(Protocol::Interaction{24}),
        (Bytes{0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0x18}));
    EXPECT_EQ(Protocol::encode(Protocol::PlayerMoved{}), (Bytes{0, 0, 0, 4, 0, 0, 0, 1}));
    EXPECT_EQ(Protocol::encode(Protocol::PlayerLost{}), (Bytes{0, 0, 0, 4, 0, 0, 0, 2}));
    EXPECT_EQ(Protocol::encode(Protocol::MonsterPosition{3, 258}),
        (Bytes{0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 1, 2}));
    EXPECT_EQ(Protocol::encode(Protocol::ObjectPosition{-1, 0}),
        (Bytes{0, 0, 0, 12, 0, 0, 0, 4, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 0}));
}

TEST(ProtocolTest, ConsoleMessagesAreFramedByteForByte)
{
    EXPECT_EQ(Protocol::encode(Protocol::LoadMap{2, {8, 11}}),
        (Bytes{0, 0, 0, 20, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 8, 0, 0, 0, 11}));
    EXPECT_EQ(Protocol::encode(Protocol::ShockMonster{true}), (Bytes{0, 0, 0, 5, 0, 0, 0, 3, 1}));

    Protocol::EndOfGame end;
    end.bills = 1.5f;
    end.counters.reboot = 7;
    const Bytes frame = Protocol::encode(end);
    ASSERT_EQ(frame.size(), 4u + 32u);
    EXPECT_EQ((Bytes(frame.begin() + 4, frame.begin() + 12)),
        (Bytes{0, 0, 0, 6, 0x00, 0x00, 0xc0, 0x3f}));
    EXPECT_EQ((Bytes(frame.end() - 4, frame.end())), (Bytes{0, 0, 0, 7}));
}

TEST(ProtocolTest, EveryMessageSurvivesTheRoundTrip)
{
    Protocol::EndOfGame end;
    end.bills = 812.25f;
    end.counters = {1, 2, 3, 4, 5, -6};
    const Protocol::ConsoleMessage sent[] = {Protocol::UpdateDoor{13}, Protocol::LoadMap{6, {8, 9, 22}},
        Protocol::SendMonsterPosition{}, Protocol::ShockMonster{false}, Protocol::SendObjectPosition{7},
        Protocol::PowerOn{}, end};
    for (const auto& message : sent) {
        Protocol::ConsoleMessage received;
        const auto result = decodeConsole(payloadOf(Protocol::encode(message)), received);
        ASSERT_EQ(result.status, Protocol::DecodeStatus::Ok);
        EXPECT_EQ(result.code, static_cast<std::int32_t>(message.index()));
        ASSERT_EQ(received.index(), message.index());
        EXPECT_EQ(Protocol::encode(received), Protocol::encode(message));
    }

    const Protocol::GameMessage reports[] = {Protocol::Interaction{5}, Protocol::PlayerMoved{},
        Protocol::PlayerLost{}, Protocol::MonsterPosition{4, 9}, Protocol::ObjectPosition{12, 1}};
    for (const auto& message : reports) {
        const Bytes payload = payloadOf(Protocol::encode(message));
        Protocol::GameMessage received;
        ASSERT_EQ(Protocol::decode(payload.data(), payload.size(), received).status,
            Protocol::DecodeStatus::Ok);
        EXPECT_EQ(Protocol::encode(received), Protocol::encode(message));
    }
}

TEST(ProtocolTest, PayloadShortOfItsFixedFieldsIsRefusedWhole)
{
    const Bytes shortPayloads[] = {
        {},
        {0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0},                                 // UpdateDoor without its value
        {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0},                     // LoadMap without a whole n
        {0, 0, 0, 3},                                          // ShockMonster without its Bool
        {0, 0, 0, 6, 0, 0, 0x80, 0x3f, 0, 0, 0, 1, 0, 0, 0},  // EndOfGame cut in its counters
    };
    for (const Bytes& payload : shortPayloads) {
        Protocol::ConsoleMessage message = Protocol::PowerOn{};
        EXPECT_EQ(decodeConsole(payload, message).status, Protocol::DecodeStatus::TooShort);
        EXPECT_TRUE(std::holds_alternative<Protocol::PowerOn>(message));
    }

    Protocol::GameMessage report;
    const Bytes shortReport{0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(Protocol::decode(shortReport.data(), shortReport.size(), report).status,
        Protocol::DecodeStatus::TooShort);
}

TEST(ProtocolTest, LoadMapReadsNoMoreDoorsThanClaimedOrPresent)
{
    Protocol::ConsoleMessage message;
    const Bytes claimsTooMany{0, 0, 0, 1, 0, 0, 0, 0, 0x7f, 0xff, 0xff, 0xff, 0, 0, 0, 10, 0, 0, 0, 12, 0, 0};
    ASSERT_EQ(decodeConsole(claimsTooMany, message).status, Protocol::DecodeStatus::Ok);
    EXPECT_EQ(std::get<Protocol::LoadMap>(message).doors, (std::vector<std::int32_t>{10, 12}));

    const Bytes claimsFewer{0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 0, 12};
    ASSERT_EQ(decodeConsole(claimsFewer, message).status, Protocol::DecodeStatus::Ok);
    EXPECT_EQ(std::get<Protocol::LoadMap>(message).map, 3);
    EXPECT_EQ(std::get<Protocol::LoadMap>(message).doors, (std::vector<std::int32_t>{10}));

    const Bytes negative{0, 0, 0, 1, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xfe, 0, 0, 0, 10};
    ASSERT_EQ(decodeConsole(negative, message).status, Protocol::DecodeStatus::Ok);
    EXPECT_TRUE(std::get<Protocol::LoadMap>(message).doors.empty());
}

TEST(ProtocolTest, UnknownCodesAreNamedAndRefused)
{
    Protocol::ConsoleMessage message;
    const Bytes past{0, 0, 0, 7, 1, 2, 3};
    const Bytes negative{0xff, 0xff, 0xff, 0xff};
    EXPECT_EQ(decodeConsole(past, message).status, Protocol::DecodeStatus::UnknownCode);
    EXPECT_EQ(decodeConsole(past, message).code, 7);
    EXPECT_EQ(decodeConsole(negative, message).status, Protocol::DecodeStatus::UnknownCode);
    EXPECT_STREQ(Protocol::consoleMessageName(7), "unknown");
    EXPECT_STREQ(Protocol::consoleMessageName(1), "LoadMap");
    EXPECT_STREQ(Protocol::gameMessageName(-1), "unknown");
    EXPECT_STREQ(Protocol::gameMessageName(4), "ObjectPosition");

    Protocol::GameMessage report;
    const Bytes unknownReport{0, 0, 0, 5};
    EXPECT_EQ(Protocol::decode(unknownReport.data(), unknownReport.size(), report).status,
        Protocol::DecodeStatus::UnknownCode);
}

TEST(ProtocolTest, AnyNonZeroByteIsTrueAndExtraBytesAreIgnored)
{
    Protocol::ConsoleMessage message;
    const Bytes shock{0, 0, 0, 3, 0x40, 0xaa, 0xbb};
    ASSERT_EQ(decodeConsole(shock, message).status, Protocol::DecodeStatus::Ok);
    EXPECT_TRUE(std::get<Protocol::ShockMonster>(message).reboot);
}

}
