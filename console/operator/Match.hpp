#pragma once

#include <SFML/System/Vector2.hpp>

#include <deque>
#include <map>
#include <optional>
#include <set>

// What the console knows of the game being played, built only from the game's reports: the
// steps, the objects taken, whether the player escaped or died, and the answers to the
// operator's questions. The player's position is never reported, so it is not here.
class Match {
public:
    enum class Outcome { Playing, Won, Lost };

    Match();

    // Each report returns true when it ends the game (the first exit or death only).
    bool playerMoved();
    bool interaction(int value);
    bool playerLost();

    // A scan was asked for; the answer (0, 0) means the monster is not in the maze.
    void monsterPosition(int x, int y);
    // Remembers which object an outstanding position request is for: the game answers the
    // requests in order.
    void objectRequested(int value);
    // Returns the object the answer belongs to, 0 when nothing was asked.
    int objectPosition(int x, int y);

    Outcome getOutcome() const;
    int getSteps() const;
    const std::set<int>& getTaken() const;
    // The monster's cell from the last scan that found it, and the steps taken since.
    const std::optional<sf::Vector2i>& getMonster() const;
    int getMonsterAge() const;
    // The cells that position replies gave for each object.
    const std::map<int, sf::Vector2i>& getLocated() const;

private:
    bool end(Outcome result);

    Outcome outcome;
    int steps;
    std::set<int> taken;
    std::optional<sf::Vector2i> monster;
    int monsterStep;
    std::deque<int> pendingObjects;
    std::map<int, sf::Vector2i> located;
};
