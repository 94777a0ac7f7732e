#include "operator/GameLink.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

#include <variant>

namespace {

using Bytes = RawPeer::Bytes;
using Kind = LinkEvent::Kind;

// The console's side of the link, listening, against raw games.
class ConsoleGameLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string problem;
        ASSERT_EQ(link.listen("127.0.0.1", problem), GameLink::ListenResult::Listening) << problem;
    }

    // Polls until an event of the kind arrives (or the wait ends); the events seen are kept.
    bool pollFor(Kind kind)
    {
        events.clear();
        return waitUntil([&] {
            link.poll(events);
            return std::any_of(events.begin(), events.end(),
                               [kind](const LinkEvent& event) { return event.kind == kind; });
        });
    }

    RawPeer join(int receiveBuffer = 0)
    {
        RawPeer game = RawPeer::connectTo(Protocol::Port, receiveBuffer);
        EXPECT_TRUE(pollFor(Kind::Joined));
        return game;
    }

    GameLink link;
    std::vector<LinkEvent> events;
};

TEST_F(ConsoleGameLinkTest, UnknownCodesAreSkippedBrokenFramesDropThatGameASecondIsTurnedAway)
{
    RawPeer game = join();
    game.sendFrame(RawPeer::ints({99, 1, 2}));
    game.sendFrame(RawPeer::ints({1}));
    ASSERT_TRUE(pollFor(Kind::Message));
    EXPECT_EQ(events.front().kind, Kind::Unknown);
    EXPECT_TRUE(std::holds_alternative<Protocol::PlayerMoved>(events.back().message));

    const struct {
        Bytes bytes;
        const char* reason;
    } broken[] = {
        {RawPeer::frame(RawPeer::ints({0})), "Interaction message of 4 bytes is too short"},
        {RawPeer::frame({0, 0}), "2 bytes has no code"},
        {RawPeer::ints({-1}), "4294967295 bytes is over the limit"},
    };
    for (const auto& row : broken) {
        SCOPED_TRACE(row.reason);
        game.send(row.bytes);
        ASSERT_TRUE(pollFor(Kind::Dropped));
        EXPECT_NE(events.back().text.find(row.reason), std::string::npos) << events.back().text;
        EXPECT_TRUE(game.closed());
        game = join();
    }
    RawPeer second = RawPeer::connectTo(Protocol::Port);
    EXPECT_TRUE(pollFor(Kind::Refused));
    EXPECT_TRUE(second.closed());
    EXPECT_TRUE(link.send(Protocol::SendMonsterPosition(), events));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({2}));
    game.hangUp();
    EXPECT_TRUE(pollFor(Kind::Disconnected));
}

TEST_F(ConsoleGameLinkTest, FloodsBothWaysArriveWholeAndInOrderReadAPollsShareAtATime)
{
    RawPeer game = join(4096);
    const int sends = 40000;
    for (int i = 0; i < sends; ++i)
        ASSERT_TRUE(link.send(Protocol::UpdateDoor{i}, events));
    const std::size_t moves = 100000;
    const Bytes moved = RawPeer::frame(RawPeer::ints({1}));
    Bytes flood;
    for (std::size_t i = 0; i < moves; ++i)
        flood.insert(flood.end(), moved.begin(), moved.end());
    std::thread sender([&game, &flood] { game.send(flood); });

    // A payload out of order counts past the end.
    int received = 0;
    std::size_t movesSeen = 0, largestPoll = 0;
    waitUntil(
        [&] {
            events.clear();
            link.poll(events);
            movesSeen += events.size();
            largestPoll = std::max(largestPoll, events.size());
            for (Bytes payload = game.readPayload(std::chrono::milliseconds(0)); !payload.empty();
                 payload = game.readPayload(std::chrono::milliseconds(0)))
                received += payload == RawPeer::ints({0, received}) ? 1 : sends;
            return received >= sends && movesSeen >= moves;
        },
        std::chrono::seconds(20));
    sender.join();
    EXPECT_EQ(received, sends);
    EXPECT_EQ(movesSeen, moves);
    // At most 64 KiB of 8-byte frames a poll.
    EXPECT_LE(largestPoll, 65536 / 8 + 512);
}

} // namespace
