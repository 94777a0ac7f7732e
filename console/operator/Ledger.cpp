#include "operator/Ledger.hpp"

Ledger::Ledger(bool free) : free(free) {}

void Ledger::doorOpened()
{
    figures.addDoorOpen();
    charge(doorOpenCost);
}

void Ledger::doorClosed()
{
    figures.addDoorClose();
    charge(doorCloseCost);
}

void Ledger::scanned()
{
    figures.addScan();
    charge(scanCost);
}

void Ledger::located()
{
    figures.addDetection();
    charge(locateCost);
}

void Ledger::shocked()
{
    figures.addShock();
    charge(shockCost);
}

void Ledger::poweredOn()
{
    figures.addReboot();
    charge(powerOnCost);
}

void Ledger::lootTaken()
{
    figures.addLoot();
}

float Ledger::getBills() const
{
    return figures.getBills();
}
const ScoreEntry& Ledger::getFigures() const
{
    return figures;
}
float Ledger::revenue() const
{
    return figures.revenue();
}

void Ledger::charge(float cost)
{
    if (!free)
        figures.setBills(figures.getBills() + cost);
}
