#include "score/ScoreEntry.hpp"

#include <iostream>

ScoreEntry::ScoreEntry()
    : doorOpen(0), doorClose(0), scan(0), detection(0), shock(0), reboot(0), bills(0.f), step(0),
      loot(0), total(0.f)
{
}

void ScoreEntry::addDoorOpen() { ++doorOpen; }
void ScoreEntry::addDoorClose() { ++doorClose; }
void ScoreEntry::addScan() { ++scan; }
void ScoreEntry::addDetection() { ++detection; }
void ScoreEntry::addShock() { ++shock; }
void ScoreEntry::addReboot() { ++reboot; }
void ScoreEntry::addStep() { ++step; }
void ScoreEntry::addLoot() { ++loot; }

void ScoreEntry::setDoorOpen(int value) { doorOpen = value; }
void ScoreEntry::setDoorClose(int value) { doorClose = value; }
void ScoreEntry::setScan(int value) { scan = value; }
void ScoreEntry::setDetection(int value) { detection = value; }
void ScoreEntry::setShock(int value) { shock = value; }
void ScoreEntry::setReboot(int value) { reboot = value; }
void ScoreEntry::setStep(int value) { step = value; }
void ScoreEntry::setLoot(int value) { loot = value; }
void ScoreEntry::setBills(float value) { bills = value; }
void ScoreEntry::setTotal(float value) { total = value; }
void ScoreEntry::setName(const std::string& value) { name = value; }

int ScoreEntry::getDoorOpen() const { return doorOpen; }
int ScoreEntry::getDoorClose() const { return doorClose; }
int ScoreEntry::getScan() const { return scan; }
int ScoreEntry::getDetection() const { return detection; }
int ScoreEntry::getShock() const { return shock; }
int ScoreEntry::getReboot() const { return reboot; }
int ScoreEntry::getStep() const { return step; }
int ScoreEntry::getLoot() const { return loot; }
float ScoreEntry::getBills() const { return bills; }
float ScoreEntry::getTotal() const { return total; }
std::string& ScoreEntry::getName() { return name; }
const std::string& ScoreEntry::getName() const { return name; }

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
