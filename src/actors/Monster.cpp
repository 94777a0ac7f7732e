#include "actors/Monster.hpp"

#include "core/Game.hpp"
#include "common/Direction.hpp"

#include <cmath>
#include <cstdlib>
#include <iostream>

Monster::Monster(Game* game)
    : game(game), present(true), huntTurns(0), paralysisTurns(0), wanderSteps(2),
      mode(MonsterMode::Wandering), position(0, 0), lastSeen(0, 0), lastDirection(Direction::North)
{
}

void Monster::takeTurn()
{
    if (mode == MonsterMode::Hunting) {
        if (!onPlayer()) {
            look();
            stepToward(lastSeen);
            look();
            // Two turns after spotting the player the chase doubles its pace.
            if (!onPlayer() && --huntTurns <= 0) {
                look();
                stepToward(lastSeen);
                look();
                std::cout << "[Monstre] Jump\n";
            }
        }
    } else if (mode == MonsterMode::Wandering) {
        if (!onPlayer()) {
            for (int i = 0; i < wanderSteps; ++i) {
                look();
                if (mode == MonsterMode::Hunting)
                    break;
                move(randomDirection());
                look();
            }
        }
    } else if (mode == MonsterMode::Paralysed) {
        if (--paralysisTurns <= 0) {
            mode = MonsterMode::Wandering;
            if (present) {
                game->getSfx().playMonsterAwake();
            } else {
                // A crushed monster comes back somewhere else.
                present = true;
                game->getSfx().playMonsterRespawn();
                respawn();
            }
        }
    }

    // Only the cell where the turn ends catches; crossing the player on the way does not.
    if (paralysisTurns <= 0 && onPlayer())
        game->getPlayer().caught();
    std::cout << "[Monstre] Position : (" << position.x << ";" << position.y << ")\n";
}

void Monster::paralyse(int turns)
{
    // Also while crushed: the order's turns replace those left before the monster comes back.
    paralysisTurns = turns;
    std::cout << "nbTunrn paralize : " << turns << "\n";
    mode = MonsterMode::Paralysed;
}

void Monster::respawn()
{
    if (spawnPoints.empty())
        return;
    const sf::Vector2i player = game->getPlayer().getTile();
    // The first of the farthest points wins: a later one must be strictly farther.
    sf::Vector2i best = spawnPoints.front();
    float bestDistance = 0.f;
    for (const sf::Vector2i& spawn : spawnPoints) {
        const float dx = static_cast<float>(spawn.x - player.x);
        const float dy = static_cast<float>(spawn.y - player.y);
        const float distance = std::sqrt(dx * dx + dy * dy);
        if (distance > bestDistance) {
            bestDistance = distance;
            best = spawn;
        }
    }
    std::cout << "[MONSTER] Monster at :(" << best.x << ";" << best.y << ")\n";
    setPosition(best.x, best.y);
}

void Monster::addSpawnPoint(sf::Vector2i cell) { spawnPoints.push_back(cell); }
void Monster::clearSpawnPoints() { spawnPoints.clear(); }
void Monster::setWanderSteps(int steps) { wanderSteps = steps; }
void Monster::addWanderStep() { ++wanderSteps; }
int Monster::getWanderSteps() const { return wanderSteps; }
void Monster::setPresent(bool isPresentNow) { present = isPresentNow; }
bool Monster::isPresent() const { return present; }

void Monster::setMode(int newMode)
{
    mode = newMode;
    // A monster set going again (a new level) must not carry a paralysis it will never count
    // down: outside Paralysed a pending paralysis would stop it from ever catching the player.
    if (mode != MonsterMode::Paralysed)
        paralysisTurns = 0;
}

sf::Vector2i Monster::getPosition() const { return position; }
void Monster::setPosition(int column, int row) { position = {column, row}; }

bool Monster::onPlayer() const { return position == game->getPlayer().getTile(); }

void Monster::look()
{
    const sf::Vector2i player = game->getPlayer().getTile();
    if (player.x == position.x)
        scan(player.y > position.y ? Direction::South : Direction::North);
    else if (player.y == position.y)
        scan(player.x > position.x ? Direction::East : Direction::West);
}

void Monster::scan(int direction)
{
    const Level& level = game->getLevel();
    const sf::Vector2i player = game->getPlayer().getTile();
    const sf::Vector2i change = Direction::step(direction);
    // Sight runs from the neighbouring cell to the first one the monster could not enter.
    sf::Vector2i cell = position;
    while (level.canMonsterEnter(cell.x, cell.y, direction)) {
        cell += change;
        if (cell == player) {
            lastSeen = cell;
            if (mode == MonsterMode::Wandering) {
                huntTurns = 3;
                mode = MonsterMode::Hunting;
            }
        }
    }
}

void Monster::stepToward(sf::Vector2i goal)
{
    const Level& level = game->getLevel();
    // Rows first, then columns, each from the cell the previous test left: a diagonal is
    // one call.
    if (position.y < goal.y && level.canMonsterEnter(position.x, position.y, Direction::South))
        ++position.y;
    if (position.y > goal.y && level.canMonsterEnter(position.x, position.y, Direction::North))
        --position.y;
    if (position.x < goal.x && level.canMonsterEnter(position.x, position.y, Direction::East))
        ++position.x;
    if (position.x > goal.x && level.canMonsterEnter(position.x, position.y, Direction::West))
        --position.x;
    if (position == goal)
        mode = MonsterMode::Wandering;
}

int Monster::randomDirection() const
{
    const Level& level = game->getLevel();
    const int start = std::rand() % Direction::Count;
    for (int i = 0; i < Direction::Count; ++i) {
        const int direction = Direction::All[(start + i) % Direction::Count];
        if (direction != Direction::opposite(lastDirection) &&
            level.canMonsterEnter(position.x, position.y, direction))
            return direction;
    }
    // A dead end: the monster turns back, whatever lies behind it.
    return Direction::opposite(lastDirection);
}

void Monster::move(int direction)
{
    position += Direction::step(direction);
    lastDirection = direction;
}
