#pragma once

#include <SFML/System/Vector2.hpp>

#include <map>
#include <string>
#include <utility>
#include <vector>

class Game;
struct LevelFile;

// The map of the level being played: the grid of cell values, where each door and object is,
// and the layout of the wall atlas. Loaded when the operator asks for a level; the doors,
// objects and the exit are operated here too. Owned by Game.
class Level {
public:
    explicit Level(Game* game);

    // Reads a level file, places the player and the monster. A file that cannot be opened or
    // breaks a rule leaves the previous level in place.
    void load(const std::string& path);

    // No bounds check: callers test isInside first or rely on the closed border.
    int getCell(int x, int y) const;
    // True when 1 <= x < width and 1 <= y < height: row 0 and column 0 count as outside.
    bool isInside(int x, int y) const;
    // Whether the monster may move from (x, y) one cell in a Direction.
    bool canMonsterEnter(int x, int y, int direction) const;
    int getAtlasWidth() const;
    int getTileSize() const;
    const std::pair<int, int>& getSize() const;
    const std::vector<std::vector<int>>& getGrid() const;
    const std::map<int, std::pair<int, int>>& getObjects() const;
    // The cell of an object value; an unknown value answers (0, 0).
    std::pair<int, int> getObjectCell(int value);

    // Gives the door cells their values from the operator's list, in reading order. A door
    // cell the list does not reach, or gives a value outside 8 to 23, becomes a wall.
    void mapDoors(std::vector<int> values);
    // Even value closes the door that has it, odd value opens it; a value no door of this
    // level has is ignored. Closing on the player loses the game, on the monster knocks it out.
    void toggleDoor(int value);
    // Empties the cell of an open door while the player passes through it.
    void clearDoorCell(int value);
    // Gives the door at (x, y), if there is one, its open value back once the player has left,
    // unless the operator closed it meanwhile.
    void restoreDoorAt(int x, int y);
    // The player uses cell (x, y): a spent object, an object or the exit.
    bool interact(int x, int y);

private:
    // Starts a level from a file that has passed its checks.
    void apply(const LevelFile& file);
    // Notes where each object lies and turns one exit candidate, drawn at random, into the exit.
    void listObjectsAndDrawExit(int exitDraw);
    // At the tutorial's start, or on a random floor cell facing a random axis; in the dark.
    void placePlayer(const LevelFile& file);
    // Gives the monster the level's wander steps and spawn points and sets it going.
    void placeMonster(const LevelFile& file);
    // True for every cell of the grid, border included.
    bool contains(int x, int y) const;

    Game* game;
    std::pair<int, int> size;
    std::vector<std::vector<int>> grid;
    std::map<int, std::pair<int, int>> doors;
    std::map<int, std::pair<int, int>> objects;
    int atlasWidth;
    int tileSize;
};
