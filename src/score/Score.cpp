#include "score/Score.hpp"

#include <cstdlib>
#include <iostream>

Score::Score() = default;

void Score::loadTable()
{
    std::ifstream in("data/Score.txt");
    if (!in) {
        std::cout << "Le fichier n'existe pas";
        std::exit(1);
    }
}

void Score::resetCurrent() { current = ScoreEntry(); }
ScoreEntry& Score::currentEntry() { return current; }
ScoreEntry& Score::tableEntry(int index) { return slots[index]; }
void Score::scoreSort() {}
void Score::saveTable() {}
