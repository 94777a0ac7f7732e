#pragma once

#include <SFML/System/Vector2.hpp>

#include <istream>
#include <string>
#include <vector>

// The level catalogue: the operator's level index names one of these files in data/level/,
// from the tutorial to the hardest level. The game and the console share it.
inline constexpr int LevelCount = 7;
inline constexpr const char* LevelFileNames[LevelCount] = {
    "Tutorial.txt",         "SimpleFactory.txt",       "StoragesBackrooms.txt",
    "EndlessWarehouse.txt", "FactoryOffice.txt",       "IndustrialLabyrinth.txt",
    "IrradiatedPowerplant.txt",
};

// The numbers of one level file as written, before anything is applied to the game: the grid
// with its door cells (8) and exit candidates (9), the tutorial's start, the monster's wander
// steps and spawn points. The game's loader and the operator console both read levels through
// it, so a file is judged the same way on both sides.
struct LevelFile {
    int width = 0;
    int height = 0;
    // How many exit candidates the loader draws from (r = rand() % exitDraw).
    int exitDraw = 0;
    // Indexed cells[y][x]; a row is cut short where the file ran out of numbers.
    std::vector<std::vector<int>> cells;
    // Only the tutorial carries a start; hasStart says whether it was really read.
    bool withStart = false;
    bool hasStart = false;
    sf::Vector2i start;
    float startAngle = 0.f;
    // A file that ends before the wander steps gives 1, as the loader always did.
    int wanderSteps = 1;
    // The count the file announced; spawnPoints holds the pairs that were really there.
    int spawnCount = 0;
    std::vector<sf::Vector2i> spawnPoints;

    // Reads the numbers in order; a tutorial file carries the player's start after the cells.
    // Reading stops at the first missing or malformed number; check() then names what is wrong.
    static LevelFile parse(std::istream& in, bool withStart);
    static LevelFile parse(const std::string& text, bool withStart);

    // The first rule the data breaks, as one readable phrase, or an empty string when the
    // level can be played: nothing read from it can lead the game outside its grid.
    std::string check() const;

    // How many cells hold a given value.
    int count(int value) const;
};
