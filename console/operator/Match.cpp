#include "operator/Match.hpp"

#include "common/Cell.hpp"

Match::Match() : outcome(Outcome::Playing), steps(0), monsterStep(0) {}

bool Match::playerMoved()
{
    ++steps;
    return false;
}

bool Match::interaction(int value)
{
    if (value == Cell::Exit)
        return end(Outcome::Won);
    if (Cell::isObject(value))
        taken.insert(value);
    return false;
}

bool Match::playerLost()
{
    return end(Outcome::Lost);
}

void Match::monsterPosition(int x, int y)
{
    if (x == 0 && y == 0) {
        monster.reset();
        return;
    }
    monster = sf::Vector2i(x, y);
    monsterStep = steps;
}

void Match::objectRequested(int value)
{
    pendingObjects.push_back(value);
}

int Match::objectPosition(int x, int y)
{
    if (pendingObjects.empty())
        return 0;
    int value = pendingObjects.front();
    pendingObjects.pop_front();
    located[value] = sf::Vector2i(x, y);
    return value;
}

Match::Outcome Match::getOutcome() const
{
    return outcome;
}
int Match::getSteps() const
{
    return steps;
}
const std::set<int>& Match::getTaken() const
{
    return taken;
}
const std::optional<sf::Vector2i>& Match::getMonster() const
{
    return monster;
}
int Match::getMonsterAge() const
{
    return steps - monsterStep;
}
const std::map<int, sf::Vector2i>& Match::getLocated() const
{
    return located;
}

bool Match::end(Outcome result)
{
    // A report after the end (a death during the exit's frame) does not change the result.
    if (outcome != Outcome::Playing)
        return false;
    outcome = result;
    return true;
}
