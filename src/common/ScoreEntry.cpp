#include "common/ScoreEntry.hpp"

#include <iostream>

ScoreEntry::ScoreEntry() : bills(0.f), step(0), loot(0), total(0.f) {}

void ScoreEntry::addDoorOpen()
{
    ++counters.doorOpen;
}
void ScoreEntry::addDoorClose()
{
    ++counters.doorClose;
}
void ScoreEntry::addScan()
{
    ++counters.scan;
}
void ScoreEntry::addDetection()
{
    ++counters.detection;
}
void ScoreEntry::addShock()
{
    ++counters.shock;
}
void ScoreEntry::addReboot()
{
    ++counters.reboot;
}
void ScoreEntry::addStep() { ++step; }
void ScoreEntry::addLoot() { ++loot; }

void ScoreEntry::setDoorOpen(int value)
{
    counters.doorOpen = value;
}
void ScoreEntry::setDoorClose(int value)
{
    counters.doorClose = value;
}
void ScoreEntry::setScan(int value)
{
    counters.scan = value;
}
void ScoreEntry::setDetection(int value)
{
    counters.detection = value;
}
void ScoreEntry::setShock(int value)
{
    counters.shock = value;
}
void ScoreEntry::setReboot(int value)
{
    counters.reboot = value;
}
void ScoreEntry::setStep(int value) { step = value; }
void ScoreEntry::setLoot(int value) { loot = value; }
void ScoreEntry::setBills(float value) { bills = value; }
void ScoreEntry::setTotal(float value) { total = value; }
void ScoreEntry::setName(const std::string& value) { name = value; }
void ScoreEntry::setCounters(const OperatorCounters& value)
{
    counters = value;
}

int ScoreEntry::getDoorOpen() const
{
    return counters.doorOpen;
}
int ScoreEntry::getDoorClose() const
{
    return counters.doorClose;
}
int ScoreEntry::getScan() const
{
    return counters.scan;
}
int ScoreEntry::getDetection() const
{
    return counters.detection;
}
int ScoreEntry::getShock() const
{
    return counters.shock;
}
int ScoreEntry::getReboot() const
{
    return counters.reboot;
}
int ScoreEntry::getStep() const { return step; }
int ScoreEntry::getLoot() const { return loot; }
float ScoreEntry::getBills() const { return bills; }
float ScoreEntry::getTotal() const { return total; }
std::string& ScoreEntry::getName() { return name; }
const std::string& ScoreEntry::getName() const { return name; }
const OperatorCounters& ScoreEntry::getCounters() const
{
    return counters;
}

float ScoreEntry::revenue() const
{
    switch (loot) {
    case 1: return 120.25f;
    case 2: return 613.53f;
    case 3: return 1415.94f;
    case 4: return 4538.87f;
    case 5: return 7135.19f;
    default: return 0.f;
    }
}

void ScoreEntry::computeTotal()
{
    std::cout << "[SCORE] TOTAL : " << bills;
    total = revenue() - bills;
}
