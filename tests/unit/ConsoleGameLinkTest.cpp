#include "console/GameLink.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <variant>

namespace {

using Kind = LinkEvent::Kind;

bool has(const std::vector<LinkEvent>& events, Kind kind)
{
    return std::any_of(events.begin(), events.end(),
                       [kind](const LinkEvent& event) { return event.kind == kind; });
}

// Polls until an event of the kind arrives (or the wait ends); returns the events seen.
std::vector<LinkEvent> pollFor(GameLink& link, Kind kind)
{
    std::vector<LinkEvent> events;
    waitUntil([&] {
        link.poll(events);
        return has(events, kind);
    });
    return events;
}

void listenOrFail(GameLink& link)
{
    std::string problem;
    ASSERT_EQ(link.listen("127.0.0.1", problem), GameLink::ListenResult::Listening) << problem;
}

TEST(ConsoleGameLinkTest, GarbageFromTheGameNeverStopsTheConsoleListening)
{
    GameLink link;
    listenOrFail(link);

    {
        RawPeer game = RawPeer::connectTo(Protocol::Port);
        ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
        game.sendFrame(RawPeer::ints({99, 1, 2}));
        game.sendFrame(RawPeer::ints({1}));
        std::vector<LinkEvent> events = pollFor(link, Kind::Message);
        ASSERT_TRUE(has(events, Kind::Unknown));
        EXPECT_TRUE(std::holds_alternative<Protocol::PlayerMoved>(events.back().message));
        EXPECT_TRUE(link.isConnected());

        game.sendFrame(RawPeer::ints({0}));
        EXPECT_TRUE(has(pollFor(link, Kind::Dropped), Kind::Dropped));
        EXPECT_TRUE(game.closed());
    }
    {
        RawPeer game = RawPeer::connectTo(Protocol::Port);
        ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
        game.send(RawPeer::ints({-1}));
        std::vector<LinkEvent> events = pollFor(link, Kind::Dropped);
        ASSERT_TRUE(has(events, Kind::Dropped));
        EXPECT_NE(events.back().text.find("4294967295"), std::string::npos);
        EXPECT_TRUE(game.closed());
    }
    {
        RawPeer game = RawPeer::connectTo(Protocol::Port);
        ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
        std::vector<std::uint8_t> flood;
        for (int i = 0; i < 100000; ++i) {
            std::vector<std::uint8_t> moved = RawPeer::frame(RawPeer::ints({1}));
            flood.insert(flood.end(), moved.begin(), moved.end());
        }
        std::thread sender([&game, &flood] { game.send(flood); });
        std::size_t moves = 0;
        std::size_t largestPoll = 0;
        std::vector<LinkEvent> events;
        waitUntil(
            [&] {
                events.clear();
                link.poll(events);
                moves += events.size();
                largestPoll = std::max(largestPoll, events.size());
                return moves >= 100000;
            },
            std::chrono::seconds(10));
        sender.join();
        EXPECT_EQ(moves, 100000u);
        EXPECT_LE(largestPoll, GameLink::readBudget / 8 + 512);
    }
    EXPECT_TRUE(has(pollFor(link, Kind::Disconnected), Kind::Disconnected));
    RawPeer next = RawPeer::connectTo(Protocol::Port);
    EXPECT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
}

TEST(ConsoleGameLinkTest, SecondGameIsTurnedAwayWhileOneIsLive)
{
    GameLink link;
    listenOrFail(link);
    RawPeer first = RawPeer::connectTo(Protocol::Port);
    ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));

    RawPeer second = RawPeer::connectTo(Protocol::Port);
    EXPECT_TRUE(has(pollFor(link, Kind::Refused), Kind::Refused));
    EXPECT_TRUE(second.closed());

    std::vector<LinkEvent> events;
    EXPECT_TRUE(link.send(Protocol::SendMonsterPosition(), events));
    EXPECT_EQ(first.readPayload(), RawPeer::ints({2}));
}

TEST(ConsoleGameLinkTest, PartialSendsReachTheGameWholeAndInOrder)
{
    GameLink link;
    listenOrFail(link);
    RawPeer game = RawPeer::connectTo(Protocol::Port, 4096);
    ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));

    const int count = 40000;
    std::vector<LinkEvent> events;
    for (int i = 0; i < count; ++i) {
        Protocol::UpdateDoor message;
        message.value = i;
        ASSERT_TRUE(link.send(message, events));
    }
    std::atomic<bool> reading(true);
    std::thread flusher([&link, &reading] {
        std::vector<LinkEvent> ignored;
        while (reading) {
            link.poll(ignored);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    int received = 0;
    for (; received < count; ++received) {
        if (game.readPayload() != RawPeer::ints({0, received}))
            break;
    }
    reading = false;
    flusher.join();
    EXPECT_EQ(received, count);
}

TEST(ConsoleGameLinkTest, GameThatStopsReadingIsDroppedPastTheQueueLimit)
{
    GameLink link;
    listenOrFail(link);
    RawPeer game = RawPeer::connectTo(Protocol::Port, 4096);
    ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));

    std::vector<LinkEvent> events;
    int sent = 0;
    Protocol::LoadMap message;
    message.doors.assign(4000, 8);
    while (sent < 10000 && link.send(message, events))
        ++sent;
    EXPECT_LT(sent, 10000);
    EXPECT_TRUE(has(events, Kind::Dropped));
    EXPECT_FALSE(link.isConnected());
}

} // namespace
