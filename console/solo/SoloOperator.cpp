#include "solo/SoloOperator.hpp"

#include <cstdlib>
#include <sstream>

namespace {

using Kind = OperatorAction::Kind;

} // namespace

SoloOperator::SoloOperator(Operator& console, bool hard, unsigned seed)
    : console(console), hard(hard), dice(seed), nextLevel(0)
{
}

const std::vector<std::string>& SoloOperator::update()
{
    const std::vector<std::string>& lines = console.update();
    for (const std::string& line : lines) {
        std::istringstream words(line);
        std::string event;
        int x = 0;
        int y = 0;
        words >> event;
        if (event == "joined")
            startNext();
        else if (event == "moved" && words >> x)
            moved(x);
        else if (event == "monster" && words >> x >> y)
            monsterSeen(x, y);
    }
    if (hard && console.isPlaying() && console.isPowerDown() &&
        powerClock.getElapsedTime().asSeconds() >= powerDownSeconds)
        console.act({Kind::Power, 0});
    return lines;
}

int SoloOperator::getNextLevel() const
{
    return nextLevel;
}

void SoloOperator::startNext()
{
    closed.clear();
    // Levels whose file is missing or that cannot be run are passed over.
    for (int tried = 0; tried < LevelCatalogue::count; ++tried) {
        int level = nextLevel;
        nextLevel = (nextLevel + 1) % LevelCatalogue::count;
        if (console.act({Kind::Select, level}).empty() && console.act({Kind::Start, 0}).empty())
            return;
    }
}

void SoloOperator::moved(int steps)
{
    if (!hard || !console.isPlaying())
        return;
    for (std::size_t i = 0; i < closed.size();) {
        if (steps >= closed[i].reopenAt) {
            console.act({Kind::Door, closed[i].door});
            closed.erase(closed.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    int count = console.getDoors().getCount();
    if (steps % doorEvery == 0 && count > 0 && dice() % 2 == 0) {
        int door = static_cast<int>(dice() % static_cast<unsigned>(count)) + 1;
        if (console.getDoors().isOpen(door) && console.act({Kind::Door, door}).empty())
            closed.push_back({door, steps + doorClosedFor});
    }
    if (steps % scanEvery == 0)
        console.act({Kind::Scan, 0});
}

void SoloOperator::monsterSeen(int x, int y)
{
    if (!hard || !console.isPlaying() || (x == 0 && y == 0))
        return;
    const std::set<int>& taken = console.getMatch().getTaken();
    for (const auto& object : console.getPlan().getObjectCells()) {
        if (taken.count(object.first) != 0)
            continue;
        if (std::abs(object.second.x - x) + std::abs(object.second.y - y) <= guardDistance) {
            console.act({Kind::Shock, 0});
            if (console.isPowerDown())
                powerClock.restart();
            return;
        }
    }
}
