#pragma once

#include "operator/Operator.hpp"

#include <SFML/System/Clock.hpp>

#include <random>
#include <vector>

// Plays the operator's part for a player alone: each game that joins gets the next level
// (the tutorial first, then 1 to 6, then round again) with every door open, and its report at
// the end. In hard mode it also closes and reopens random doors now and then, scans every few
// steps and shocks the monster when a scan finds it near an object still in the maze.
class SoloOperator {
public:
    // Steps between scans, door decisions, and how long a closed door stays closed (hard mode).
    static constexpr int scanEvery = 4;
    static constexpr int doorEvery = 10;
    static constexpr int doorClosedFor = 6;
    // A monster this many cells (or fewer) from an object is shocked.
    static constexpr int guardDistance = 3;
    static constexpr float powerDownSeconds = 8.f;

    SoloOperator(Operator& console, bool hard, unsigned seed);

    // Handles what the game reported since the last call and acts on it; returns the event
    // lines handled (valid until the next call).
    const std::vector<std::string>& update();
    // The level the next game that joins will get.
    int getNextLevel() const;

private:
    void startNext();
    void moved(int steps);
    void monsterSeen(int x, int y);

    struct ClosedDoor {
        int door;
        int reopenAt;
    };

    Operator& console;
    bool hard;
    std::mt19937 dice;
    int nextLevel;
    std::vector<ClosedDoor> closed;
    sf::Clock powerClock;
};
