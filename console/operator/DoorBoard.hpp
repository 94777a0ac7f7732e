#pragma once

#include <vector>

// The doors of the level being run, numbered from 1 in the reading order of their cells. Door k
// owns the k-th value pair of Cell (open, then closed); the board remembers which of the two
// each door holds, so the operator's click always sends the opposite one.
class DoorBoard {
public:
    DoorBoard();
    // All doors open.
    explicit DoorBoard(int count);

    static int openValue(int door);
    static int closedValue(int door);
    // The door a value belongs to (from 1), 0 for a value that is no door value.
    static int doorOfValue(int value);

    int getCount() const;
    bool isStartable() const;
    bool isOpen(int door) const;
    // Flips door k and returns the value that tells the game to do the same: odd opens, even
    // closes. 0 when there is no such door.
    int toggle(int door);
    // Follows a door message sent by other means (a script's raw value): an even value closes
    // the door of its pair, an odd one opens it. Values of no door are ignored.
    void apply(int value);
    // Takes the door values of a load message, door k from the k-th value: an even value starts
    // its door open, an odd one closed. Doors beyond the list keep their state.
    void load(const std::vector<int>& values);
    // The values of every door in door order, for the load message.
    std::vector<int> values() const;

private:
    std::vector<bool> open;
};
