#include "script/ScriptRunner.hpp"

#include "support/RawPeer.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <thread>

namespace {

struct ScriptResult {
    int status = -1;
    std::ostringstream out;
    std::ostringstream errors;
};

// Runs a script against a console listening on 127.0.0.1:3000 in a thread of its own, while
// playGame plays the game's side on the wire.
ScriptResult runScript(const std::string& script, const std::function<void()>& playGame)
{
    Operator::Settings settings;
    settings.seed = 1;
    settings.autoEnd = false;
    Operator console(LevelCatalogue("data/level"), settings);
    std::string problem;
    EXPECT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
    int ends[2];
    EXPECT_EQ(pipe(ends), 0);
    EXPECT_EQ(write(ends[1], script.data(), script.size()), ssize_t(script.size()));
    close(ends[1]);
    ScriptResult result;
    std::thread runner(
        [&] { result.status = ScriptRunner(console, ends[0], result.out, result.errors).run(); });
    playGame();
    runner.join();
    close(ends[0]);
    return result;
}

RawPeer::Bytes payloadOf(const Protocol::ConsoleMessage& message)
{
    return RawPeer::payloadOf(Protocol::encode(message));
}

TEST(ConsoleScriptRunnerTest, ScriptDrivesEachGameThatJoinsAndPrintsItsReports)
{
    RawPeer game;
    const ScriptResult run = runScript(
        "wait-join 5\ndoor 99\nexpect disconnected\nwait-join 5\nload 0\nclose 2\nopen 2\ndoor 12\n"
        "scan\nlocate 5\nshock reboot\nshock noreboot\npower\nexpect moved 1 within 5\n"
        "expect object 2 6\nexpect interaction 24\nend\nload 3 9 8\nend 12.5 1 2 3 4 5 6\n"
        "quit\nscan\n",
        [&game] {
            // A game that leaves once it is seen, and comes straight back.
            game = RawPeer::connectTo(Protocol::Port);
            EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 99}));
            game.hangUp();
            game = RawPeer::connectTo(Protocol::Port);
            using namespace Protocol;
            const ConsoleMessage sent[] = {
                LoadMap{0, {8, 10}}, UpdateDoor{10},        UpdateDoor{11},
                UpdateDoor{12},      SendMonsterPosition{}, SendObjectPosition{5},
                ShockMonster{true},  ShockMonster{false},   PowerOn{}};
            for (const ConsoleMessage& message : sent)
                EXPECT_EQ(game.readPayload(), payloadOf(message));
            game.sendFrame(RawPeer::ints({1}));
            game.sendFrame(RawPeer::ints({4, 2, 6}));
            game.sendFrame(RawPeer::ints({0, 24}));
            EXPECT_EQ(game.readPayload(), payloadOf(EndOfGame{1000.f, {1, 2, 1, 1, 2, 1}}));
            EXPECT_EQ(game.readPayload(), payloadOf(LoadMap{3, {9, 8}}));
            EXPECT_EQ(game.readPayload(), payloadOf(EndOfGame{12.5f, {1, 2, 3, 4, 5, 6}}));
        });
    EXPECT_EQ(run.status, 0) << run.errors.str();
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), RawPeer::Bytes());
    EXPECT_EQ(run.out.str(),
              "joined 127.0.0.1\ndisconnected\njoined 127.0.0.1\nmoved 1\nobject 2 6\n"
              "interaction 24\n");
}

TEST(ConsoleScriptRunnerTest, FailingLinesStopTheScriptNamingTheLine)
{
    const struct {
        const char* script;
        bool gameJoins;
        const char* error;
        const char* out; // nullptr: not checked
    } cases[] = {
        {"wait-join 5\nexpect lost within 0.3\nscan\n", true,
         "script line 2: expect lost: not seen within 0.3 s", "joined 127.0.0.1\nmoved 1\n"},
        {"wait-join 5\n# a comment\n\nlocate 9\nscan\n", true, "script line 4: locate", nullptr},
        // An event met by one expect is not there for the next.
        {"wait-join 5\nexpect moved\nexpect moved within 0.3\n", true,
         "script line 3: expect moved: not seen within 0.3 s", nullptr},
        {"scan\n", false, "script line 1: no game is connected", ""},
        {"wait-join 0.2\n", false, "wait-join: no game joined within 0.2 s", ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.script);
        RawPeer game;
        const ScriptResult run = runScript(row.script, [&] {
            if (row.gameJoins) {
                game = RawPeer::connectTo(Protocol::Port);
                game.sendFrame(RawPeer::ints({1}));
            }
        });
        EXPECT_EQ(run.status, 1);
        EXPECT_THAT(run.errors.str(), testing::HasSubstr(row.error));
        if (row.out) {
            EXPECT_EQ(run.out.str(), row.out);
        }
        EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), RawPeer::Bytes());
    }
}

} // namespace
