#include "common/LevelFile.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// Each rule's last accepted value passes and the first value beyond it is named.
TEST(LevelFileTest, EveryBrokenRuleIsNamedAndTheEdgesOfEachRangePass)
{
    const std::string room = "1 1 1  1 0 1  1 1 1";
    // The file's text, whether it carries a start, what the check says ("" when it passes).
    const std::tuple<std::string, bool, const char*> cases[] = {
        {"3 3 1  1 9 1  1 0 1  1 1 1  1 1 2 2", false, ""},
        {"3 3 1  " + room + "  0 0 0  1 2 0 0 2 2", true, ""},
        {"3 3 1  " + room + "  2 2 0  1 1 1 1", true, ""},
        {"11 3 1  1 1 1 1 1 1 1 1 1 1 1  1 0 8 8 8 8 8 8 8 8 1  1 1 1 1 1 1 1 1 1 1 1  1 1 1 1",
         false, ""},
        {"2 3 1  1 1  1 1  1 1  1 1 1 1", false, "at least 3"},
        {"3 2 1  1 1 1  1 1 1  1 1 1 1", false, "at least 3"},
        {"3 3 0  " + room + "  1 1 1 1", false, "N must be at least 1"},
        {"3 3 1  1 1 1  1 0 1  1 1", false, "cell (2;2) is missing"},
        {"3 3 1  1 1 1  1 x 1  1 1 1  1 1 1 1", false, "cell (1;1) is missing"},
        {"3 3 1  1 1 1  1 0 10  1 1 1  1 1 1 1", false, "holds 10"},
        {"3 3 1  1 1 1  1 0 1  1 -1 1  1 1 1 1", false, "holds -1"},
        {"3 3 1  1 1 1  1 0 0  1 1 1  1 1 1 1", false, "border cell (2;1) is floor"},
        {"3 3 1  1 1 1  1 0 1  1 0 1  1 1 1 1", false, "border cell (1;2) is floor"},
        {"3 3 1  1 1 1  1 3 1  1 1 1  1 1 1 1", false, "no floor"},
        {"12 3 1  1 1 1 1 1 1 1 1 1 1 1 1  1 0 8 8 8 8 8 8 8 8 8 1  1 1 1 1 1 1 1 1 1 1 1 1"
         "  1 1 1 1",
         false, "more than eight door cells"},
        {"3 3 1  " + room + "  1 0", false, "no spawn point"},
        {"3 3 1  " + room + "  1 2 1 1", false, "spawn point 1 is missing"},
        {"3 3 1  " + room + "  1 1 3 1", false, "spawn point (3;1) is outside the grid"},
        {"3 3 1  " + room + "  1 1 1 -1", false, "spawn point (1;-1) is outside the grid"},
        {"3 3 1  " + room + "  1 1 1 3", false, "spawn point (1;3) is outside the grid"},
        {"3 3 1  " + room, true, "start is missing"},
        {"3 3 1  " + room + "  3 0 0  1 1 1 1", true, "start cell (3;0) is outside"},
        // A huge claimed size costs only what the file holds.
        {"2000000000 2000000000 1  1 1 1", false, "is missing"},
    };
    for (const auto& [text, withStart, rule] : cases) {
        const LevelFile file = LevelFile::parse(text, withStart);
        const std::string broken = file.check();
        EXPECT_TRUE(*rule ? broken.find(rule) != std::string::npos : broken.empty())
            << text << " -> " << broken;
        EXPECT_LE(file.cells.size(), 3u);
    }
}

} // namespace
