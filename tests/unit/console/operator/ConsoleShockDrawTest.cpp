#include "operator/ShockDraw.hpp"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ConsoleShockDrawTest, AboutOneShockInFourOverloadsAndASeedReplaysItsDraws)
{
    const std::vector<bool> results = draws(7, 4000);
    EXPECT_EQ(results, draws(7, 4000));
    EXPECT_NE(results, draws(8, 4000));
    const auto overloads = std::count(results.begin(), results.end(), true);
    EXPECT_GT(overloads, 850);
    EXPECT_LT(overloads, 1150);
}

} // namespace
