#include "console/Ledger.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ConsoleLedgerTest, EachActionCountsAndCostsItsPrice)
{
    Ledger ledger;
    ledger.doorOpened();
    ledger.doorClosed();
    ledger.doorClosed();
    ledger.scanned();
    ledger.located();
    ledger.shocked();
    ledger.poweredOn();

    const ScoreEntry& figures = ledger.getFigures();
    EXPECT_EQ(figures.getDoorOpen(), 1);
    EXPECT_EQ(figures.getDoorClose(), 2);
    EXPECT_EQ(figures.getScan(), 1);
    EXPECT_EQ(figures.getDetection(), 1);
    EXPECT_EQ(figures.getShock(), 1);
    EXPECT_EQ(figures.getReboot(), 1);
    EXPECT_FLOAT_EQ(ledger.getBills(), 25.f + 50.f + 50.f + 75.f + 150.f + 500.f);
}

TEST(ConsoleLedgerTest, SoloLedgerCountsButChargesNothing)
{
    Ledger ledger(true);
    ledger.shocked();
    ledger.poweredOn();
    EXPECT_EQ(ledger.getFigures().getShock(), 1);
    EXPECT_EQ(ledger.getFigures().getReboot(), 1);
    EXPECT_FLOAT_EQ(ledger.getBills(), 0.f);
}

TEST(ConsoleLedgerTest, RevenueFollowsTheReportedLootAndDropsAfterFive)
{
    Ledger ledger;
    EXPECT_FLOAT_EQ(ledger.revenue(), 0.f);
    ledger.lootTaken();
    EXPECT_FLOAT_EQ(ledger.revenue(), 120.25f);
    for (int i = 0; i < 4; ++i)
        ledger.lootTaken();
    EXPECT_FLOAT_EQ(ledger.revenue(), 7135.19f);
    ledger.lootTaken();
    EXPECT_FLOAT_EQ(ledger.revenue(), 0.f);
}

}
