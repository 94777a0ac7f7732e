#include "console/ScriptCommand.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = ScriptCommand::Kind;

TEST(ConsoleScriptCommandTest, CommandsReadTheirArguments)
{
    ScriptCommand load = parseScriptCommand("load 2 8 11 12");
    EXPECT_EQ(load.kind, Kind::Load);
    EXPECT_EQ(load.numbers, (std::vector<int>{2, 8, 11, 12}));

    ScriptCommand end = parseScriptCommand("end 275.5 1 2 3 4 5 6");
    EXPECT_EQ(end.kind, Kind::End);
    EXPECT_TRUE(end.hasFigures);
    EXPECT_FLOAT_EQ(end.bills, 275.5f);
    EXPECT_EQ(end.numbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(parseScriptCommand("end").hasFigures);

    EXPECT_EQ(parseScriptCommand("shock").reboot, ShockDraw::Reboot::Draw);
    EXPECT_EQ(parseScriptCommand("shock reboot").reboot, ShockDraw::Reboot::Yes);
    EXPECT_EQ(parseScriptCommand("shock noreboot").reboot, ShockDraw::Reboot::No);
    EXPECT_FLOAT_EQ(parseScriptCommand("wait-join").seconds, defaultWaitSeconds);
    EXPECT_FLOAT_EQ(parseScriptCommand("  wait-join   2.5 ").seconds, 2.5f);
    EXPECT_EQ(parseScriptCommand("close 3").kind, Kind::Close);
    EXPECT_EQ(parseScriptCommand("door -4").numbers, (std::vector<int>{-4}));
    EXPECT_EQ(parseScriptCommand("quit").kind, Kind::Quit);
}

TEST(ConsoleScriptCommandTest, ExpectTakesEventWordsAndAnOptionalTimeOut)
{
    ScriptCommand expect = parseScriptCommand("expect monster 4 5 within 1.5");
    EXPECT_EQ(expect.kind, Kind::Expect);
    EXPECT_EQ(expect.words, (std::vector<std::string>{"monster", "4", "5"}));
    EXPECT_FLOAT_EQ(expect.seconds, 1.5f);

    ScriptCommand lost = parseScriptCommand("expect lost");
    EXPECT_EQ(lost.words, (std::vector<std::string>{"lost"}));
    EXPECT_FLOAT_EQ(lost.seconds, defaultWaitSeconds);
}

TEST(ConsoleScriptCommandTest, CommentsAndBlankLinesDoNothing)
{
    EXPECT_EQ(parseScriptCommand("").kind, Kind::Comment);
    EXPECT_EQ(parseScriptCommand("   \t").kind, Kind::Comment);
    EXPECT_EQ(parseScriptCommand("# load 0").kind, Kind::Comment);
}

TEST(ConsoleScriptCommandTest, MalformedLinesAreRefusedWithAReason)
{
    const char* const lines[] = {
        "jump", "load", "load one", "door", "door 8 9", "open x", "locate 2", "locate 8",
        "locate", "shock twice", "end 1 2 3", "end x 1 2 3 4 5 6", "expect", "expect party",
        "expect moved within", "expect moved within -1", "sleep", "sleep nan", "wait-join soon",
        "scan now", "quit please", "load 99999999999"};
    for (const char* line : lines) {
        ScriptCommand command = parseScriptCommand(line);
        EXPECT_EQ(command.kind, Kind::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
    }
}

}
