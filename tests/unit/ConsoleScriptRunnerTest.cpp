#include "console/ScriptRunner.hpp"

#include "support/RawPeer.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <thread>

namespace {

// Runs a script against a console listening on 127.0.0.1:3000 in a thread of its own, while
// the test plays the game's side on the wire.
class ScriptRun {
public:
    explicit ScriptRun(const std::string& script)
        : console(LevelCatalogue("data/level"), settings())
    {
        std::string problem;
        listening = console.listen("127.0.0.1", problem) == GameLink::ListenResult::Listening;
        int ends[2];
        if (pipe(ends) != 0)
            return;
        ssize_t written = write(ends[1], script.data(), script.size());
        close(ends[1]);
        input = ends[0];
        complete = written == static_cast<ssize_t>(script.size());
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

    bool ready() const { return listening && complete; }
    std::ostringstream out;
    std::ostringstream errors;

private:
    static Operator::Settings settings()
    {
        Operator::Settings result;
        result.seed = 1;
        result.autoEnd = false;
        return result;
    }

    Operator console;
    bool listening = false;
    bool complete = false;
    int input = -1;
    int status = -1;
    std::thread runner;
};

std::vector<std::uint8_t> floatBytes(float value)
{
    std::vector<std::uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

TEST(ConsoleScriptRunnerTest, ScriptDrivesTheGameAndPrintsItsReports)
{
    ScriptRun run("wait-join 5\n"
                  "load 0\n"
                  "close 2\n"
                  "open 2\n"
                  "door 12\n"
                  "scan\n"
                  "locate 5\n"
                  "shock reboot\n"
                  "shock noreboot\n"
                  "power\n"
                  "expect moved 1 within 5\n"
                  "expect object 2 6\n"
                  "expect interaction 24\n"
                  "end\n"
                  "load 3 9 8\n"
                  "end 12.5 1 2 3 4 5 6\n"
                  "quit\n"
                  "scan\n");
    ASSERT_TRUE(run.ready());
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    ASSERT_TRUE(game.isConnected());

    EXPECT_EQ(game.readPayload(), RawPeer::ints({1, 0, 2, 8, 10}));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 10}));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 11}));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({0, 12}));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({2}));
    EXPECT_EQ(game.readPayload(), RawPeer::ints({4, 5}));
    std::vector<std::uint8_t> shock = RawPeer::ints({3});
    shock.push_back(1);
    EXPECT_EQ(game.readPayload(), shock);
    shock.back() = 0;
    EXPECT_EQ(game.readPayload(), shock);
    EXPECT_EQ(game.readPayload(), RawPeer::ints({5}));

    game.sendFrame(RawPeer::ints({1}));
    game.sendFrame(RawPeer::ints({4, 2, 6}));
    game.sendFrame(RawPeer::ints({0, 24}));

    std::vector<std::uint8_t> report = RawPeer::ints({6});
    std::vector<std::uint8_t> bills = floatBytes(25.f * 3 + 50.f + 75.f + 150.f * 2 + 500.f);
    std::vector<std::uint8_t> counters = RawPeer::ints({1, 2, 1, 1, 2, 1});
    report.insert(report.end(), bills.begin(), bills.end());
    report.insert(report.end(), counters.begin(), counters.end());
    EXPECT_EQ(game.readPayload(), report);
    EXPECT_EQ(game.readPayload(), RawPeer::ints({1, 3, 2, 9, 8}));

    std::vector<std::uint8_t> given = RawPeer::ints({6});
    bills = floatBytes(12.5f);
    counters = RawPeer::ints({1, 2, 3, 4, 5, 6});
    given.insert(given.end(), bills.begin(), bills.end());
    given.insert(given.end(), counters.begin(), counters.end());
    EXPECT_EQ(game.readPayload(), given);

    EXPECT_EQ(run.finish(), 0) << run.errors.str();
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), std::vector<std::uint8_t>());
    EXPECT_EQ(run.out.str(), "joined 127.0.0.1\nmoved 1\nobject 2 6\ninteraction 24\n");
}

TEST(ConsoleScriptRunnerTest, ExpectThatTimesOutFailsTheScript)
{
    ScriptRun run("wait-join 5\nexpect lost within 0.3\nscan\n");
    ASSERT_TRUE(run.ready());
    RawPeer game = RawPeer::connectTo(Protocol::Port);
    game.sendFrame(RawPeer::ints({1}));

    EXPECT_EQ(run.finish(), 1);
    EXPECT_NE(run.errors.str().find("script line 2: expect lost: not seen within 0.3 s"),
              std::string::npos)
        << run.errors.str();
    EXPECT_EQ(run.out.str(), "joined 127.0.0.1\nmoved 1\n");
    EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), std::vector<std::uint8_t>());
}

TEST(ConsoleScriptRunnerTest, BadCommandsAndMissingGameStopTheScript)
{
    {
        ScriptRun run("wait-join 5\n# a comment\n\nlocate 9\nscan\n");
        ASSERT_TRUE(run.ready());
        RawPeer game = RawPeer::connectTo(Protocol::Port);
        EXPECT_EQ(run.finish(), 1);
        EXPECT_NE(run.errors.str().find("script line 4: locate"), std::string::npos)
            << run.errors.str();
        EXPECT_EQ(game.readPayload(std::chrono::milliseconds(300)), std::vector<std::uint8_t>());
    }
    {
        ScriptRun run("scan\n");
        ASSERT_TRUE(run.ready());
        EXPECT_EQ(run.finish(), 1);
        EXPECT_NE(run.errors.str().find("script line 1: no game is connected"), std::string::npos);
    }
    {
        ScriptRun run("wait-join 0.2\n");
        ASSERT_TRUE(run.ready());
        EXPECT_EQ(run.finish(), 1);
        EXPECT_NE(run.errors.str().find("wait-join: no game joined within 0.2 s"),
                  std::string::npos);
    }
}

TEST(ConsoleScriptRunnerTest, GameLeavingIsPrintedAndAnotherCanJoin)
{
    ScriptRun run("wait-join 5\nexpect disconnected\nwait-join 5\nexpect joined\nscan\nquit\n");
    ASSERT_TRUE(run.ready());
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
