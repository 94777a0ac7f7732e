#pragma once

#include <SFML/System/Vector2.hpp>

#include <vector>

class Game;

// The unseen hunter. Takes one turn after each completed step of the player: wanders, sees
// the player along its row or column through passable cells, chases, or waits out a paralysis.
class Monster {
public:
    explicit Monster(Game* game);

    void takeTurn();
    void paralyse(int turns);
    // Moves to the spawn point farthest from the player; without spawn points it stays.
    void respawn();
    void addSpawnPoint(sf::Vector2i cell);
    void clearSpawnPoints();
    void setWanderSteps(int steps);
    void addWanderStep();
    void setPresent(bool isPresentNow);
    bool isPresent() const;
    void setMode(int newMode);
    sf::Vector2i getPosition() const;
    void setPosition(int column, int row);

private:
    void look();
    void scan(int direction);
    void stepToward(sf::Vector2i goal);
    int randomDirection() const;
    void move(int direction);

    Game* game;
    bool present;
    int huntTurns;
    int paralysisTurns;
    int wanderSteps;
    int mode;
    sf::Vector2i position;
    sf::Vector2i lastSeen;
    std::vector<sf::Vector2i> spawnPoints;
    int lastDirection;
};
