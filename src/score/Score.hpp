#pragma once

#include "common/ScoreEntry.hpp"

#include <array>
#include <fstream>
#include <istream>

// The table of the five best games, kept in data/Score.txt, and the entry of the game being
// played. Slot 5 is the working slot a submitted entry is ranked from.
class Score {
public:
    // Entries in the table; one more slot holds the entry being ranked.
    static constexpr int TableSize = 5;

    Score();

    // Reads the five table slots; a missing file ends the process with status 1.
    void loadTable();
    // Fills the table slots from a table's text, in order, up to its first malformed field.
    void readTable(std::istream& in);
    void resetCurrent();
    ScoreEntry& currentEntry();
    ScoreEntry& tableEntry(int index);
    // Ranks the current entry into the table, highest total first, stable on ties.
    void scoreSort();
    // Rewrites data/Score.txt with slots 0 to 4, replacing the old file in one step.
    void saveTable();

private:
    std::array<ScoreEntry, TableSize + 1> slots;
    ScoreEntry current;
    std::fstream file;
};
