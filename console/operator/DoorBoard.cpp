#include "operator/DoorBoard.hpp"

#include "common/Cell.hpp"

DoorBoard::DoorBoard() = default;

DoorBoard::DoorBoard(int count) : open(static_cast<std::size_t>(count > 0 ? count : 0), true) {}

int DoorBoard::openValue(int door)
{
    return Cell::FirstDoor + 2 * (door - 1);
}
int DoorBoard::closedValue(int door)
{
    return Cell::closedDoor(openValue(door));
}

int DoorBoard::doorOfValue(int value)
{
    if (!Cell::isDoor(value))
        return 0;
    return (value - Cell::FirstDoor) / 2 + 1;
}

int DoorBoard::getCount() const
{
    return static_cast<int>(open.size());
}
bool DoorBoard::isStartable() const
{
    return getCount() <= Cell::DoorPairs;
}

bool DoorBoard::isOpen(int door) const
{
    return door >= 1 && door <= getCount() && open[static_cast<std::size_t>(door - 1)];
}

int DoorBoard::toggle(int door)
{
    if (door < 1 || door > getCount())
        return 0;
    std::size_t slot = static_cast<std::size_t>(door - 1);
    bool wasOpen = open[slot];
    open[slot] = !wasOpen;
    return wasOpen ? openValue(door) : closedValue(door);
}

void DoorBoard::apply(int value)
{
    int door = doorOfValue(value);
    if (door == 0 || door > getCount())
        return;
    open[static_cast<std::size_t>(door - 1)] = !Cell::isOpenValue(value);
}

void DoorBoard::load(const std::vector<int>& values)
{
    for (std::size_t i = 0; i < values.size() && i < open.size(); ++i)
        open[i] = Cell::isOpenValue(values[i]);
}

std::vector<int> DoorBoard::values() const
{
    std::vector<int> list;
    for (int door = 1; door <= getCount(); ++door)
        list.push_back(isOpen(door) ? openValue(door) : closedValue(door));
    return list;
}
