#include "operator/Ledger.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ConsoleLedgerTest, EachActionCountsOnceAndChargesItsPriceUnlessSolo)
{
    const struct {
        void (Ledger::*action)();
        std::vector<int> counters; // door open, door close, scan, detection, shock, reboot
        float price;
    } cases[] = {
        {&Ledger::doorOpened, {1, 0, 0, 0, 0, 0}, 25.f},
        {&Ledger::doorClosed, {0, 1, 0, 0, 0, 0}, 25.f},
        {&Ledger::scanned, {0, 0, 1, 0, 0, 0}, 50.f},
        {&Ledger::located, {0, 0, 0, 1, 0, 0}, 75.f},
        {&Ledger::shocked, {0, 0, 0, 0, 1, 0}, 150.f},
        {&Ledger::poweredOn, {0, 0, 0, 0, 0, 1}, 500.f},
    };
    for (const auto& row : cases) {
        for (bool solo : {false, true}) {
            SCOPED_TRACE(row.price);
            Ledger ledger(solo);
            (ledger.*row.action)();
            const ScoreEntry& figures = ledger.getFigures();
            const std::vector<int> counted = {figures.getDoorOpen(), figures.getDoorClose(),
                                              figures.getScan(),     figures.getDetection(),
                                              figures.getShock(),    figures.getReboot()};
            EXPECT_EQ(counted, row.counters);
            EXPECT_FLOAT_EQ(ledger.getBills(), solo ? 0.f : row.price);
        }
    }
}

} // namespace
