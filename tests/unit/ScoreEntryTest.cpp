#include "common/ScoreEntry.hpp"
#include "support/CapturedOutput.hpp"

#include <gtest/gtest.h>

namespace {

// What the objects taken bring in; none, or more than five, bring nothing. The operator's report
// arriving a second time with the same bills leaves the entry as the first one left it.
TEST(ScoreEntryTest, TotalIsTheRevenueOfOneToFiveObjectsMinusTheBillsHoweverOftenReported)
{
    const float revenue[] = {0.f, 0.f, 120.25f, 613.53f, 1415.94f, 4538.87f, 7135.19f, 0.f};
    for (int loot = -1; loot <= 6; ++loot) {
        ScoreEntry entry;
        entry.setLoot(loot);
        EXPECT_EQ(entry.revenue(), revenue[loot + 1]) << loot;
        CapturedOutput printed;
        for (int report = 1; report <= 2; ++report) {
            entry.setBills(250.5f);
            entry.computeTotal();
            EXPECT_EQ(printed.take(), "[SCORE] TOTAL : 250.5");
            EXPECT_FLOAT_EQ(entry.getTotal(), revenue[loot + 1] - 250.5f) << loot << " " << report;
        }
    }
}

} // namespace
