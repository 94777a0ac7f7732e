#pragma once

#include "common/OperatorCounters.hpp"

#include <string>

// One game's record: the counters the game and the operator keep, the operator's bills, the
// player's name and the resulting total. A plain value; copies are full copies.
class ScoreEntry {
public:
    ScoreEntry();

    void addDoorOpen();
    void addDoorClose();
    void addScan();
    void addDetection();
    void addShock();
    void addReboot();
    void addStep();
    void addLoot();

    void setDoorOpen(int value);
    void setDoorClose(int value);
    void setScan(int value);
    void setDetection(int value);
    void setShock(int value);
    void setReboot(int value);
    void setStep(int value);
    void setLoot(int value);
    void setBills(float value);
    void setTotal(float value);
    void setName(const std::string& value);
    void setCounters(const OperatorCounters& value);

    int getDoorOpen() const;
    int getDoorClose() const;
    int getScan() const;
    int getDetection() const;
    int getShock() const;
    int getReboot() const;
    int getStep() const;
    int getLoot() const;
    float getBills() const;
    float getTotal() const;
    std::string& getName();
    const std::string& getName() const;
    const OperatorCounters& getCounters() const;

    // What the loot sells for: a fixed table for one to five objects, nothing otherwise.
    float revenue() const;
    // total = revenue - bills, after a trace of the bills.
    void computeTotal();

private:
    OperatorCounters counters;
    float bills;
    int step;
    int loot;
    std::string name;
    float total;
};
