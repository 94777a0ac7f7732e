#include "world/LevelFile.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(LevelFileTest, ReadsEveryPartOfAPlainLevelAndOfTheTutorial)
{
    const LevelFile plain =
        LevelFile::parse("5 4 1\n1 1 1 1 1\n1 0 3 0 1\n1 0 8 9 1\n1 1 1 1 1\n2 1 3 1\n", false);
    EXPECT_EQ(plain.check(), "");
    EXPECT_FALSE(plain.hasStart);
    EXPECT_EQ(plain.wanderSteps, 2);
    EXPECT_EQ(plain.spawnPoints, (std::vector<sf::Vector2i>{{3, 1}}));

    // The tutorial's start comes before the monster's part.
    const LevelFile tutorial =
        LevelFile::parse("3 3 1  1 1 1  1 0 1  1 1 1  2 1 1.5  3  1  1 1", true);
    EXPECT_EQ(tutorial.check(), "");
    EXPECT_TRUE(tutorial.hasStart);
    EXPECT_EQ(tutorial.start, sf::Vector2i(2, 1));
    EXPECT_FLOAT_EQ(tutorial.startAngle, 1.5f);
    EXPECT_EQ(tutorial.wanderSteps, 3);
    EXPECT_EQ(tutorial.spawnPoints, (std::vector<sf::Vector2i>{{1, 1}}));
}

TEST(LevelFileTest, EveryBrokenRuleIsNamed)
{
    const std::string room = "1 1 1  1 0 1  1 1 1";
    struct Case {
        std::string text;
        bool withStart;
        const char* rule;
    };
    const Case cases[] = {
        {"2 3 1  1 1  1 1  1 1  1 1 1 1", false, "at least 3"},
        {"3 3 0  " + room + "  1 1 1 1", false, "N must be at least 1"},
        {"3 3 -2  " + room + "  1 1 1 1", false, "N must be at least 1"},
        {"3 3 1  1 1 1  1 0 1  1 1", false, "cell (2;2) is missing"},
        {"3 3 1  1 1 1  1 x 1  1 1 1  1 1 1 1", false, "cell (1;1) is missing"},
        {"3 3 1  1 1 1  1 0 12  1 1 1  1 1 1 1", false, "holds 12"},
        {"3 3 1  1 1 1  1 0 1  1 -1 1  1 1 1 1", false, "holds -1"},
        {"3 3 1  1 1 1  1 0 0  1 1 1  1 1 1 1", false, "border cell (2;1) is floor"},
        {"3 3 1  1 1 1  1 3 1  1 1 1  1 1 1 1", false, "no floor"},
        {"12 3 1  1 1 1 1 1 1 1 1 1 1 1 1  1 0 8 8 8 8 8 8 8 8 8 1  1 1 1 1 1 1 1 1 1 1 1 1"
         "  1 1 1 1",
         false, "more than eight door cells"},
        {"3 3 1  " + room, false, "no spawn point"},
        {"3 3 1  " + room + "  1 0", false, "no spawn point"},
        {"3 3 1  " + room + "  1 2 1 1", false, "spawn point 1 is missing"},
        {"3 3 1  " + room + "  1 1 3 1", false, "spawn point (3;1) is outside the grid"},
        {"3 3 1  " + room + "  1 1 1 -1", false, "spawn point (1;-1) is outside the grid"},
        {"3 3 1  " + room, true, "start is missing"},
        {"3 3 1  " + room + "  3 0 0  1 1 1 1", true, "start cell (3;0) is outside"},
        // A huge claimed size costs only what the file holds.
        {"2000000000 2000000000 1  1 1 1", false, "is missing"},
    };
    for (const Case& row : cases) {
        const LevelFile file = LevelFile::parse(row.text, row.withStart);
        EXPECT_NE(file.check().find(row.rule), std::string::npos)
            << row.text << " -> " << file.check();
        EXPECT_LE(file.cells.size(), 3u);
    }
}

} // namespace
