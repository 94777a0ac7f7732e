#include "console/Operator.hpp"

#include "core/Game.hpp"

#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

// Runs the game's network and the console side by side until done() holds (or the wait
// ends): the two programs' halves of the protocol, talking over a real socket.
template <typename Predicate> bool exchange(Game& game, Operator& console, Predicate done)
{
    return waitUntil([&] {
        game.getNetwork().poll();
        console.update();
        return done();
    });
}

TEST(ConsoleWithGameTest, ConsoleRunsARealGameFromJoinToItsFigures)
{
    Operator console(LevelCatalogue("data/level"), Operator::Settings());
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    testing::internal::CaptureStdout();

    Game game;
    game.getNetwork().getAddress() = "127.0.0.1";
    game.getNetwork().getStatus() = NetworkStatus::Connecting;
    ASSERT_TRUE(exchange(game, console, [&console] { return console.getLink().isConnected(); }));

    ASSERT_TRUE(console.toggleDoor(2));
    ASSERT_TRUE(console.start());
    ASSERT_TRUE(
        exchange(game, console, [&game] { return game.getState() == GameState::StartGame; }));
    const sf::Vector2i door1 = console.getPlan().getDoorCells()[0];
    const sf::Vector2i door2 = console.getPlan().getDoorCells()[1];
    EXPECT_EQ(game.getLevel().getCell(door1.x, door1.y), 8);
    EXPECT_EQ(game.getLevel().getCell(door2.x, door2.y), 11);

    ASSERT_TRUE(console.toggleDoor(1));
    ASSERT_TRUE(console.scan());
    ASSERT_TRUE(console.locate(5));
    ASSERT_TRUE(
        exchange(game, console, [&console] { return !console.getMatch().getLocated().empty(); }));
    EXPECT_EQ(game.getLevel().getCell(door1.x, door1.y), 9);
    EXPECT_EQ(console.getMatch().getLocated().at(5), console.getPlan().getObjectCells().at(5));
    EXPECT_TRUE(console.getMatch().getMonster().has_value());

    game.getNetwork().sendPlayerLost();
    ASSERT_TRUE(exchange(game, console, [&console] { return console.hasGameLeft(); }));
    testing::internal::GetCapturedStdout();
    const ScoreEntry& figures = game.getScore().currentEntry();
    EXPECT_FLOAT_EQ(figures.getBills(), 150.f);
    EXPECT_EQ(figures.getDoorClose(), 1);
    EXPECT_EQ(figures.getScan(), 1);
    EXPECT_EQ(figures.getDetection(), 1);
    EXPECT_EQ(console.getResult(), "the player died: game lost");
}

} // namespace
