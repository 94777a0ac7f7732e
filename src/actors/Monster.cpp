#include "actors/Monster.hpp"

Monster::Monster(Game* game)
    : game(game), present(true), huntTurns(0), paralysisTurns(0), wanderSteps(2), mode(1),
      position(0, 0), lastSeen(0, 0), lastDirection(1)
{
}

void Monster::takeTurn() {}
void Monster::paralyse(int turns) { paralysisTurns = turns; mode = 2; }
void Monster::respawn() {}
void Monster::addSpawnPoint(sf::Vector2i cell) { spawnPoints.push_back(cell); }
void Monster::clearSpawnPoints() { spawnPoints.clear(); }
void Monster::setWanderSteps(int steps) { wanderSteps = steps; }
void Monster::addWanderStep() { ++wanderSteps; }
void Monster::setPresent(bool isPresentNow) { present = isPresentNow; }
bool Monster::isPresent() const { return present; }
void Monster::setMode(int newMode) { mode = newMode; }
sf::Vector2i Monster::getPosition() const { return position; }
void Monster::setPosition(int column, int row) { position = {column, row}; }
void Monster::look() {}
void Monster::scan(int) {}
void Monster::stepToward(sf::Vector2i) {}
int Monster::randomDirection() const { return lastDirection; }
void Monster::move(int) {}
