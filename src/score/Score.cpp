#include "score/Score.hpp"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace {
const char* const TablePath = "data/Score.txt";
const char* const TemporaryPath = "data/Score.txt.tmp";

[[noreturn]] void fileMissing()
{
    std::cout << "Le fichier n'existe pas";
    std::exit(1);
}

// Reads one twelve-line entry; false at the first field that is missing or malformed.
bool readEntry(std::istream& in, ScoreEntry& entry)
{
    std::string name;
    int firstLoot = 0;
    int step = 0;
    OperatorCounters counters;
    int loot = 0;
    float total = 0.f;
    float bills = 0.f;
    if (!std::getline(in, name))
        return false;
    in >> firstLoot >> step;
    for (auto counter : CounterOrder)
        in >> counters.*counter;
    // The loot is written twice; the second copy is the one that counts.
    in >> loot >> total >> bills;
    if (!in)
        return false;
    // The rest of the bills line, so the next whole-line read starts at the next name.
    in.ignore(1 << 20, '\n');

    entry.setName(name);
    entry.setStep(step);
    entry.setCounters(counters);
    entry.setLoot(loot);
    entry.setTotal(total);
    entry.setBills(bills);
    return true;
}

void writeEntry(std::ostream& out, const ScoreEntry& entry)
{
    out << entry.getName() << '\n' << entry.getLoot() << '\n' << entry.getStep() << '\n';
    for (auto counter : CounterOrder)
        out << entry.getCounters().*counter << '\n';
    out << entry.getLoot() << '\n' << entry.getTotal() << '\n' << entry.getBills() << '\n';
}

// Pushes the written file to the disk, so a crash after the rename cannot leave it empty.
bool syncToDisk(const char* path)
{
    const int descriptor = ::open(path, O_RDONLY);
    if (descriptor < 0)
        return false;
    const bool synced = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return synced;
}
}

Score::Score() = default;

void Score::loadTable()
{
    file.open(TablePath, std::ios::in);
    if (!file.is_open())
        fileMissing();
    readTable(file);
    file.close();
    file.clear();
}

void Score::readTable(std::istream& in)
{
    // A damaged table gives what it holds up to its first bad field; later slots stay fresh.
    for (int slot = 0; slot < TableSize; ++slot) {
        ScoreEntry entry;
        if (!readEntry(in, entry))
            break;
        slots[slot] = entry;
    }
}

void Score::resetCurrent() { current = ScoreEntry(); }
ScoreEntry& Score::currentEntry() { return current; }
ScoreEntry& Score::tableEntry(int index) { return slots[index]; }

void Score::scoreSort()
{
    slots[TableSize] = current;
    std::cout << "\n\nscoreSort\n\n";
    for (int n = TableSize; n >= 1; --n)
        for (int j = 0; j < n; ++j)
            if (slots[j + 1].getTotal() > slots[j].getTotal())
                std::swap(slots[j], slots[j + 1]);
}

void Score::saveTable()
{
    // The table goes to a file beside the old one, which is replaced only once the new one
    // is complete: a crash or a full disk keeps the previous table.
    file.open(TemporaryPath, std::ios::out | std::ios::trunc);
    if (!file.is_open())
        fileMissing();
    for (int slot = 0; slot < TableSize; ++slot)
        writeEntry(file, slots[slot]);
    file.flush();
    const bool written = static_cast<bool>(file);
    file.close();
    const bool complete = written && !file.fail() && syncToDisk(TemporaryPath);
    file.clear();
    if (!complete || std::rename(TemporaryPath, TablePath) != 0) {
        std::remove(TemporaryPath);
        fileMissing();
    }
}
