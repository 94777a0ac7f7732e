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

    // A monster one cell from object 4 is shocked; once that object is taken, it is not.
    const sf::Vector2i object = console.getPlan().getObjectCells().at(4);
    const RawPeer::Bytes nearObject = RawPeer::ints({3, object.x + 1, object.y - 1});
    game.sendFrame(nearObject);
    const RawPeer::Bytes shock = nextMessage(solo, game);
    ASSERT_EQ(shock.size(), 5u);
    EXPECT_EQ(RawPeer::Bytes(shock.begin(), shock.begin() + 4), RawPeer::ints({3}));
    game.sendFrame(RawPeer::ints({0, 4}));
    game.sendFrame(nearObject);
    EXPECT_EQ(nextMessage(solo, game, std::chrono::milliseconds(300)), RawPeer::Bytes());

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
