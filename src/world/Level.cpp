#include "world/Level.hpp"

Level::Level(Game* game) : game(game), size(0, 0), atlasWidth(6000), tileSize(250) {}

void Level::load(const std::string&) {}

int Level::getCell(int x, int y) const { return grid[y][x]; }

bool Level::isInside(int x, int y) const
{
    return x >= 1 && x < size.first && y >= 1 && y < size.second;
}

bool Level::canMonsterEnter(int, int, int) const { return false; }
int Level::getAtlasWidth() const { return atlasWidth; }
int Level::getTileSize() const { return tileSize; }
const std::pair<int, int>& Level::getSize() const { return size; }
const std::vector<std::vector<int>>& Level::getGrid() const { return grid; }
const std::map<int, std::pair<int, int>>& Level::getObjects() const { return objects; }

std::pair<int, int> Level::getObjectCell(int value)
{
    auto found = objects.find(value);
    return found == objects.end() ? std::pair<int, int>(0, 0) : found->second;
}

void Level::mapDoors(std::vector<int>) {}
void Level::toggleDoor(int) {}
void Level::clearDoorCell(int) {}
void Level::restoreDoorAt(int, int) {}
bool Level::interact(int, int) { return false; }
