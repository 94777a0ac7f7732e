#include "core/Game.hpp"

#include "support/CapturedOutput.hpp"
#include "support/HeardEffects.hpp"
#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace Protocol;
using testing::HasSubstr;

// A game joined to a console that is only a socket, so the test sees every byte on the wire.
// The console's small receive window and the game's small send buffer make the game's sends
// partial once replies pile up.
class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override { join(); }

    // Asks the game to join the console at the address; the status it is left in.
    int joinAt(const char* address)
    {
        network.getAddress() = address;
        network.getStatus() = NetworkStatus::Connecting;
        network.poll();
        return network.getStatus();
    }
    void join()
    {
        ASSERT_EQ(joinAt("127.0.0.1"), NetworkStatus::Connected);
        console = listener.accept();
        ASSERT_TRUE(console.isConnected());
        RawPeer::setBufferOfConnectionsTo(Port, SO_SNDBUF, 4096);
    }

    // Messages, or bytes as they travel, back to back.
    template <typename... Parts> static Bytes frames(const Parts&... parts)
    {
        Bytes bytes;
        for (const Bytes& part : {wire(parts)...})
            bytes.insert(bytes.end(), part.begin(), part.end());
        return bytes;
    }
    static Bytes wire(const Bytes& bytes) { return bytes; }
    template <typename Message> static Bytes wire(const Message& m) { return encode(m); }

    static Bytes repeated(const Bytes& bytes, int count)
    {
        Bytes all;
        for (int i = 0; i < count; ++i)
            all.insert(all.end(), bytes.begin(), bytes.end());
        return all;
    }

    // Sends the bytes, waits until the game's system has taken all of them in, runs one poll and
    // returns its trace.
    std::string deliver(const Bytes& bytes)
    {
        console.send(bytes);
        EXPECT_TRUE(waitUntil([&] { return console.unacknowledged() == 0; }));
        CapturedOutput trace;
        network.poll();
        return trace.take();
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

    // Compares runs of frames message by message; a mismatch names the first that differs.
    static testing::AssertionResult sameMessages(const Bytes& got, const Bytes& expected)
    {
        for (std::size_t index = 0, at = 0;; ++index) {
            const Bytes one = frameAt(got, at), other = frameAt(expected, at);
            if (one != other)
                return testing::AssertionFailure()
                       << "message " << index << " is " << testing::PrintToString(one)
                       << ", expected " << testing::PrintToString(other);
            if (one.empty())
                return testing::AssertionSuccess();
            at += one.size();
        }
    }
    // The frame from byte `at` on, length included, cut short where the bytes end.
    static Bytes frameAt(const Bytes& bytes, std::size_t at)
    {
        const std::size_t end =
            at + 4 <= bytes.size() ? at + 4 + (bytes[at + 2] << 8 | bytes[at + 3]) : at;
        return Bytes(bytes.begin() + std::min(at, bytes.size()),
                     bytes.begin() + std::min(end, bytes.size()));
    }

    RawPeer listener = RawPeer::listenOn(Port, 4096);
    RawPeer console;
    Game game;
    Network& network = game.getNetwork();
};

// Unknown codes and payloads too short for their message are dropped; neither stops the requests
// behind them, and a console that reads slowly still gets every reply whole. The monster's cell
// goes out only while it is present.
TEST_F(NetworkTest, RequestsAreAnsweredInOrderPastUnreadablePayloadsEvenToASlowReader)
{
    game.getMonster().setPosition(7, 300);
    game.getMonster().setPresent(true);
    network.sendInteraction(24);
    network.sendPlayerMoved();
    network.sendPlayerLost();
    const int rounds = 3000;
    const Bytes requests = frames(SendObjectPosition{3}, Bytes{0, 0, 0, 0}, SendMonsterPosition{},
                                  Bytes{0, 0, 0, 6, 0, 0, 0, 9, 1, 2},
                                  Bytes{0, 0, 0, 4, 0, 0, 0, 3}, SendObjectPosition{7});
    const Bytes expected =
        frames(Interaction{24}, PlayerMoved{}, PlayerLost{},
               repeated(frames(ObjectPosition{0, 0}, MonsterPosition{7, 300}, ObjectPosition{0, 0}),
                        rounds));
    const Bytes replies = [&] {
        CapturedOutput trace;
        CapturedOutput errors(CapturedOutput::StandardError);
        console.send(repeated(requests, rounds), [this] { network.poll(); });
        return received(expected.size());
    }();
    EXPECT_TRUE(sameMessages(replies, expected));
    game.getMonster().setPresent(false);
    network.sendMonsterPosition();
    EXPECT_EQ(received(16), frames(MonsterPosition{0, 0}));
}

// The doors answer to the values the LoadMap gave them, in reading order.
TEST_F(NetworkTest, LoadMapStartsTheLevelAndTheOperatorWorksItsDoorsAndObjects)
{
    game.setState(GameState::InMenu);
    deliver(frames(LoadMap{0, {10, 13}}));
    EXPECT_EQ(game.getState(), GameState::StartGame);

    EXPECT_EQ(deliver(frames(UpdateDoor{10}, UpdateDoor{13}, SendObjectPosition{7})),
              "updateDoor : 10\nClosing door (5;2)\n"
              "updateDoor : 13\nOpening Door (2;4)\n"
              "Recive order to send object 7 position\n");
    EXPECT_EQ(received(16), frames(ObjectPosition{8, 6}));
    // Taking it reports the object itself.
    game.getLevel().interact(8, 6);
    EXPECT_EQ(received(12), frames(Interaction{7}));
}

