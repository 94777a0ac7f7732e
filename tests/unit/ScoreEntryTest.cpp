#include "score/ScoreEntry.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ScoreEntryTest, TotalIsTheRevenueOfTheLootMinusTheBills)
{
    ScoreEntry allFive;
    for (int i = 0; i < 5; ++i)
        allFive.addLoot();
    allFive.setBills(1000.f);
    testing::internal::CaptureStdout();
    allFive.computeTotal();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[SCORE] TOTAL : 1000");
    EXPECT_FLOAT_EQ(allFive.getTotal(), 6135.19f);

    ScoreEntry emptyHanded;
    emptyHanded.setBills(50.f);
    testing::internal::CaptureStdout();
    emptyHanded.computeTotal();
    testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(emptyHanded.getTotal(), -50.f);

    allFive.setBills(200.f);
    testing::internal::CaptureStdout();
    allFive.computeTotal();
    testing::internal::GetCapturedStdout();
    EXPECT_FLOAT_EQ(allFive.getTotal(), 6935.19f);
}

TEST(ScoreEntryTest, RevenueIsPaidOnlyForOneToFiveObjects)
{
    ScoreEntry entry;
    const float expected[] = {0.f, 120.25f, 613.53f, 1415.94f, 4538.87f, 7135.19f, 0.f};
    for (int loot = 0; loot <= 6; ++loot) {
        entry.setLoot(loot);
        EXPECT_EQ(entry.revenue(), expected[loot]) << "loot " << loot;
    }
    entry.setLoot(-1);
    EXPECT_EQ(entry.revenue(), 0.f);
}

}
