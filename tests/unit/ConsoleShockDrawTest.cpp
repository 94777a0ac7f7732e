#include "console/ShockDraw.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<bool> draws(unsigned seed, int count)
{
    ShockDraw draw(seed);
    std::vector<bool> results;
    for (int i = 0; i < count; ++i)
        results.push_back(draw.overloads());
    return results;
}

TEST(ConsoleShockDrawTest, SameSeedReplaysTheSameOverloads)
{
    EXPECT_EQ(draws(42, 64), draws(42, 64));
    EXPECT_NE(draws(42, 64), draws(43, 64));
}

TEST(ConsoleShockDrawTest, AboutOneShockInFourOverloads)
{
    std::vector<bool> results = draws(7, 4000);
    int overloads = 0;
    for (bool overload : results)
        overloads += overload ? 1 : 0;
    EXPECT_GT(overloads, 850);
    EXPECT_LT(overloads, 1150);
}

}
