#include "world/LevelFile.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const std::string Example = "5 4 1\n"
                            "1 1 1 1 1\n"
                            "1 0 3 0 1\n"
                            "1 0 8 9 1\n"
                            "1 1 1 1 1\n"
                            "2 1 3 1\n";

TEST(LevelFileTest, ReadsEveryPartOfAPlainLevel)
{
    const LevelFile file = LevelFile::parse(Example, false);
    EXPECT_EQ(file.check(), "");
    EXPECT_EQ(file.width, 5);
    EXPECT_EQ(file.height, 4);
    EXPECT_EQ(file.exitDraw, 1);
    EXPECT_EQ(file.cells[2], (std::vector<int>{1, 0, 8, 9, 1}));
    EXPECT_FALSE(file.hasStart);
    EXPECT_EQ(file.wanderSteps, 2);
    ASSERT_EQ(file.spawnPoints.size(), 1u);
    EXPECT_EQ(file.spawnPoints[0], sf::Vector2i(3, 1));
    EXPECT_EQ(file.count(0), 3);
}

TEST(LevelFileTest, TutorialCarriesItsStartBeforeTheMonster)
{
    const LevelFile file =
        LevelFile::parse("3 3 1  1 1 1  1 0 1  1 1 1  2 1 1.5  3  1  1 1", true);
    EXPECT_EQ(file.check(), "");
    EXPECT_TRUE(file.hasStart);
    EXPECT_EQ(file.start, sf::Vector2i(2, 1));
    EXPECT_FLOAT_EQ(file.startAngle, 1.5f);
    EXPECT_EQ(file.wanderSteps, 3);
    EXPECT_EQ(file.spawnPoints.size(), 1u);
}

TEST(LevelFileTest, EveryBrokenRuleIsNamed)
{
    const std::string room = "1 1 1  1 0 1  1 1 1";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2 3 1  1 1  1 1  1 1  1 1 1 1", "at least 3"},
        {"3 3 0  " + room + "  1 1 1 1", "N must be at least 1"},
        {"3 3 -2  " + room + "  1 1 1 1", "N must be at least 1"},
        {"3 3 1  1 1 1  1 0 1  1 1", "cell (2;2) is missing"},
        {"3 3 1  1 1 1  1 x 1  1 1 1  1 1 1 1", "cell (1;1) is missing"},
        {"3 3 1  1 1 1  1 0 12  1 1 1  1 1 1 1", "holds 12"},
        {"3 3 1  1 1 1  1 0 1  1 -1 1  1 1 1 1", "holds -1"},
        {"3 3 1  1 1 1  1 0 0  1 1 1  1 1 1 1", "border cell (2;1) is floor"},
        {"3 3 1  1 1 1  1 3 1  1 1 1  1 1 1 1", "no floor"},
        {"12 3 1  1 1 1 1 1 1 1 1 1 1 1 1  1 0 8 8 8 8 8 8 8 8 8 1  1 1 1 1 1 1 1 1 1 1 1 1"
         "  1 1 1 1",
         "more than eight door cells"},
        {"3 3 1  " + room, "no spawn point"},
        {"3 3 1  " + room + "  1 0", "no spawn point"},
        {"3 3 1  " + room + "  1 2 1 1", "spawn point 1 is missing"},
        {"3 3 1  " + room + "  1 1 3 1", "spawn point (3;1) is outside the grid"},
        {"3 3 1  " + room + "  1 1 1 -1", "spawn point (1;-1) is outside the grid"},
    };
    for (const auto& [text, rule] : cases) {
        const std::string broken = LevelFile::parse(text, false).check();
        EXPECT_NE(broken.find(rule), std::string::npos) << text << " -> " << broken;
    }

    EXPECT_NE(LevelFile::parse("3 3 1  " + room, true).check().find("start is missing"),
              std::string::npos);
    EXPECT_NE(LevelFile::parse("3 3 1  " + room + "  3 0 0  1 1 1 1", true)
                  .check()
                  .find("start cell (3;0) is outside"),
              std::string::npos);
}

TEST(LevelFileTest, HugeClaimedSizeCostsOnlyWhatTheFileHolds)
{
    const LevelFile file = LevelFile::parse("2000000000 2000000000 1  1 1 1", false);
    EXPECT_EQ(file.cells.size(), 1u);
    EXPECT_NE(file.check().find("is missing"), std::string::npos);
}

}
