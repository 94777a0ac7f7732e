#include "script/ScriptCommand.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Kind = ScriptCommand::Kind;

// What a script run does not show: defaults, spacing, signs, comments.
TEST(ConsoleScriptCommandTest, CommandsReadTheirArguments)
{
    ScriptCommand end = parseScriptCommand("end 275.5 1 2 3 4 5 6");
    EXPECT_TRUE(end.hasFigures);
    EXPECT_FLOAT_EQ(end.bills, 275.5f);
    EXPECT_EQ(end.numbers, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_FALSE(parseScriptCommand("end").hasFigures);
    EXPECT_EQ(parseScriptCommand("shock").reboot, ShockDraw::Reboot::Draw);
    // Both wait 10 s by default.
    EXPECT_FLOAT_EQ(parseScriptCommand("wait-join").seconds, 10.f);
    EXPECT_FLOAT_EQ(parseScriptCommand("  wait-join   2.5 ").seconds, 2.5f);
    EXPECT_EQ(parseScriptCommand("door -4").numbers, (std::vector<int>{-4}));

    ScriptCommand expect = parseScriptCommand("expect monster 4 5 within 1.5");
    EXPECT_EQ(expect.words, (std::vector<std::string>{"monster", "4", "5"}));
    EXPECT_FLOAT_EQ(expect.seconds, 1.5f);
    EXPECT_FLOAT_EQ(parseScriptCommand("expect lost").seconds, 10.f);
    for (const char* comment : {"", "   \t", "# load 0"})
        EXPECT_EQ(parseScriptCommand(comment).kind, Kind::Comment) << comment;
}

TEST(ConsoleScriptCommandTest, MalformedLinesAreRefusedWithAReason)
{
    std::istringstream lines(
        "jump;load;load one;door;door 8 9;open x;locate 2;locate 8;locate;shock twice;end 1 2 3;"
        "end x 1 2 3 4 5 6;expect;expect party;expect moved within;expect moved within -1;sleep;"
        "sleep nan;wait-join soon;scan now;quit please;load 99999999999");
    for (std::string line; std::getline(lines, line, ';');) {
        ScriptCommand command = parseScriptCommand(line);
        EXPECT_EQ(command.kind, Kind::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
    }
}

} // namespace
