#include "core/Game.hpp"

#include "support/CapturedOutput.hpp"
#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

using Protocol::Bytes;
using testing::HasSubstr;

Bytes frameOf(const Bytes& payload)
{
    return RawPeer::frame(payload);
}
template <typename Message> Bytes frameOf(const Message& message)
{
    return Protocol::encode(message);
}

// The frames of messages (or of raw payloads) back to back, as they travel.
template <typename... Parts> Bytes frames(const Parts&... parts)
{
    Bytes bytes;
    for (const Bytes& frame : {frameOf(parts)...})
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    return bytes;
}

// A game joined to a console that is only a socket, so the test sees every byte on the wire.
// The console's small receive window makes the game's sends partial once replies pile up.
class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        listener = RawPeer::listenOn(Protocol::Port, 4096);
        ASSERT_TRUE(listener.isConnected());
        join();
    }

    void join()
    {
        network.getAddress() = "127.0.0.1";
        network.getStatus() = NetworkStatus::Connecting;
        network.poll();
        ASSERT_EQ(network.getStatus(), NetworkStatus::Connected);
        console = listener.accept();
        ASSERT_TRUE(console.isConnected());
    }

    // What the game writes to its trace during the action.
    template <typename Action> static std::string traceOf(Action action)
    {
        CapturedOutput trace;
        action();
        return trace.take();
    }

    // Lets the console's bytes reach the game, runs one poll and returns its trace.
    std::string poll()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return traceOf([this] { network.poll(); });
    }

    // What the game has written, read until `count` bytes have come, the game polling meanwhile.
    Bytes received(std::size_t count)
    {
        Bytes bytes;
        waitUntil([&] {
            network.poll();
            const Bytes more = console.readAvailable();
            bytes.insert(bytes.end(), more.begin(), more.end());
            return bytes.size() >= count;
        });
        return bytes;
    }

    RawPeer listener;
    RawPeer console;
    Game game;
    Network& network = game.getNetwork();
};

TEST_F(NetworkTest, JoinConnectsOnlyToAConsoleThatListensAtTheAddress)
{
    listener.hangUp();
    network.getStatus() = NetworkStatus::Connecting;
    network.poll();
    EXPECT_EQ(network.getStatus(), NetworkStatus::Offline);

    listener = RawPeer::listenOn(Protocol::Port);
    for (const char* address : {"", "no-such-console.invalid"}) {
        network.getAddress() = address;
        network.getStatus() = NetworkStatus::Connecting;
        network.poll();
        EXPECT_EQ(network.getStatus(), NetworkStatus::Offline) << "address '" << address << "'";
    }
    // A join while connected replaces the connection.
    join();
    RawPeer first = std::move(console);
    join();
    EXPECT_TRUE(first.closed());
    network.sendPlayerLost();
    EXPECT_EQ(received(8), frames(Protocol::PlayerLost{}));
}

// The monster's cell goes out only while it is present. Unknown codes and payloads too short for
// their message are dropped; neither stops the requests behind them.
TEST_F(NetworkTest, ReportsAndRepliesGoOutInOrderPastUnreadablePayloads)
{
    game.getMonster().setPosition(7, 300);
    game.getMonster().setPresent(true);
    network.sendInteraction(24);
    network.sendPlayerMoved();
    network.sendPlayerLost();
    console.send(frames(Protocol::SendObjectPosition{3}, Bytes{}, Protocol::SendMonsterPosition{},
                        Bytes{0, 0, 0, 9, 1, 2}, Bytes{0, 0, 0, 3},
                        Protocol::SendObjectPosition{7}));
    poll();
    game.getMonster().setPresent(false);
    network.sendMonsterPosition();

    const Bytes expected =
        frames(Protocol::Interaction{24}, Protocol::PlayerMoved{}, Protocol::PlayerLost{},
               Protocol::ObjectPosition{0, 0}, Protocol::MonsterPosition{7, 300},
               Protocol::ObjectPosition{0, 0}, Protocol::MonsterPosition{0, 0});
    EXPECT_EQ(received(expected.size()), expected);
}

