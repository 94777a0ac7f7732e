#include "common/Cell.hpp"
#include "operator/LevelPlan.hpp"

#include "common/LevelFile.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ConsoleLevelPlanTest, DoorsAreNumberedInReadingOrderWithObjectsExitsAndSpawns)
{
    LevelPlan plan(LevelFile::parse("6 5 2\n"
                                    "1 1 1 1 1 1\n"
                                    "1 0 8 3 9 1\n"
                                    "1 8 0 0 7 1\n"
                                    "1 9 0 8 0 1\n"
                                    "1 1 1 1 1 1\n"
                                    "2 2 4 1 1 3\n",
                                    false));
    ASSERT_TRUE(plan.isAvailable());
    EXPECT_EQ(plan.getDoorCells(), (std::vector<sf::Vector2i>{{2, 1}, {1, 2}, {3, 3}}));
    EXPECT_EQ(plan.doorAt(3, 3), 3);
    EXPECT_EQ(plan.doorAt(2, 2), 0);
    EXPECT_EQ(plan.getObjectCells().at(3), sf::Vector2i(3, 1));
    EXPECT_EQ(plan.getObjectCells().at(7), sf::Vector2i(4, 2));
    EXPECT_EQ(plan.getExitCandidates(), (std::vector<sf::Vector2i>{{4, 1}, {1, 3}}));
    EXPECT_EQ(plan.getSpawnPoints(), (std::vector<sf::Vector2i>{{4, 1}, {1, 3}}));
    EXPECT_EQ(plan.getCell(-1, 0), Cell::Wall);
    EXPECT_EQ(plan.getCell(6, 2), Cell::Wall);
}

} // namespace
