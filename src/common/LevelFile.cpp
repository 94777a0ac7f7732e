#include "common/LevelFile.hpp"

#include "common/Cell.hpp"

#include <sstream>

LevelFile LevelFile::parse(std::istream& in, bool withStart)
{
    LevelFile file;
    file.withStart = withStart;
    if (!(in >> file.width >> file.height >> file.exitDraw))
        return file;
    if (file.width < 1 || file.height < 1)
        return file;

    // Rows grow as numbers arrive, so a file that claims a huge grid costs only what it holds.
    for (int y = 0; y < file.height; ++y) {
        file.cells.emplace_back();
        std::vector<int>& row = file.cells.back();
        for (int x = 0; x < file.width; ++x) {
            int value;
            if (!(in >> value))
                return file;
            row.push_back(value);
        }
    }

    if (withStart) {
        if (!(in >> file.start.x >> file.start.y >> file.startAngle))
            return file;
        file.hasStart = true;
    }

    int wanderSteps;
    if (!(in >> wanderSteps))
        return file;
    file.wanderSteps = wanderSteps;
    if (!(in >> file.spawnCount))
        return file;
    for (int i = 0; i < file.spawnCount; ++i) {
        sf::Vector2i point;
        if (!(in >> point.x >> point.y))
            break;
        file.spawnPoints.push_back(point);
    }
    return file;
}

LevelFile LevelFile::parse(const std::string& text, bool withStart)
{
    std::istringstream in(text);
    return parse(in, withStart);
}

namespace {
std::string cellName(int x, int y)
{
    return "(" + std::to_string(x) + ";" + std::to_string(y) + ")";
}
}

std::string LevelFile::check() const
{
    if (width < 3 || height < 3)
        return "width and height must be at least 3";
    if (exitDraw < 1)
        return "the exit candidate count N must be at least 1";

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (y >= static_cast<int>(cells.size()) ||
                x >= static_cast<int>(cells[y].size()))
                return "cell " + cellName(x, y) + " is missing";
            const int value = cells[y][x];
            if (value < Cell::Floor || value > Cell::LastFileValue)
                return "cell " + cellName(x, y) + " holds " + std::to_string(value) +
                       ", outside 0 to 9";
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            if (border && value == Cell::Floor)
                return "border cell " + cellName(x, y) + " is floor";
        }
    }

    if (count(Cell::Floor) == 0)
        return "the map has no floor cell";
    if (count(Cell::FileDoor) > Cell::DoorPairs)
        return "more than eight door cells";
    if (withStart && !hasStart)
        return "the tutorial's start is missing";
    if (hasStart && (start.x < 0 || start.y < 0 || start.x >= width || start.y >= height))
        return "the tutorial's start cell " + cellName(start.x, start.y) +
               " is outside the grid";
    if (spawnCount < 1)
        return "no spawn point";
    if (static_cast<int>(spawnPoints.size()) < spawnCount)
        return "spawn point " + std::to_string(spawnPoints.size()) + " is missing";
    for (const sf::Vector2i& point : spawnPoints) {
        if (point.x < 0 || point.y < 0 || point.x >= width || point.y >= height)
            return "spawn point " + cellName(point.x, point.y) + " is outside the grid";
    }
    return "";
}

int LevelFile::count(int value) const
{
    int found = 0;
    for (const std::vector<int>& row : cells)
        for (int cell : row)
            found += cell == value;
    return found;
}
