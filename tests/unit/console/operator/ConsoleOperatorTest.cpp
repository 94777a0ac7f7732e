#include "support/ConsoleStage.hpp"

#include <gtest/gtest.h>

namespace {

// A console with a raw game joined to it.
class ConsoleOperatorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(reach(console, game, Joined, 4096)); }

    Operator console{LevelCatalogue("data/level"), Operator::Settings()};
    RawPeer game;
};

TEST_F(ConsoleOperatorTest, ExitWinsOnceAndEndsTheGameWithTheOperatorsBills)
{
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

    ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
    EXPECT_TRUE(console.isPowerDown());
    ASSERT_TRUE(console.powerOn());
    game.readPayload();
    game.readPayload();

    // Loot, the exit, then a death that comes too late to change anything.
    game.sendFrame(RawPeer::ints({0, 4}));
    game.sendFrame(RawPeer::ints({0, 24}));
    game.sendFrame(RawPeer::ints({2}));
    ASSERT_TRUE(waitUntil([this] {
        console.update();
        return !console.isPlaying();
    }));
    for (int i = 0; i < 20; ++i)
        console.update();
    EXPECT_EQ(game.readPayload(),
              RawPeer::payloadOf(Protocol::encode(Protocol::EndOfGame{700.f, {1, 1, 0, 0, 1, 1}})));
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(200)), RawPeer::Bytes());
    EXPECT_EQ(console.getResult(), "the player used the exit: game won");
    EXPECT_FLOAT_EQ(console.getLedger().revenue(), 120.25f);
    EXPECT_TRUE(console.select(1));
}

TEST_F(ConsoleOperatorTest, AGameThatStopsReadingIsDroppedAndReportedByTheNextUpdate)
{
    console.update();
    // The game never reads: once 1 MiB waits for it, the console drops it.
    while (console.scan()) {
    }
    EXPECT_EQ(console.update(), std::vector<std::string>{"disconnected"});
}

} // namespace
