#include "console/Operator.hpp"

#include "ConsolePeer.hpp"

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

bool pumpUntil(Operator& console, const std::function<bool()>& done)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        console.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

std::vector<std::uint8_t> endOfGame(float bills, std::initializer_list<std::int32_t> counters)
{
    std::vector<std::uint8_t> payload = ConsolePeer::ints({6});
    std::uint8_t raw[4];
    std::memcpy(raw, &bills, 4);
    payload.insert(payload.end(), raw, raw + 4);
    std::vector<std::uint8_t> rest = ConsolePeer::ints(counters);
    payload.insert(payload.end(), rest.begin(), rest.end());
    return payload;
}

TEST(ConsoleOperatorTest, DeathEndsTheGameWithTheOperatorsBills)
{
    Operator console(LevelCatalogue("data/level"), windowSettings());
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    EXPECT_FALSE(console.start());

    ConsolePeer game;
    ASSERT_TRUE(pumpUntil(console, [&console] { return console.getLink().isConnected(); }));
    EXPECT_EQ(console.getStatusLine(), "game connected from 127.0.0.1");
    ASSERT_TRUE(console.select(0));
    ASSERT_TRUE(console.toggleDoor(1));
    ASSERT_TRUE(console.start());
    EXPECT_EQ(game.readPayload(), ConsolePeer::ints({1, 0, 2, 9, 10}));
    EXPECT_FALSE(console.select(1));

    ASSERT_TRUE(console.toggleDoor(2));
    ASSERT_TRUE(console.toggleDoor(1));
    EXPECT_EQ(game.readPayload(), ConsolePeer::ints({0, 10}));
    EXPECT_EQ(game.readPayload(), ConsolePeer::ints({0, 9}));
    EXPECT_TRUE(console.getDoors().isOpen(1));
    EXPECT_FALSE(console.getDoors().isOpen(2));

    game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({0, 4})));
    game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({2})));
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
    ConsolePeer game;
    ASSERT_TRUE(pumpUntil(console, [&console] { return console.getLink().isConnected(); }));
    ASSERT_TRUE(console.start());
    game.readPayload();

    ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
    EXPECT_TRUE(console.isPowerDown());
    ASSERT_TRUE(console.powerOn());
    EXPECT_FALSE(console.isPowerDown());
    game.readPayload();
    game.readPayload();

    game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({0, 24})));
    game.sendBytes(ConsolePeer::frame(ConsolePeer::ints({2})));
    ASSERT_TRUE(pumpUntil(console, [&console] { return !console.isPlaying(); }));
    for (int i = 0; i < 20; ++i)
        console.update();
    EXPECT_EQ(game.readPayload(), endOfGame(650.f, {0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(game.readPayload(200), std::vector<std::uint8_t>());
    EXPECT_EQ(console.getResult(), "the player used the exit: game won");
}

TEST(ConsoleOperatorTest, AGameDroppedByASendIsReportedByTheNextUpdate)
{
    Operator console(LevelCatalogue("data/level"), windowSettings());
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    ConsolePeer game(4096);
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
    EXPECT_NE(console.getLog().getLines().front().find("Tutorial is unavailable: cannot open no/such/folder/Tutorial.txt"),
              std::string::npos);
}

}
