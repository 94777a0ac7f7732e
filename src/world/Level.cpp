#include "world/Level.hpp"

#include "actors/RayCaster.hpp"
#include "core/Game.hpp"
#include "common/Cell.hpp"
#include "common/Direction.hpp"
#include "common/LevelFile.hpp"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {
// The tutorial is the one level whose file gives the player's start.
const char* const TutorialPath = "data/level/Tutorial.txt";

// The four start headings, in radians, a quarter turn apart.
const float StartAngles[] = {0.f, 1.570796f, 3.141592f, 4.712388f};
}

Level::Level(Game* game)
    : game(game), size(0, 0), atlasWidth(AtlasLayout().width), tileSize(AtlasLayout().tileSize)
{
}

void Level::load(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        std::cerr << "Level file " << path << " cannot be opened; the level stays as it was\n";
        return;
    }
    const LevelFile file = LevelFile::parse(in, path == TutorialPath);
    const std::string broken = file.check();
    if (!broken.empty()) {
        std::cerr << "Level file " << path << " rejected: " << broken << "\n";
        return;
    }
    apply(file);
}

void Level::apply(const LevelFile& file)
{
    size = {file.width, file.height};
    grid = file.cells;
    objects.clear();
    // The door list that follows every load rebuilds this; until then no old door may act
    // on the new grid.
    doors.clear();

    listObjectsAndDrawExit(file.exitDraw);
    placePlayer(file);
    placeMonster(file);
}

void Level::listObjectsAndDrawExit(int exitDraw)
{
    // Exactly one candidate, the r-th in reading order, becomes the exit when there are more
    // than r of them; the others become walls.
    int r = std::rand() % exitDraw;
    for (int y = 0; y < size.second; ++y) {
        for (int x = 0; x < size.first; ++x) {
            int& cell = grid[y][x];
            if (Cell::isObject(cell)) {
                objects[cell] = {x, y};
            } else if (cell == Cell::ExitCandidate) {
                if (r == 0) {
                    std::cout << "[LEVEL] Exit Door at :(" << x << ";" << y << ")\n";
                    cell = Cell::Exit;
                } else {
                    cell = Cell::Wall;
                }
                --r;
            }
        }
    }
}

void Level::placePlayer(const LevelFile& file)
{
    int x = 0;
    int y = 0;
    float angle = 0.f;
    if (file.hasStart) {
        x = file.start.x;
        y = file.start.y;
        angle = file.startAngle;
    } else {
        // Draw cells until one is floor; the file has at least one floor cell.
        do {
            x = std::rand() % size.first;
            y = std::rand() % size.second;
            angle = StartAngles[std::rand() % std::size(StartAngles)];
        } while (getCell(x, y) != Cell::Floor);
    }
    std::cout << "[LEVEL] Player at :(" << x << ";" << y << ")\n";

    Player& player = game->getPlayer();
    player.setPosition({x + 0.5f, y + 0.5f});
    player.setAngle(angle);
    player.setDark();
    player.startLevel();
}

void Level::placeMonster(const LevelFile& file)
{
    Monster& monster = game->getMonster();
    monster.setWanderSteps(file.wanderSteps);
    monster.setPresent(true);
    monster.clearSpawnPoints();
    for (const sf::Vector2i& point : file.spawnPoints)
        monster.addSpawnPoint(point);
    monster.respawn();
    monster.setMode(MonsterMode::Wandering);
}

int Level::getCell(int x, int y) const { return grid[y][x]; }

bool Level::isInside(int x, int y) const
{
    return x >= 1 && x < size.first && y >= 1 && y < size.second;
}

bool Level::contains(int x, int y) const
{
    return x >= 0 && x < size.first && y >= 0 && y < size.second;
}

bool Level::canMonsterEnter(int x, int y, int direction) const
{
    const sf::Vector2i next = sf::Vector2i(x, y) + Direction::step(direction);
    if (!isInside(next.x, next.y))
        return false;
    const int value = getCell(next.x, next.y);
    return value == Cell::Floor || Cell::isOpenDoor(value);
}

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

