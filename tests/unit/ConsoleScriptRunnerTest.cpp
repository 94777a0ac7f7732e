#include "console/ScriptRunner.hpp"

#include "support/RawPeer.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace {

using Bytes = RawPeer::Bytes;

// Runs a script against a console listening on 127.0.0.1:3000 in a thread of
// its own, while the test plays the game's side on the wire.
class ScriptRun {
public:
    explicit ScriptRun(const std::string& script)
    {
        std::string problem;
        int ends[2];
        ready = console.listen("127.0.0.1", problem) == GameLink::ListenResult::Listening &&
                pipe(ends) == 0 &&
                write(ends[1], script.data(), script.size()) == ssize_t(script.size());
        close(ends[1]);
        input = ends[0];
        runner = std::thread([this] { status = ScriptRunner(console, input, out, errors).run(); });
    }
    ~ScriptRun()
    {
        finish();
        close(input);
    }

    int finish()
    {
        if (runner.joinable())
            runner.join();
        return status;
    }

    bool ready = false;
    std::ostringstream out;
    std::ostringstream errors;

private:
    Operator console{LevelCatalogue("data/level"), [] {
                         Operator::Settings settings;
                         settings.seed = 1;
                         settings.autoEnd = false;
                         return settings;
                     }()};
    int input = -1;
    int status = -1;
    std::thread runner;
};

Bytes payloadOf(const Protocol::ConsoleMessage& message)
{
    return RawPeer::payloadOf(Protocol::encode(message));
}

Protocol::EndOfGame endOfGame(float bills, const OperatorCounters& counters)
{
    Protocol::EndOfGame end;
    end.bills = bills;
    end.counters = counters;
    return end;
}

TEST(ConsoleScriptRunnerTest, ScriptDrivesTheGameAndPrintsItsReports)
{
    ScriptRun run("wait-join 5\nload 0\nclose 2\nopen 2\ndoor 12\nscan\nlocate 5\n"
                  "shock reboot\nshock noreboot\npower\n"
                  "expect moved 1 within 5\nexpect object 2 6\nexpect interaction 24\n"
                  "end\nload 3 9 8\nend 12.5 1 2 3 4 5 6\nquit\nscan\n");
    ASSERT_TRUE(run.ready);
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    ASSERT_TRUE(game.isConnected());

    const Protocol::ConsoleMessage sent[] = {Protocol::LoadMap{0, {8, 10}},
                                             Protocol::UpdateDoor{10},
                                             Protocol::UpdateDoor{11},
                                             Protocol::UpdateDoor{12},
                                             Protocol::SendMonsterPosition{},
                                             Protocol::SendObjectPosition{5},
                                             Protocol::ShockMonster{true},
                                             Protocol::ShockMonster{false},
                                             Protocol::PowerOn{}};
    for (const Protocol::ConsoleMessage& message : sent)
        EXPECT_EQ(game.readPayload(), payloadOf(message));

    game.sendFrame(RawPeer::ints({1}));
    game.sendFrame(RawPeer::ints({4, 2, 6}));
    game.sendFrame(RawPeer::ints({0, 24}));
    EXPECT_EQ(game.readPayload(), payloadOf(endOfGame(1000.f, {1, 2, 1, 1, 2, 1})));
    EXPECT_EQ(game.readPayload(), payloadOf(Protocol::LoadMap{3, {9, 8}}));
    EXPECT_EQ(game.readPayload(), payloadOf(endOfGame(12.5f, {1, 2, 3, 4, 5, 6})));

    EXPECT_EQ(run.finish(), 0) << run.errors.str();
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), Bytes());
    EXPECT_EQ(run.out.str(), "joined 127.0.0.1\nmoved 1\nobject 2 6\ninteraction 24\n");
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
        {"scan\n", false, "script line 1: no game is connected", ""},
        {"wait-join 0.2\n", false, "wait-join: no game joined within 0.2 s", ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.script);
        ScriptRun run(row.script);
        ASSERT_TRUE(run.ready);
        RawPeer game;
        if (row.gameJoins) {
            game = RawPeer::connectTo(Protocol::Port);
            game.sendFrame(RawPeer::ints({1}));
        }
        EXPECT_EQ(run.finish(), 1);
        EXPECT_NE(run.errors.str().find(row.error), std::string::npos) << run.errors.str();
        if (row.out) {
            EXPECT_EQ(run.out.str(), row.out);
        }
        EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), Bytes());
    }
}

TEST(ConsoleScriptRunnerTest, GameLeavingIsPrintedAndAnotherCanJoin)
{
    ScriptRun run("wait-join 5\nexpect disconnected\nwait-join 5\nexpect joined\nscan\nquit\n");
    ASSERT_TRUE(run.ready);
    {
        RawPeer first = RawPeer::connectTo(Protocol::Port);
        ASSERT_TRUE(first.isConnected());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    RawPeer second = RawPeer::connectTo(Protocol::Port);
    EXPECT_EQ(second.readPayload(), RawPeer::ints({2}));
    EXPECT_EQ(run.finish(), 0) << run.errors.str();
    EXPECT_EQ(run.out.str(), "joined 127.0.0.1\ndisconnected\njoined 127.0.0.1\n");
}

} // namespace
