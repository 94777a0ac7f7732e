#pragma once

#include "common/ScoreEntry.hpp"

// What the operator's actions cost and how often each was taken, as the end-of-game report
// carries them, plus the loot the player has reported. Solo mode keeps a free ledger: the
// counters still count, the bills stay 0.
class Ledger {
public:
    static constexpr float doorOpenCost = 25.f;
    static constexpr float doorCloseCost = 25.f;
    static constexpr float scanCost = 50.f;
    static constexpr float locateCost = 75.f;
    static constexpr float shockCost = 150.f;
    static constexpr float powerOnCost = 500.f;

    explicit Ledger(bool free = false);

    void doorOpened();
    void doorClosed();
    void scanned();
    void located();
    void shocked();
    void poweredOn();
    void lootTaken();

    float getBills() const;
    // The six counters in the order of the report: door open, door close, scan, detection,
    // shock, reboot.
    const ScoreEntry& getFigures() const;
    // What the loot reported so far sells for.
    float revenue() const;

private:
    void charge(float cost);

    bool free;
    ScoreEntry figures;
};
