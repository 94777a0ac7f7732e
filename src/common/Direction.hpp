#pragma once

#include <SFML/System/Vector2.hpp>

// The four ways a step on the grid can go, one bit each. North is toward row 0.
namespace Direction {
enum : int {
    North = 1,
    East = 2,
    South = 4,
    West = 8,
};

constexpr int Count = 4;

// Clockwise from north: a random start in this list picks a direction.
constexpr int All[Count] = {North, East, South, West};

// The cell change of one step; none for a value that is no direction.
inline sf::Vector2i step(int direction)
{
    switch (direction) {
    case North:
        return {0, -1};
    case East:
        return {1, 0};
    case South:
        return {0, 1};
    case West:
        return {-1, 0};
    default:
        return {0, 0};
    }
}

inline int opposite(int direction)
{
    switch (direction) {
    case North:
        return South;
    case East:
        return West;
    case South:
        return North;
    case West:
        return East;
    default:
        return direction;
    }
}
} // namespace Direction
