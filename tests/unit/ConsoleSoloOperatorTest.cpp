#include "console/SoloOperator.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

namespace {

// Runs the solo operator until the game's side has a message, or gives up when the time is up.
RawPeer::Bytes nextMessage(SoloOperator& solo, RawPeer& game,
                           std::chrono::milliseconds timeout = std::chrono::seconds(5))
{
    RawPeer::Bytes payload;
    waitUntil(
        [&] {
            solo.update();
            payload = game.readPayload(std::chrono::milliseconds(0));
            return !payload.empty();
        },
        timeout);
    return payload;
}

void send(RawPeer& game, std::initializer_list<std::int32_t> values)
{
    game.sendFrame(RawPeer::ints(values));
}

TEST(ConsoleSoloOperatorTest, HardModeScansAndShocksAMonsterNearAnObject)
{
    Operator::Settings settings;
    settings.free = true;
    Operator console(LevelCatalogue("data/level"), settings);
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    SoloOperator solo(console, true, 11);

    RawPeer game = RawPeer::connectTo(Protocol::Port);
    EXPECT_EQ(nextMessage(solo, game), RawPeer::ints({1, 0, 2, 8, 10}));
    for (int step = 0; step < SoloOperator::scanEvery; ++step)
        send(game, {1});
    EXPECT_EQ(nextMessage(solo, game), RawPeer::ints({2}));

    const sf::Vector2i object = console.getPlan().getObjectCells().at(4);
    send(game, {3, object.x + 1, object.y - 1});
    std::vector<std::uint8_t> shock = nextMessage(solo, game);
    ASSERT_EQ(shock.size(), 5u);
    EXPECT_EQ(std::vector<std::uint8_t>(shock.begin(), shock.begin() + 4), RawPeer::ints({3}));

    send(game, {0, 4});
    send(game, {3, object.x + 1, object.y - 1});
    EXPECT_EQ(nextMessage(solo, game, std::chrono::milliseconds(300)), RawPeer::Bytes());
    EXPECT_FLOAT_EQ(console.getLedger().getBills(), 0.f);
    EXPECT_EQ(console.getLedger().getFigures().getShock(), 1);
}

TEST(ConsoleSoloOperatorTest, EachGameThatJoinsGetsTheNextLevel)
{
    Operator::Settings settings;
    settings.free = true;
    Operator console(LevelCatalogue("data/level"), settings);
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    SoloOperator solo(console, false, 1);

    for (int level = 0; level < LevelCatalogue::count + 1; ++level) {
        RawPeer game = RawPeer::connectTo(Protocol::Port);
        std::vector<std::uint8_t> load = nextMessage(solo, game);
        ASSERT_GE(load.size(), 8u);
        EXPECT_EQ(std::vector<std::uint8_t>(load.begin(), load.begin() + 8),
                  RawPeer::ints({1, level % LevelCatalogue::count}));
        send(game, {2});
        std::vector<std::uint8_t> end = nextMessage(solo, game);
        ASSERT_FALSE(end.empty());
        EXPECT_EQ(end[3], 6);
    }
}

} // namespace