TEST_F(NetworkTest, LoadMapStartsTheLevelAndTheOperatorWorksItsDoorsAndObjects)
{
    game.setState(GameState::InMenu);
    console.send(frames(Protocol::LoadMap{0, {10, 13}}));
    poll();
    EXPECT_EQ(game.getState(), GameState::StartGame);
    EXPECT_EQ(game.getLevel().getCell(5, 2), 10);
    EXPECT_EQ(game.getLevel().getCell(2, 4), 13);

    console.send(frames(Protocol::UpdateDoor{10}, Protocol::UpdateDoor{13},
                        Protocol::SendObjectPosition{7}));
    EXPECT_EQ(poll(), "updateDoor : 10\nClosing door (5;2)\n"
                      "updateDoor : 13\nOpening Door (2;4)\n"
                      "Recive order to send object 7 position\n");
    EXPECT_EQ(game.getLevel().getCell(5, 2), 11);
    EXPECT_EQ(game.getLevel().getCell(2, 4), 12);
    EXPECT_EQ(received(16), frames(Protocol::ObjectPosition{8, 6}));
}

TEST_F(NetworkTest, ShocksDarkenTheViewOnlyWhenThePlantRebootsAndPowerOnRestoresIt)
{
    const struct {
        Protocol::ConsoleMessage message;
        const char* trace;
        bool dark;
    } steps[] = {
        {Protocol::ShockMonster{false}, "Recive order to shock monster\nnbTunrn paralize : 2\n",
         false},
        {Protocol::ShockMonster{true}, "Recive order to shock monster\nnbTunrn paralize : 5\n",
         true},
        {Protocol::PowerOn{}, "", false},
    };
    Player& player = game.getPlayer();
    const float lit = player.getDarkness();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.trace);
        console.send(frames(step.message));
        EXPECT_EQ(poll(), step.trace);
        player.update(5.f);
        EXPECT_EQ(player.getDarkness() > lit, step.dark);
    }
}

