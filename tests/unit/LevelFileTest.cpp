#include "common/LevelFile.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

TEST(LevelFileTest, EveryBrokenRuleIsNamed)
{
    const std::string room = "1 1 1  1 0 1  1 1 1";
    // The file's text, whether it carries a start, what the check says.
    const std::tuple<std::string, bool, const char*> cases[] = {
        {"2 3 1  1 1  1 1  1 1  1 1 1 1", false, "at least 3"},
        {"3 3 0  " + room + "  1 1 1 1", false, "N must be at least 1"},
        {"3 3 1  1 1 1  1 0 1  1 1", false, "cell (2;2) is missing"},
        {"3 3 1  1 1 1  1 x 1  1 1 1  1 1 1 1", false, "cell (1;1) is missing"},
        {"3 3 1  1 1 1  1 0 12  1 1 1  1 1 1 1", false, "holds 12"},
        {"3 3 1  1 1 1  1 0 1  1 -1 1  1 1 1 1", false, "holds -1"},
        {"3 3 1  1 1 1  1 0 0  1 1 1  1 1 1 1", false, "border cell (2;1) is floor"},
        {"3 3 1  1 1 1  1 3 1  1 1 1  1 1 1 1", false, "no floor"},
        {"12 3 1  1 1 1 1 1 1 1 1 1 1 1 1  1 0 8 8 8 8 8 8 8 8 8 1  1 1 1 1 1 1 1 1 1 1 1 1"
         "  1 1 1 1",
         false, "more than eight door cells"},
        {"3 3 1  " + room + "  1 0", false, "no spawn point"},
        {"3 3 1  " + room + "  1 2 1 1", false, "spawn point 1 is missing"},
        {"3 3 1  " + room + "  1 1 3 1", false, "spawn point (3;1) is outside the grid"},
        {"3 3 1  " + room + "  1 1 1 -1", false, "spawn point (1;-1) is outside the grid"},
        {"3 3 1  " + room, true, "start is missing"},
        {"3 3 1  " + room + "  3 0 0  1 1 1 1", true, "start cell (3;0) is outside"},
        // A huge claimed size costs only what the file holds.
        {"2000000000 2000000000 1  1 1 1", false, "is missing"},
    };
    for (const auto& [text, withStart, rule] : cases) {
        const LevelFile file = LevelFile::parse(text, withStart);
        EXPECT_NE(file.check().find(rule), std::string::npos) << text << " -> " << file.check();
        EXPECT_LE(file.cells.size(), 3u);
    }
}

} // namespace
