#pragma once

#include <SFML/System/Vector2.hpp>

#include <vector>

class Game;

// What the monster does with its turns.
namespace MonsterMode {
enum : int {
    // Chasing the cell where it last saw the player.
    Hunting = 0,
    Wandering = 1,
    // Knocked out by a shock or a door: counts its paralysis down.
    Paralysed = 2,
};
}

// The unseen hunter. Takes one turn after each completed step of the player: wanders, sees
// the player along its row or column through passable cells, chases, or waits out a paralysis.
// Never drawn. Owned by Game; the level loader places it at the start of every level.
class Monster {
public:
    // The turns a paralysis lasts: after a shock, a shock that reboots the plant, a door.
    static constexpr int ShockTurns = 2;
    static constexpr int RebootTurns = 5;
    static constexpr int CrushTurns = 6;

    explicit Monster(Game* game);

    // One turn: hunt, wander or count the paralysis down, then catch the player if the turn
    // ends on the player's cell unparalysed.
    void takeTurn();
    // Keeps the monster still (or, crushed, away) for the given number of its turns.
    void paralyse(int turns);
    // Moves to the spawn point farthest from the player; without spawn points it stays.
    void respawn();
    void addSpawnPoint(sf::Vector2i cell);
    void clearSpawnPoints();
    void setWanderSteps(int steps);
    void addWanderStep();
    int getWanderSteps() const;
    void setPresent(bool isPresentNow);
    bool isPresent() const;
    // Any mode but Paralysed also drops a pending paralysis.
    void setMode(int newMode);
    sf::Vector2i getPosition() const;
    void setPosition(int column, int row);

private:
    bool onPlayer() const;
    // Looks along its row or column when the player shares one; spotting it starts a hunt.
    void look();
    void scan(int direction);
    // A greedy move toward goal, possibly diagonal; reaching it ends the hunt.
    void stepToward(sf::Vector2i goal);
    // The first passable direction from a random start that does not turn back, else back.
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