TEST_F(NetworkTest, ShocksDarkenTheViewOnlyWhenThePlantRebootsAndPowerOnRestoresIt)
{
    const struct {
        ConsoleMessage message;
        const char* trace;
        bool dark;
    } steps[] = {
        {ShockMonster{false}, "Recive order to shock monster\nnbTunrn paralize : 2\n", false},
        {ShockMonster{true}, "Recive order to shock monster\nnbTunrn paralize : 5\n", true},
        {PowerOn{}, "", false},
    };
    Player& player = game.getPlayer();
    const float lit = player.getDarkness();
    const StillAudio still;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.trace);
        EXPECT_EQ(deliver(frames(step.message)), step.trace);
        player.update(5.f);
        EXPECT_EQ(player.getDarkness() > lit, step.dark);
    }
    EXPECT_TRUE(playing(game.getSfx(), Sfx::VoicePowerOn));
}

// A scan behind the end of the game on the same connection is not answered, and reports made
// while no console listens are lost rather than kept for the next one. A join reaches only a
// console listening at the address, and replaces the connection it finds.
TEST_F(NetworkTest, EndOfGameStoresTheFiguresAndHangsUpUntilAJoinReachesAListeningConsole)
{
    deliver(
        frames(SendMonsterPosition{}, EndOfGame{1.5f, {1, 2, 3, 4, 5, 6}}, SendMonsterPosition{}));
    EXPECT_TRUE(console.closed());
    EXPECT_EQ(console.readAvailable(), frames(MonsterPosition{0, 0}));
    const ScoreEntry& entry = game.getScore().currentEntry();
    EXPECT_EQ((std::vector<int>{entry.getDoorOpen(), entry.getDoorClose(), entry.getScan(),
                                entry.getDetection(), entry.getShock(), entry.getReboot()}),
              (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FLOAT_EQ(entry.getTotal(), -1.5f);
    EXPECT_EQ(network.getStatus(), NetworkStatus::Connected);
    network.sendPlayerLost();

    for (const char* nobodyListens : {"127.0.0.2", "", "no-such-console.invalid"})
        EXPECT_EQ(joinAt(nobodyListens), NetworkStatus::Offline) << "'" << nobodyListens << "'";
    join();
    RawPeer first = std::move(console);
    join();
    EXPECT_TRUE(first.closed());
    EXPECT_EQ(first.readAvailable(), Bytes{});
    network.sendPlayerMoved();
    EXPECT_EQ(received(8), frames(PlayerMoved{}));
}

// Either way the game hangs up on that console and can join again.
TEST_F(NetworkTest, ConsoleSendingAnOversizedFrameOrNeverReadingIsCutOff)
{
    const struct {
        Bytes sent;
        const char* error;
    } cases[] = {
        {Bytes(60000, 0xff), "4294967295 bytes"},
        {repeated(frames(SendMonsterPosition{}), 80000), "has stopped reading"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.error);
        join();
        CapturedOutput trace;
        CapturedOutput errors(CapturedOutput::StandardError);
        console.send(row.sent, [this] { network.poll(); });
        for (int i = 0; i < 5; ++i)
            network.poll();
        EXPECT_THAT(errors.take(), HasSubstr(row.error));
        EXPECT_TRUE(console.closed());
        EXPECT_EQ(network.getStatus(), NetworkStatus::Connected);
    }
}

// A poll takes at most a mebibyte (and the socket's last chunk): a console that floods the game
// must not hold its frame. What is left waits for the next polls.
TEST_F(NetworkTest, FloodLargerThanAPollsShareIsTakenOverSeveralPollsWithNothingLost)
{
    const Bytes request = frames(UpdateDoor{100});
    const std::size_t pollShare = (1024 * 1024 + 16384) / request.size() + 1;
    const std::size_t line = std::string("updateDoor : 100\n").size();
    // Room for the whole flood before the game reads, where the system allows it.
    RawPeer::setBufferOfConnectionsTo(Port, SO_RCVBUF, 4 * 1024 * 1024);
    CapturedOutput trace;
    std::size_t written = 0;
    std::size_t mostInOnePoll = 0;
    const auto pollOnce = [&] {
        network.poll();
        const std::size_t more = trace.take().size();
        mostInOnePoll = std::max(mostInOnePoll, more);
        written += more;
        return written >= 3 * pollShare * line;
    };
    console.send(repeated(request, 3 * static_cast<int>(pollShare)), pollOnce);
    waitUntil(pollOnce, std::chrono::seconds(30));
    EXPECT_LE(mostInOnePoll, pollShare * line);
    EXPECT_EQ(written, 3 * pollShare * line);
}

TEST(NetworkTestDeathTest, LevelOutsideTheCatalogueEndsTheGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Bytes payload = RawPeer::payloadOf(encode(LoadMap{7, {}}));
    EXPECT_EXIT(Game().getNetwork().dispatch(payload.data(), payload.size()),
                testing::ExitedWithCode(1), "level 7");
}

} // namespace
