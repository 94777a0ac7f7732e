#pragma once

// What one cell of a level grid holds. Level files carry 0 to 9; the loader turns door cells
// and exit candidates into the run-time values, so 10 to 24 exist only while a level is played.
// The game, the operator console and the tests all read grids through these names.
namespace Cell {
enum : int {
    Floor = 0,
    Wall = 1,
    // An object the player has already taken.
    Spent = 2,
    FirstObject = 3,
    LastObject = 7,
    // In a file: a door cell, given its value by the door list that follows the load.
    FileDoor = 8,
    // In a file: a cell that may become the exit; the others of its kind become walls.
    ExitCandidate = 9,
    LastFileValue = 9,
    // Door values come in pairs, the even value open and the odd one closed.
    FirstDoor = 8,
    LastDoor = 23,
    Exit = 24,
};

constexpr int ObjectCount = LastObject - FirstObject + 1;

// The game knows this many door pairs, so a level has at most this many door cells.
constexpr int DoorPairs = (LastDoor - FirstDoor + 1) / 2;

constexpr bool isObject(int value)
{
    return value >= FirstObject && value <= LastObject;
}

constexpr bool isDoor(int value)
{
    return value >= FirstDoor && value <= LastDoor;
}

// Within a pair the even value is the open door. A door message names the value the door
// holds, and the game flips it: an even value closes the door, an odd one opens it.
constexpr bool isOpenValue(int value)
{
    return value % 2 == 0;
}

constexpr bool isOpenDoor(int value)
{
    return isDoor(value) && isOpenValue(value);
}

// The open and the closed value of the pair a door value belongs to.
constexpr int openDoor(int value)
{
    return value & ~1;
}

constexpr int closedDoor(int value)
{
    return value | 1;
}
} // namespace Cell
