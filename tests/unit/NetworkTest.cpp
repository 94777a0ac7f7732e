#include "core/Game.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <malloc.h>

#include <chrono>
#include <string>
#include <thread>

namespace {

using Protocol::Bytes;
using testing::HasSubstr;

// A frame around a payload of fewer than 256 bytes.
Bytes frame(const Bytes& payload)
{
    Bytes bytes(Protocol::HeaderSize, 0);
    bytes.back() = static_cast<std::uint8_t>(payload.size());
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes bytes;
    for (const Bytes& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

// The console's side of one test: listens where the game connects, holds the accepted peer.
struct TestConsole {
    explicit TestConsole(int receiveBuffer = 0) : listener(Protocol::Port, receiveBuffer) {}
    RawListener listener;
    RawPeer peer;
};

void joinGame(Game& game, TestConsole& console)
{
    ASSERT_TRUE(console.listener.isListening());
    game.getNetwork().getAddress() = "127.0.0.1";
    game.getNetwork().getStatus() = NetworkStatus::Connecting;
    game.getNetwork().poll();
    ASSERT_EQ(game.getNetwork().getStatus(), NetworkStatus::Connected);
    console.peer = console.listener.accept();
    ASSERT_TRUE(console.peer.isConnected());
}

// Lets bytes written on the loopback reach the game's socket, then runs one poll.
void pollOnce(Game& game)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    game.getNetwork().poll();
}

// Reads from the console's side until `count` bytes have come, polling the game meanwhile.
Bytes collect(Game& game, TestConsole& console, std::size_t count)
{
    Bytes bytes;
    waitUntil([&] {
        game.getNetwork().poll();
        const Bytes more = console.peer.readAvailable();
        bytes.insert(bytes.end(), more.begin(), more.end());
        return bytes.size() >= count;
    });
    return bytes;
}

std::string capturedPoll(Game& game)
{
    testing::internal::CaptureStdout();
    pollOnce(game);
    return testing::internal::GetCapturedStdout();
}

TEST(NetworkTest, JoinConnectsOnlyToAConsoleThatListens)
{
    Game game;
    Network& network = game.getNetwork();

    network.getAddress() = "127.0.0.1";
    network.getStatus() = NetworkStatus::Connecting;
    network.poll();
    EXPECT_EQ(network.getStatus(), NetworkStatus::Offline);

    RawListener console(Protocol::Port);
    ASSERT_TRUE(console.isListening());
    for (const char* address : {"", "no-such-console.invalid"}) {
        network.getAddress() = address;
        network.getStatus() = NetworkStatus::Connecting;
        network.poll();
        EXPECT_EQ(network.getStatus(), NetworkStatus::Offline) << "address '" << address << "'";
    }

    network.getAddress() = "127.0.0.1";
    network.getStatus() = NetworkStatus::Connecting;
    network.poll();
    EXPECT_EQ(network.getStatus(), NetworkStatus::Connected);
    EXPECT_TRUE(console.accept().isConnected());
}

TEST(NetworkTest, ReportsGoOutFramedByteForByte)
{
    Game game;
    TestConsole console;
    joinGame(game, console);
    Network& network = game.getNetwork();

    game.getMonster().setPosition(7, 300);
    game.getMonster().setPresent(true);
    network.sendInteraction(24);
    network.sendPlayerMoved();
    network.sendPlayerLost();
    network.sendMonsterPosition();
    game.getMonster().setPresent(false);
    network.sendMonsterPosition();
    network.sendObjectPosition(6);

    const Bytes expected = concat({
        {0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0x18},
        {0, 0, 0, 4, 0, 0, 0, 1},
        {0, 0, 0, 4, 0, 0, 0, 2},
        {0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 7, 0, 0, 1, 0x2c},
        {0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 12, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0},
    });
    EXPECT_EQ(collect(game, console, expected.size()), expected);
}

TEST(NetworkTest, RequestsInOneFrameAreAnsweredInOrderWithinThatFrame)
{
    Game game;
    TestConsole console;
    joinGame(game, console);
    game.getMonster().setPosition(4, 5);
    game.getMonster().setPresent(true);

    console.peer.send(concat({
        frame({0, 0, 0, 4, 0, 0, 0, 3}),
        frame({0, 0, 0, 2}),
        frame({0, 0, 0, 9, 1, 2, 3}), // unknown code: skipped without a word
        frame({0, 0, 0, 4, 0, 0, 0, 7}),
    }));
    const std::string trace = capturedPoll(game);

    EXPECT_EQ(trace, "Recive order to send object 3 position\n"
                     "Recive order to send monster position\n"
                     "Recive order to send object 7 position\n");
    const Bytes expected = concat({
        {0, 0, 0, 12, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5},
        {0, 0, 0, 12, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0},
    });
    EXPECT_EQ(console.peer.readAvailable(), expected);
}

TEST(NetworkTest, LoadMapStartsTheLevelAndTheOperatorWorksItsDoorsAndObjects)
{
    Game game;
    TestConsole console;
    joinGame(game, console);
    game.setState(GameState::InMenu);

    console.peer.send(frame({0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 10, 0, 0, 0, 13}));
    const std::string loaded = capturedPoll(game);

    EXPECT_EQ(loaded.rfind("Load map call", 0), 0u);
    const std::size_t firstPacket = loaded.find("packetDoor0 : 10\npacketDoor1 : 13\n");
    const std::size_t firstMapped = loaded.find("MapDoor0 : 10 (5;2)\nMapDoor1 : 13 (2;4)\n");
    ASSERT_NE(firstPacket, std::string::npos) << loaded;
    ASSERT_NE(firstMapped, std::string::npos) << loaded;
    EXPECT_LT(firstPacket, firstMapped);
    EXPECT_EQ(game.getState(), GameState::StartGame);
    EXPECT_EQ(game.getLevel().getCell(5, 2), 10);
    EXPECT_EQ(game.getLevel().getCell(2, 4), 13);

    console.peer.send(concat({
        frame({0, 0, 0, 0, 0, 0, 0, 10}),
        frame({0, 0, 0, 0, 0, 0, 0, 13}),
        frame({0, 0, 0, 4, 0, 0, 0, 7}),
    }));
    const std::string operated = capturedPoll(game);

    EXPECT_EQ(operated, "updateDoor : 10\nClosing door (5;2)\n"
                        "updateDoor : 13\nOpening Door (2;4)\n"
                        "Recive order to send object 7 position\n");
    EXPECT_EQ(game.getLevel().getCell(5, 2), 11);
    EXPECT_EQ(game.getLevel().getCell(2, 4), 12);
    EXPECT_EQ(collect(game, console, 16), (Bytes{0, 0, 0, 12, 0, 0, 0, 4, 0, 0, 0, 8, 0, 0, 0, 6}));
}

TEST(NetworkTest, ShocksDarkenTheViewOnlyWhenThePlantRebootsAndPowerOnRestoresIt)
{
    Game game;
    TestConsole console;
    joinGame(game, console);
    Player& player = game.getPlayer();
    const float lit = player.getDarkness();

    console.peer.send(frame({0, 0, 0, 3, 0}));
    EXPECT_EQ(capturedPoll(game), "Recive order to shock monster\nnbTunrn paralize : 2\n");
    player.update(5.f);
    EXPECT_FLOAT_EQ(player.getDarkness(), lit);

    console.peer.send(frame({0, 0, 0, 3, 2}));
    EXPECT_EQ(capturedPoll(game), "Recive order to shock monster\nnbTunrn paralize : 5\n");
    player.update(5.f);
    EXPECT_GT(player.getDarkness(), lit);

    console.peer.send(frame({0, 0, 0, 5}));
    EXPECT_EQ(capturedPoll(game), "");
    player.update(5.f);
    EXPECT_FLOAT_EQ(player.getDarkness(), lit);
}

TEST(NetworkTest, LoadMapTakesNoMoreDoorsThanItCarries)
{
    Game game;
    TestConsole console;
    joinGame(game, console);

    console.peer.send(
        frame({0, 0, 0, 1, 0, 0, 0, 0, 0x7f, 0xff, 0xff, 0xff, 0, 0, 0, 8, 0, 0, 0, 9}));
    testing::internal::CaptureStderr();
    std::string trace = capturedPoll(game);
    testing::internal::GetCapturedStderr();
    EXPECT_THAT(trace, HasSubstr("packetDoor0 : 8\npacketDoor1 : 9\n"));
    EXPECT_THAT(trace, testing::Not(HasSubstr("packetDoor2")));

    console.peer.send(frame({0, 0, 0, 1, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0, 0, 0, 8}));
    testing::internal::CaptureStderr();
    trace = capturedPoll(game);
    testing::internal::GetCapturedStderr();
    EXPECT_THAT(trace, testing::Not(HasSubstr("packetDoor")));
    EXPECT_EQ(game.getState(), GameState::StartGame);
}

TEST(NetworkTest, EndOfGameStoresTheFiguresAndHangsUpUntilTheNextJoin)
{
    Game game;
    TestConsole console;
    joinGame(game, console);

    // A scan, EndOfGame (bills 1.5 as little-endian float bytes, then the six counters), and a
    // scan behind it on the same connection: only the first is answered.
    console.peer.send(concat({
        frame({0, 0, 0, 2}),
        frame({0, 0, 0, 6, 0x00, 0x00, 0xc0, 0x3f, 0, 0, 0, 1, 0, 0, 0, 2,
               0, 0, 0, 3, 0,    0,    0,    4,    0, 0, 0, 5, 0, 0, 0, 6}),
        frame({0, 0, 0, 2}),
    }));
    const std::string trace = capturedPoll(game);

    EXPECT_THAT(trace, HasSubstr("Total : 1.5\n"));
    EXPECT_THAT(trace, HasSubstr("[SCORE] TOTAL : 1.5"));
    EXPECT_EQ(trace.find("monster position"), trace.rfind("monster position"));
    EXPECT_EQ(console.peer.readAvailable(),
              (Bytes{0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0}));
    const ScoreEntry& entry = game.getScore().currentEntry();
    EXPECT_FLOAT_EQ(entry.getBills(), 1.5f);
    EXPECT_EQ(entry.getDoorOpen(), 1);
    EXPECT_EQ(entry.getDoorClose(), 2);
    EXPECT_EQ(entry.getScan(), 3);
    EXPECT_EQ(entry.getDetection(), 4);
    EXPECT_EQ(entry.getShock(), 5);
    EXPECT_EQ(entry.getReboot(), 6);
    EXPECT_FLOAT_EQ(entry.getTotal(), -1.5f);
    EXPECT_TRUE(console.peer.closed());
    EXPECT_EQ(game.getNetwork().getStatus(), NetworkStatus::Connected);

    game.getNetwork().sendPlayerMoved();
    EXPECT_EQ(capturedPoll(game), "");

    joinGame(game, console);
    game.getNetwork().sendPlayerMoved();
    EXPECT_EQ(collect(game, console, 8), (Bytes{0, 0, 0, 4, 0, 0, 0, 1}));
}

TEST(NetworkTest, JoinWhileConnectedReplacesTheConnection)
{
    Game game;
    TestConsole console;
    joinGame(game, console);

    game.getNetwork().getStatus() = NetworkStatus::Connecting;
    game.getNetwork().poll();
    EXPECT_EQ(game.getNetwork().getStatus(), NetworkStatus::Connected);
    EXPECT_TRUE(console.peer.closed());
    console.peer = console.listener.accept();
    game.getNetwork().sendPlayerLost();
    EXPECT_EQ(collect(game, console, 8), (Bytes{0, 0, 0, 4, 0, 0, 0, 2}));
}

TEST(NetworkTest, ShortPayloadsAreDroppedWholeWithAWord)
{
    Game game;
    TestConsole console;
    joinGame(game, console);

    console.peer.send(concat({
        frame({}),
        frame({0, 0, 0, 4, 0, 0}),       // SendObjectPosition cut in its value
        frame({0, 0, 0, 3}),             // ShockMonster without its Bool
        frame({0, 0, 0, 6, 0, 0, 0, 0}), // EndOfGame without its counters
        frame({0, 0, 0, 1, 0, 0, 0, 9}), // LoadMap of a missing level, but without n
        frame({0, 0, 0, 4, 0, 0, 0, 5}),
    }));
    testing::internal::CaptureStderr();
    const std::string trace = capturedPoll(game);
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(trace, "Recive order to send object 5 position\n");
    EXPECT_THAT(errors, HasSubstr("0 bytes, too short for its code"));
    EXPECT_THAT(errors, HasSubstr("too short for SendObjectPosition"));
    EXPECT_THAT(errors, HasSubstr("too short for ShockMonster"));
    EXPECT_THAT(errors, HasSubstr("too short for EndOfGame"));
    EXPECT_THAT(errors, HasSubstr("too short for LoadMap"));
    EXPECT_FLOAT_EQ(game.getScore().currentEntry().getBills(), 0.f);
    EXPECT_EQ(collect(game, console, 16), (Bytes{0, 0, 0, 12, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(NetworkTest, HalfAFrameWaitsForTheRestAndDiesQuietlyWithItsPeer)
{
    Game game;
    TestConsole console;
    joinGame(game, console);

    console.peer.send({0, 0, 0, 8, 0, 0, 0});
    EXPECT_EQ(capturedPoll(game), "");
    console.peer.send({4, 0, 0, 0, 3});
    EXPECT_EQ(capturedPoll(game), "Recive order to send object 3 position\n");

    console.peer.send({0, 0, 0, 8, 0, 0, 0, 4, 0});
    console.peer.hangUp();
    EXPECT_EQ(capturedPoll(game), "");
    EXPECT_EQ(capturedPoll(game), "");
    EXPECT_EQ(game.getNetwork().getStatus(), NetworkStatus::Connected);
    game.getNetwork().sendPlayerMoved();
}

TEST(NetworkTest, FrameClaimingGigabytesClosesTheConnectionWithoutBufferingIt)
{
    Game game;
    TestConsole console;
    joinGame(game, console);

    Bytes flood{0xff, 0xff, 0xff, 0xff};
    flood.resize(60000, 0x55);
    console.peer.send(flood);
    testing::internal::CaptureStderr();
    const std::size_t heldBefore = mallinfo2().uordblks;
    pollOnce(game);
    const std::size_t heldAfter = mallinfo2().uordblks;
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_THAT(errors, HasSubstr("4294967295 bytes"));
    EXPECT_TRUE(console.peer.closed());
    EXPECT_LT(heldAfter, heldBefore + 32768);
    EXPECT_EQ(game.getNetwork().getStatus(), NetworkStatus::Connected);
}

Bytes scanRequests(int count)
{
    Bytes requests;
    for (int i = 0; i < count; ++i) {
        const Bytes request = frame({0, 0, 0, 2});
        requests.insert(requests.end(), request.begin(), request.end());
    }
    return requests;
}

TEST(NetworkTest, ConsoleThatDoesNotReadStillGetsEveryReplyWhole)
{
    Game game;
    TestConsole console(4096);
    joinGame(game, console);
    RawPeer::setBufferOfConnectionsTo(Protocol::Port, SO_SNDBUF, 4096);
    game.getMonster().setPresent(true);
    game.getMonster().setPosition(2, 3);

    const int scans = 10000;
    testing::internal::CaptureStdout();
    console.peer.send(scanRequests(scans), [&game] { game.getNetwork().poll(); });
    for (int i = 0; i < 5; ++i)
        pollOnce(game);
    const std::string trace = testing::internal::GetCapturedStdout();

    std::size_t handled = 0;
    for (std::size_t at = trace.find("monster position"); at != std::string::npos;
         at = trace.find("monster position", at + 1))
        ++handled;
    EXPECT_EQ(handled, static_cast<std::size_t>(scans));

    const Bytes replies = collect(game, console, scans * 16);
    ASSERT_EQ(replies.size(), static_cast<std::size_t>(scans * 16));
    const Bytes reply{0, 0, 0, 12, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 3};
    for (int i = 0; i < scans; ++i)
        ASSERT_TRUE(std::equal(reply.begin(), reply.end(), replies.begin() + i * 16))
            << "reply " << i;
}

TEST(NetworkTest, ConsoleThatNeverReadsIsCutOffPastOneMebibyteOfReplies)
{
    Game game;
    TestConsole console(4096);
    joinGame(game, console);
    RawPeer::setBufferOfConnectionsTo(Protocol::Port, SO_SNDBUF, 4096);

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    console.peer.send(scanRequests(80000), [&game] { game.getNetwork().poll(); });
    for (int i = 0; i < 5; ++i)
        pollOnce(game);
    const std::string errors = testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();

    EXPECT_THAT(errors, HasSubstr("has stopped reading"));
    EXPECT_TRUE(console.peer.closed());
    EXPECT_EQ(game.getNetwork().getStatus(), NetworkStatus::Connected);
}

TEST(NetworkTest, ReportsWithoutAConnectionAreDropped)
{
    Game game;
    Network& network = game.getNetwork();
    network.sendInteraction(3);
    network.sendPlayerMoved();
    network.sendPlayerLost();
    network.sendMonsterPosition();
    network.sendObjectPosition(4);
    network.poll();
    EXPECT_EQ(network.getStatus(), NetworkStatus::Offline);
}

TEST(NetworkTestDeathTest, LevelOutsideTheCatalogueEndsTheGame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Bytes payload{0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0, 0};
    EXPECT_EXIT(
        {
            Game game;
            game.getNetwork().dispatch(payload.data(), payload.size());
        },
        testing::ExitedWithCode(1), "level 7");
}

} // namespace
