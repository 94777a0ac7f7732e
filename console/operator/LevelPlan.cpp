#include "operator/LevelPlan.hpp"

#include "common/Cell.hpp"
#include "common/LevelFile.hpp"

LevelPlan::LevelPlan() : available(false), width(0), height(0) {}

LevelPlan::LevelPlan(const LevelFile& file)
    : available(true), width(file.width), height(file.height), cells(file.cells),
      spawnPoints(file.spawnPoints)
{
    // Doors and exit candidates are listed in reading order, the order the game numbers them in.
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int value = getCell(x, y);
            if (value == Cell::FileDoor)
                doorCells.emplace_back(x, y);
            else if (value == Cell::ExitCandidate)
                exitCandidates.emplace_back(x, y);
            else if (Cell::isObject(value))
                objectCells[value] = sf::Vector2i(x, y);
        }
    }
}

LevelPlan LevelPlan::unavailable(const std::string& problem)
{
    LevelPlan plan;
    plan.problem = problem;
    return plan;
}

bool LevelPlan::drawsAsWall(int value)
{
    return value == Cell::Wall || value == Cell::Spent;
}

bool LevelPlan::isAvailable() const
{
    return available;
}
const std::string& LevelPlan::getProblem() const
{
    return problem;
}
int LevelPlan::getWidth() const
{
    return width;
}
int LevelPlan::getHeight() const
{
    return height;
}

int LevelPlan::getCell(int x, int y) const
{
    // A row cut short by the end of the file reads as wall, like the outside of the grid.
    if (y < 0 || y >= static_cast<int>(cells.size()) || x < 0 ||
        x >= static_cast<int>(cells[static_cast<std::size_t>(y)].size()))
        return Cell::Wall;
    return cells[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

const std::vector<sf::Vector2i>& LevelPlan::getDoorCells() const
{
    return doorCells;
}

int LevelPlan::doorAt(int x, int y) const
{
    for (std::size_t i = 0; i < doorCells.size(); ++i) {
        if (doorCells[i] == sf::Vector2i(x, y))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

const std::map<int, sf::Vector2i>& LevelPlan::getObjectCells() const
{
    return objectCells;
}
const std::vector<sf::Vector2i>& LevelPlan::getExitCandidates() const
{
    return exitCandidates;
}
const std::vector<sf::Vector2i>& LevelPlan::getSpawnPoints() const
{
    return spawnPoints;
}
