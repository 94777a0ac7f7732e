#include "console/GameLink.hpp"

#include "ConsolePeer.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <variant>

namespace {

using Kind = LinkEvent::Kind;

// Polls until an event of the kind arrives (or two seconds pass); returns the events seen.
std::vector<LinkEvent> pollFor(GameLink& link, Kind kind)
{
    std::vector<LinkEvent> events;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
        link.poll(events);
        for (const LinkEvent& event : events) {
            if (event.kind == kind)
                return events;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return events;
}

bool has(const std::vector<LinkEvent>& events, Kind kind)
{
    for (const LinkEvent& event : events) {
        if (event.kind == kind)
            return true;
    }
    return false;
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
        ConsolePeer game;
        ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
        game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({99, 1, 2})));
        game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({1})));
        std::vector<LinkEvent> events = pollFor(link, Kind::Message);
        ASSERT_TRUE(has(events, Kind::Unknown));
        EXPECT_TRUE(std::holds_alternative<Protocol::PlayerMoved>(events.back().message));
        EXPECT_TRUE(link.isConnected());

        game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({0})));
        EXPECT_TRUE(has(pollFor(link, Kind::Dropped), Kind::Dropped));
        EXPECT_TRUE(game.closed());
    }
    {
        ConsolePeer game;
        ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
        game.sendBytes(ConsolePeer::ints({-1}));
        std::vector<LinkEvent> events = pollFor(link, Kind::Dropped);
        ASSERT_TRUE(has(events, Kind::Dropped));
        EXPECT_NE(events.back().text.find("4294967295"), std::string::npos);
        EXPECT_TRUE(game.closed());
    }
    {
        ConsolePeer game;
        ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
        std::vector<std::uint8_t> flood;
        for (int i = 0; i < 100000; ++i) {
            std::vector<std::uint8_t> moved = ConsolePeer::frame(ConsolePeer::ints({1}));
            flood.insert(flood.end(), moved.begin(), moved.end());
        }
        std::thread sender([&game, &flood] { game.sendBytes(flood); });
        std::size_t moves = 0;
        std::size_t largestPoll = 0;
        std::vector<LinkEvent> events;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (moves < 100000 && std::chrono::steady_clock::now() < deadline) {
            events.clear();
            link.poll(events);
            moves += events.size();
            largestPoll = std::max(largestPoll, events.size());
        }
        sender.join();
        EXPECT_EQ(moves, 100000u);
        EXPECT_LE(largestPoll, GameLink::readBudget / 8 + 512);
    }
    EXPECT_TRUE(has(pollFor(link, Kind::Disconnected), Kind::Disconnected));
    ConsolePeer next;
    EXPECT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));
}

TEST(ConsoleGameLinkTest, SecondGameIsTurnedAwayWhileOneIsLive)
{
    GameLink link;
    listenOrFail(link);
    ConsolePeer first;
    ASSERT_TRUE(has(pollFor(link, Kind::Joined), Kind::Joined));

    ConsolePeer second;
    EXPECT_TRUE(has(pollFor(link, Kind::Refused), Kind::Refused));
    EXPECT_TRUE(second.closed());

    std::vector<LinkEvent> events;
    EXPECT_TRUE(link.send(Protocol::SendMonsterPosition(), events));
    EXPECT_EQ(first.readPayload(), ConsolePeer::ints({2}));
}

TEST(ConsoleGameLinkTest, PartialSendsReachTheGameWholeAndInOrder)
{
    GameLink link;
    listenOrFail(link);
    ConsolePeer game(4096);
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
        if (game.readPayload() != ConsolePeer::ints({0, received}))
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
    ConsolePeer game(4096);
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

}
