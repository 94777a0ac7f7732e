#include "solo/SoloOperator.hpp"

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

TEST(ConsoleSoloOperatorTest, HardModeShocksAMonsterNearAnObjectAndEachGameGetsTheNextLevel)
{
    Operator::Settings settings;
    settings.free = true;
    Operator console(LevelCatalogue("data/level"), settings);
    std::string problem;
    ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    SoloOperator solo(console, true, 11);

    RawPeer game = RawPeer::connectTo(Protocol::Port);
    EXPECT_EQ(nextMessage(solo, game), RawPeer::ints({1, 0, 2, 8, 10}));
    // A scan every four steps.
    for (int step = 1; step <= 4; ++step) {
        game.sendFrame(RawPeer::ints({1}));
        ASSERT_TRUE(
            waitUntil([&] { return solo.update(), console.getMatch().getSteps() == step; }));
        EXPECT_EQ(game.readPayload(std::chrono::milliseconds(0)),
                  step == 4 ? RawPeer::ints({2}) : RawPeer::Bytes())
            << step;
    }
    // Counted, and free.
    EXPECT_EQ(console.getLedger().getFigures().getScan(), 1);
    EXPECT_EQ(console.getLedger().getBills(), 0.f);

    // A monster seen three cells from object 4 is shocked, four cells away it is not; once that
    // object is taken, nothing near it is. Answers the shocks counted once the last is seen.
    const sf::Vector2i object = console.getPlan().getObjectCells().at(4);
    const auto shocksAfter = [&](std::initializer_list<sf::Vector2i> sightings) {
        for (const sf::Vector2i& at : sightings)
            game.sendFrame(RawPeer::ints({3, object.x + at.x, object.y + at.y}));
        const sf::Vector2i last = object + *(sightings.end() - 1);
        EXPECT_TRUE(
            waitUntil([&] { return solo.update(), console.getMatch().getMonster() == last; }));
        return console.getLedger().getFigures().getShock();
    };
    EXPECT_EQ(shocksAfter({{2, -2}, {1, -2}}), 1);
    const RawPeer::Bytes shock = game.readPayload();
    ASSERT_EQ(shock.size(), 5u);
    EXPECT_EQ(RawPeer::Bytes(shock.begin(), shock.begin() + 4), RawPeer::ints({3}));
    game.sendFrame(RawPeer::ints({0, 4}));
    EXPECT_EQ(shocksAfter({{1, -1}}), 1);

    // Every death is answered with the end-of-game report; the next game gets the next level,
    // round to the tutorial again.
    for (int level = 1; level <= LevelCatalogue::count; ++level) {
        game.sendFrame(RawPeer::ints({2}));
        const RawPeer::Bytes end = nextMessage(solo, game);
        ASSERT_FALSE(end.empty());
        EXPECT_EQ(end[3], 6);
        EXPECT_EQ(console.getResult(), "the player died: game lost");
        game.hangUp();
        game = RawPeer::connectTo(Protocol::Port);
        const RawPeer::Bytes load = nextMessage(solo, game);
        ASSERT_GE(load.size(), 8u);
        EXPECT_EQ(RawPeer::Bytes(load.begin(), load.begin() + 8),
                  RawPeer::ints({1, level % LevelCatalogue::count}));
    }
}

} // namespace
