#include "console/Operator.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

namespace {

// A console with a raw game joined to it.
class ConsoleOperatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string problem;
        ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
        EXPECT_FALSE(console.start());
        game = RawPeer::connectTo(Protocol::Port, 4096);
        ASSERT_TRUE(pumpUntil([this] { return console.getLink().isConnected(); }));
    }

    template <typename Predicate> bool pumpUntil(Predicate done)
    {
        return waitUntil([&] {
            console.update();
            return done();
        });
    }

    static RawPeer::Bytes endOfGame(float bills, const OperatorCounters& counters)
    {
        Protocol::EndOfGame end;
        end.bills = bills;
        end.counters = counters;
        return RawPeer::payloadOf(Protocol::encode(end));
    }

    Operator console{LevelCatalogue("data/level"), [] {
                         Operator::Settings settings;
                         settings.seed = 5;
                         return settings;
                     }()};
    RawPeer game;
};

TEST_F(ConsoleOperatorTest, DeathEndsTheGameWithTheOperatorsBills)
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
    EXPECT_TRUE(console.getDoors().isOpen(1));
    EXPECT_FALSE(console.getDoors().isOpen(2));

    game.sendFrame(RawPeer::ints({0, 4}));
    game.sendFrame(RawPeer::ints({2}));
    ASSERT_TRUE(pumpUntil([this] { return !console.isPlaying(); }));
    EXPECT_EQ(game.readPayload(), endOfGame(50.f, {1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(console.getResult(), "the player died: game lost");
    EXPECT_FLOAT_EQ(console.getLedger().revenue(), 120.25f);
    EXPECT_TRUE(console.select(1));
}

TEST_F(ConsoleOperatorTest, ExitWinsOnceAndPowerDownLastsUntilPowerOn)
{
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
    ASSERT_TRUE(pumpUntil([this] { return !console.isPlaying(); }));
    for (int i = 0; i < 20; ++i)
        console.update();
    EXPECT_EQ(game.readPayload(), endOfGame(650.f, {0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(200)), RawPeer::Bytes());
    EXPECT_EQ(console.getResult(), "the player used the exit: game won");
}

TEST_F(ConsoleOperatorTest, AGameThatStopsReadingIsDroppedAndReportedByTheNextUpdate)
{
    console.update();
    // The game never reads: once 1 MiB waits for it, the console drops it.
    while (console.scan()) {
    }
    EXPECT_EQ(console.update(), std::vector<std::string>{"disconnected"});
}

TEST_F(ConsoleOperatorTest, MissingLevelFilesLeaveTheirLevelsUnavailable)
{
    Operator missing(LevelCatalogue("no/such/folder"), Operator::Settings());
    EXPECT_FALSE(missing.getPlan().isAvailable());
    EXPECT_FALSE(missing.start());
    ASSERT_FALSE(missing.getLog().getLines().empty());
    EXPECT_NE(missing.getLog().getLines().front().find(
                  "Tutorial is unavailable: cannot open no/such/folder/Tutorial.txt"),
              std::string::npos);
}

} // namespace
