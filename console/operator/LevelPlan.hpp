#pragma once

#include <SFML/System/Vector2.hpp>

#include <map>
#include <string>
#include <vector>

struct LevelFile;

// The operator's plan of one level, read from the same file the game loads: the grid as the
// file writes it (8 marks a door cell, 9 an exit candidate), the door cells numbered in reading
// order, the objects, the exit candidates and the monster's spawn points. A file that cannot be
// read gives a plan that is not available and says why.
class LevelPlan {
public:
    LevelPlan();
    // The plan of a parsed level file (checked by the caller).
    explicit LevelPlan(const LevelFile& file);
    static LevelPlan unavailable(const std::string& problem);
    // Whether a file value draws as wall on the plan: a spent object stops the player as one.
    static bool drawsAsWall(int value);

    bool isAvailable() const;
    const std::string& getProblem() const;
    int getWidth() const;
    int getHeight() const;
    // The file's value at (x, y); 1 outside the grid.
    int getCell(int x, int y) const;
    // Door cells in reading order: door number k (from 1) is element k - 1.
    const std::vector<sf::Vector2i>& getDoorCells() const;
    // The door number at (x, y), 0 when the cell is no door.
    int doorAt(int x, int y) const;
    const std::map<int, sf::Vector2i>& getObjectCells() const;
    const std::vector<sf::Vector2i>& getExitCandidates() const;
    const std::vector<sf::Vector2i>& getSpawnPoints() const;

private:
    bool available;
    std::string problem;
    int width;
    int height;
    std::vector<std::vector<int>> cells;
    std::vector<sf::Vector2i> doorCells;
    std::map<int, sf::Vector2i> objectCells;
    std::vector<sf::Vector2i> exitCandidates;
    std::vector<sf::Vector2i> spawnPoints;
};