TEST_F(NetworkTest, EndOfGameStoresTheFiguresAndHangsUpUntilTheNextJoin)
{
    // A scan behind the end of the game on the same connection is not answered.
    Protocol::EndOfGame end;
    end.bills = 1.5f;
    end.counters = {1, 2, 3, 4, 5, 6};
    console.send(frames(Protocol::SendMonsterPosition{}, end, Protocol::SendMonsterPosition{}));
    poll();
    EXPECT_EQ(console.readAvailable(), frames(Protocol::MonsterPosition{0, 0}));
    const ScoreEntry& entry = game.getScore().currentEntry();
    EXPECT_FLOAT_EQ(entry.getBills(), 1.5f);
    EXPECT_EQ((std::vector<int>{entry.getDoorOpen(), entry.getDoorClose(), entry.getScan(),
                                entry.getDetection(), entry.getShock(), entry.getReboot()}),
              (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FLOAT_EQ(entry.getTotal(), -1.5f);
    EXPECT_TRUE(console.closed());
    EXPECT_EQ(network.getStatus(), NetworkStatus::Connected);

    join();
    network.sendPlayerMoved();
    EXPECT_EQ(received(8), frames(Protocol::PlayerMoved{}));
}

// A frame split across reads waits for its rest. Without a console, or after it hung up
// mid-frame, the game drops its reports and keeps quiet.
TEST_F(NetworkTest, FramesWaitForTheirRestAndReportsWithNoOneToReceiveThemAreDropped)
{
    const Bytes request = frames(Protocol::SendObjectPosition{3});
    console.send(Bytes(request.begin(), request.begin() + 7));
    EXPECT_EQ(poll(), "");
    console.send(Bytes(request.begin() + 7, request.end() - 1));
    EXPECT_EQ(poll(), "");
    console.send(Bytes{request.back(), 0, 0, 0, 8, 0, 0, 0, 4, 0});
    EXPECT_EQ(poll(), "Recive order to send object 3 position\n");
    console.hangUp();
    Game offline;
    for (Network* side : {&network, &offline.getNetwork()}) {
        const int status = side->getStatus();
        side->sendInteraction(3);
        side->sendPlayerMoved();
        side->sendPlayerLost();
        side->sendMonsterPosition();
        side->sendObjectPosition(4);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(traceOf([side] {
                      side->poll();
                      side->poll();
                  }),
                  "");
        EXPECT_EQ(side->getStatus(), status);
    }
}

TEST_F(NetworkTest, FrameClaimingMoreThanTheLimitClosesTheConnection)
{
    Bytes flood{0xff, 0xff, 0xff, 0xff};
    flood.resize(60000, 0x55);
    console.send(flood, [this] { network.poll(); });
    CapturedOutput errors(CapturedOutput::StandardError);
    poll();
    EXPECT_THAT(errors.take(), HasSubstr("4294967295 bytes"));
    EXPECT_TRUE(console.closed());
    EXPECT_EQ(network.getStatus(), NetworkStatus::Connected);
}

Bytes repeated(const Bytes& bytes, int count)
{
    Bytes all;
    for (int i = 0; i < count; ++i)
        all.insert(all.end(), bytes.begin(), bytes.end());
    return all;
}
const Bytes scanRequest = frames(Protocol::SendMonsterPosition{});

TEST_F(NetworkTest, ConsoleThatReadsSlowlyStillGetsEveryReplyWhole)
{
    RawPeer::setBufferOfConnectionsTo(Protocol::Port, SO_SNDBUF, 4096);
    game.getMonster().setPresent(true);
    game.getMonster().setPosition(2, 3);

    const int scans = 10000;
    Bytes replies;
    traceOf([&] {
        console.send(repeated(scanRequest, scans), [this] { network.poll(); });
        replies = received(scans * 16);
    });
    EXPECT_TRUE(replies == repeated(frames(Protocol::MonsterPosition{2, 3}), scans))
        << replies.size() << " bytes";
}

TEST_F(NetworkTest, ConsoleThatNeverReadsIsCutOffPastOneMebibyteOfReplies)
{
    RawPeer::setBufferOfConnectionsTo(Protocol::Port, SO_SNDBUF, 4096);
    CapturedOutput errors(CapturedOutput::StandardError);
    traceOf([this] {
        console.send(repeated(scanRequest, 80000), [this] { network.poll(); });
        for (int i = 0; i < 5; ++i)
            network.poll();
    });

    EXPECT_THAT(errors.take(), HasSubstr("has stopped reading"));
    EXPECT_TRUE(console.closed());
    EXPECT_EQ(network.getStatus(), NetworkStatus::Connected);
}

// A poll takes at most a mebibyte (and the socket's last chunk): a console that floods the game
// must not hold its frame. What is left waits for the next polls, in order.
TEST_F(NetworkTest, FloodLargerThanAPollsShareIsTakenOverSeveralPollsWithNothingLost)
{
    constexpr std::size_t requestSize = 12;
    constexpr std::size_t pollShare = (1024 * 1024 + 16384) / requestSize + 1;
    constexpr std::size_t requests = 3 * pollShare;
    Bytes flood;
    std::string expected;
    for (std::size_t i = 0; i < requests; ++i) {
        const int value = 100 + static_cast<int>(i);
        const Bytes request = frames(Protocol::UpdateDoor{value});
        flood.insert(flood.end(), request.begin(), request.end());
        expected += "updateDoor : " + std::to_string(value) + "\n";
    }
    // Room for the whole flood before the game reads, where the system allows it.
    RawPeer::setBufferOfConnectionsTo(Protocol::Port, SO_RCVBUF, 4 * 1024 * 1024);
    CapturedOutput trace;
    std::string written;
    std::size_t mostInOnePoll = 0;
    const auto pollOnce = [&] {
        network.poll();
        const std::string more = trace.take();
        mostInOnePoll = std::max(mostInOnePoll, more.size());
        written += more;
    };
    console.send(flood, pollOnce);
    waitUntil(
        [&] {
            pollOnce();
            return written.size() >= expected.size();
        },
        std::chrono::seconds(30));

    // A line of the trace per request, of at most 20 characters.
    EXPECT_LE(mostInOnePoll, pollShare * 20);
    EXPECT_TRUE(written == expected)
        << written.size() << " of " << expected.size() << " characters";
}

TEST(NetworkTestDeathTest, LevelOutsideTheCatalogueEndsTheGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Bytes payload = RawPeer::payloadOf(Protocol::encode(Protocol::LoadMap{7, {}}));
    EXPECT_EXIT(
        {
            Game game;
            game.getNetwork().dispatch(payload.data(), payload.size());
        },
        testing::ExitedWithCode(1), "level 7");
}

} // namespace