void Level::mapDoors(std::vector<int> values)
{
    // After a refused load the level in play has no fresh door cells left: its doors keep
    // working instead of being forgotten.
    bool fresh = false;
    for (const std::vector<int>& row : grid)
        for (int cell : row)
            fresh = fresh || cell == Cell::FileDoor;
    if (!fresh)
        return;

    doors.clear();
    std::size_t count = 0;
    for (int y = 0; y < size.second; ++y) {
        for (int x = 0; x < size.first; ++x) {
            int& cell = grid[y][x];
            if (cell != Cell::FileDoor)
                continue;
            // A door the list cannot name could never be opened or closed: wall it up.
            if (count >= values.size()) {
                std::cerr << "MapDoor " << count << " : no value in the door list for ("
                          << x << ";" << y << "), the door becomes a wall\n";
                cell = Cell::Wall;
            } else if (!Cell::isDoor(values[count])) {
                std::cerr << "MapDoor " << count << " : value " << values[count]
                          << " is no door value, (" << x << ";" << y << ") becomes a wall\n";
                cell = Cell::Wall;
            } else {
                const int value = values[count];
                doors[Cell::openDoor(value)] = {x, y};
                doors[Cell::closedDoor(value)] = {x, y};
                cell = value;
                std::cout << "MapDoor" << count << " : " << value << " (" << x << ";" << y
                          << ")\n";
            }
            ++count;
        }
    }
}

void Level::toggleDoor(int value)
{
    const auto found = doors.find(value);
    if (found == doors.end())
        return;
    const int x = found->second.first;
    const int y = found->second.second;
    Sfx& sfx = game->getSfx();

    if (Cell::isOpenDoor(value)) {
        std::cout << "Closing door (" << x << ";" << y << ")\n";
        sfx.playDoorLightOff();
        grid[y][x] = Cell::closedDoor(value);
        doors[Cell::closedDoor(value)] = {x, y};

        Monster& monster = game->getMonster();
        if (game->getPlayer().getTile() == sf::Vector2i(x, y)) {
            game->setState(GameState::GameLost);
            sfx.playVoiceDoorCrush();
            game->getNetwork().sendPlayerLost();
            sfx.playDoorCrush();
        } else if (monster.isPresent() && monster.getPosition() == sf::Vector2i(x, y)) {
            monster.paralyse(Monster::CrushTurns);
            monster.setPresent(false);
            monster.setMode(MonsterMode::Paralysed);
            sfx.playDoorCrush();
        }
    } else {
        std::cout << "Opening Door (" << x << ";" << y << ")\n";
        sfx.playDoorLightOn();
        grid[y][x] = Cell::openDoor(value);
        doors[Cell::openDoor(value)] = {x, y};
    }
}

void Level::clearDoorCell(int value)
{
    const auto found = doors.find(value);
    if (found != doors.end())
        grid[found->second.second][found->second.first] = Cell::Floor;
}

void Level::restoreDoorAt(int x, int y)
{
    for (const auto& [value, cell] : doors) {
        // A door the operator closed behind the player stays closed.
        if (cell == std::pair<int, int>(x, y) && Cell::isOpenDoor(value) &&
            grid[y][x] != Cell::closedDoor(value)) {
            grid[y][x] = value;
            game->getSfx().playDoorOpenClose();
        }
    }
}

bool Level::interact(int x, int y)
{
    if (!contains(x, y))
        return false;
    int& cell = grid[y][x];
    if (cell == Cell::Spent) {
        game->getSfx().playInvalid();
        return false;
    }
    if (Cell::isObject(cell)) {
        const int value = cell;
        cell = Cell::Spent;
        game->getGeiger().objectTaken();
        game->getScore().currentEntry().addLoot();
        game->getNetwork().sendInteraction(value);
        return true;
    }
    if (cell == Cell::Exit) {
        game->setState(GameState::GameWon);
        game->getSfx().playDoorExitLevel();
        game->getSfx().playVoiceExit();
        game->getNetwork().sendInteraction(Cell::Exit);
        return true;
    }
    return false;
}
