#include "operator/ShockDraw.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(ConsoleShockDrawTest, AboutOneShockInFourOverloadsAndASeedReplaysItsDraws)
{
    const auto draws = [](unsigned seed) {
        ShockDraw draw(seed);
        std::vector<bool> results(4000);
        std::generate(results.begin(), results.end(), [&draw] { return draw.overloads(); });
        return results;
    };
    const std::vector<bool> results = draws(7);
    EXPECT_EQ(results, draws(7));
    EXPECT_NE(results, draws(8));
    const auto overloads = std::count(results.begin(), results.end(), true);
    EXPECT_GT(overloads, 850);
    EXPECT_LT(overloads, 1150);
}

} // namespace
