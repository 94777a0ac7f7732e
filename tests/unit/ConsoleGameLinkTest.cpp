#include "console/GameLink.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

#include <variant>

namespace {

using Bytes = RawPeer::Bytes;
using Kind = LinkEvent::Kind;

bool has(const std::vector<LinkEvent>& events, Kind kind)
{
    return std::any_of(events.begin(), events.end(),
                       [kind](const LinkEvent& event) { return event.kind == kind; });
}

// The console's side of the link, listening, against raw games.
class ConsoleGameLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string problem;
        ASSERT_EQ(link.listen("127.0.0.1", problem), GameLink::ListenResult::Listening) << problem;
    }

    // Polls until an event of the kind arrives (or the wait ends); returns the events seen.
    std::vector<LinkEvent> pollFor(Kind kind)
    {
        std::vector<LinkEvent> events;
        waitUntil([&] {
            link.poll(events);
            return has(events, kind);
        });
        return events;
    }

    RawPeer join(int receiveBuffer = 0)
    {
        RawPeer game = RawPeer::connectTo(Protocol::Port, receiveBuffer);
        EXPECT_TRUE(has(pollFor(Kind::Joined), Kind::Joined));
        return game;
    }

    GameLink link;
};

TEST_F(ConsoleGameLinkTest, UnknownCodesAreSkippedBrokenFramesDropThatGameASecondIsTurnedAway)
{
    RawPeer game = join();
    game.sendFrame(RawPeer::ints({99, 1, 2}));
    game.sendFrame(RawPeer::ints({1}));
    std::vector<LinkEvent> events = pollFor(Kind::Message);
    EXPECT_TRUE(has(events, Kind::Unknown));
    EXPECT_TRUE(std::holds_alternative<Protocol::PlayerMoved>(events.back().message));
    EXPECT_TRUE(link.isConnected());

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
        events = pollFor(Kind::Dropped);
        ASSERT_TRUE(has(events, Kind::Dropped));
        EXPECT_NE(events.back().text.find(row.reason), std::string::npos) << events.back().text;
        EXPECT_TRUE(game.closed());
        game = join();
    }
    RawPeer second = RawPeer::connectTo(Protocol::Port);
    EXPECT_TRUE(has(pollFor(Kind::Refused), Kind::Refused));
    EXPECT_TRUE(second.closed());
    EXPECT_TRUE(link.send(Protocol::SendMonsterPosition(), events));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({2}));
    game.hangUp();
    EXPECT_TRUE(has(pollFor(Kind::Disconnected), Kind::Disconnected));
}

TEST_F(ConsoleGameLinkTest, AFloodIsReadAPollsShareAtATimeWithNothingLost)
{
    RawPeer game = join();
    const int moves = 100000;
    Bytes flood;
    for (int i = 0; i < moves; ++i) {
        const Bytes moved = RawPeer::frame(RawPeer::ints({1}));
        flood.insert(flood.end(), moved.begin(), moved.end());
    }
    std::thread sender([&game, &flood] { game.send(flood); });
    std::size_t received = 0;
    std::size_t largestPoll = 0;
    std::vector<LinkEvent> events;
    waitUntil(
        [&] {
            events.clear();
            link.poll(events);
            received += events.size();
            largestPoll = std::max(largestPoll, events.size());
            return received >= moves;
        },
        std::chrono::seconds(10));
    sender.join();
    EXPECT_EQ(received, static_cast<std::size_t>(moves));
    EXPECT_LE(largestPoll, GameLink::readBudget / 8 + 512);
}

TEST_F(ConsoleGameLinkTest, PartialSendsReachTheGameWholeAndInOrder)
{
    RawPeer game = join(4096);
    const int count = 40000;
    std::vector<LinkEvent> events;
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(link.send(Protocol::UpdateDoor{i}, events));

    // A payload out of order counts past the end.
    int received = 0;
    waitUntil(
        [&] {
            link.poll(events);
            for (Bytes payload = game.readPayload(std::chrono::milliseconds(0)); !payload.empty();
                 payload = game.readPayload(std::chrono::milliseconds(0)))
                received += payload == RawPeer::ints({0, received}) ? 1 : count;
            return received >= count;
        },
        std::chrono::seconds(20));
    EXPECT_EQ(received, count);
}

} // namespace
