#include "console/Operator.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

Operator::Settings windowSettings()
{
    Operator::Settings settings;
    settings.seed = 5;
    return settings;
}

template <typename Predicate> bool pumpUntil(Operator& console, Predicate done)
{
    return waitUntil([&] {
        console.update();
        return done();
    });
}

std::vector<std::uint8_t> endOfGame(float bills, std::initializer_list<std::int32_t> counters)
{
    std::vector<std::uint8_t> payload = RawPeer::ints({6});
    std::uint8_t raw[4];
    std::memcpy(raw, &bills, 4);
    payload.insert(payload.end(), raw, raw + 4);
    std::vector<std::uint8_t> rest = RawPeer::ints(counters);
    payload.insert(payload.end(), rest.begin(), rest.end());
    return payload;
}

TEST(ConsoleOperatorTest, DeathEndsTheGameWithTheOperatorsBills)
{
    Operator console(LevelCatalogue("data/level"), windowSettings());
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    EXPECT_FALSE(console.start());

    RawPeer game = RawPeer::connectTo(Protocol::Port);
    ASSERT_TRUE(pumpUntil(console, [&console] { return console.getLink().isConnected(); }));
    EXPECT_EQ(console.getStatusLine(), "game connected from 127.0.0.1");
    ASSERT_TRUE(console.select(0));
    ASSERT_TRUE(console.toggleDoor(1));
    ASSERT_TRUE(console.start());
    EXPECT_EQ(game.readPayload(), RawPeer::ints({1, 0, 2, 9, 10}));
    EXPECT_FALSE(console.select(1));

    ASSERT_TRUE(console.toggleDoor(2));
    ASSERT_TRUE(console.toggleDoor(1));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 10}));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 9}));
    EXPECT_TRUE(console.getDoors().isOpen(1));
    EXPECT_FALSE(console.getDoors().isOpen(2));

    game.sendFrame(RawPeer::ints({0, 4}));
    game.sendFrame(RawPeer::ints({2}));
    ASSERT_TRUE(pumpUntil(console, [&console] { return !console.isPlaying(); }));
    EXPECT_EQ(game.readPayload(), endOfGame(50.f, {1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(console.getResult(), "the player died: game lost");
    EXPECT_FLOAT_EQ(console.getLedger().revenue(), 120.25f);
    EXPECT_TRUE(console.select(1));
}

TEST(ConsoleOperatorTest, ExitWinsOnceAndPowerDownLastsUntilPowerOn)
{
    Operator console(LevelCatalogue("data/level"), windowSettings());
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    ASSERT_TRUE(pumpUntil(console, [&console] { return console.getLink().isConnected(); }));
    ASSERT_TRUE(console.start());
    game.readPayload();

    ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
    EXPECT_TRUE(console.isPowerDown());
    ASSERT_TRUE(console.powerOn());
    EXPECT_FALSE(console.isPowerDown());
    game.readPayload();
    game.readPayload();

    game.sendFrame(RawPeer::ints({0, 24}));
    game.sendFrame(RawPeer::ints({2}));
    ASSERT_TRUE(pumpUntil(console, [&console] { return !console.isPlaying(); }));
    for (int i = 0; i < 20; ++i)
        console.update();
    EXPECT_EQ(game.readPayload(), endOfGame(650.f, {0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(200)), std::vector<std::uint8_t>());
    EXPECT_EQ(console.getResult(), "the player used the exit: game won");
}

TEST(ConsoleOperatorTest, AGameDroppedByASendIsReportedByTheNextUpdate)
{
    Operator console(LevelCatalogue("data/level"), windowSettings());
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    RawPeer game = RawPeer::connectTo(Protocol::Port, 4096);
    ASSERT_TRUE(pumpUntil(console, [&console] { return console.getLink().isConnected(); }));
    console.update();
    // The game never reads: once 1 MiB waits for it, the console drops it.
    while (console.scan()) {
    }
    EXPECT_EQ(console.update(), std::vector<std::string>{"disconnected"});
}

TEST(ConsoleOperatorTest, MissingLevelFilesLeaveTheirLevelsUnavailable)
{
    Operator console(LevelCatalogue("no/such/folder"), windowSettings());
    EXPECT_FALSE(console.getPlan().isAvailable());
    EXPECT_FALSE(console.start());
    ASSERT_FALSE(console.getLog().getLines().empty());
    EXPECT_NE(console.getLog().getLines().front().find(
                  "Tutorial is unavailable: cannot open no/such/folder/Tutorial.txt"),
              std::string::npos);
}

} // namespace
