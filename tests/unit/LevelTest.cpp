#include "LevelInPlay.hpp"
#include "common/Cell.hpp"
#include "common/Direction.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Row = std::vector<int>;

// Any whitespace separates the numbers of a level file.
const std::string Example = "5 4\n1\n"
                            "1 1 1 1 1\n"
                            "1 0 3 0 1\n"
                            "1 0 8 9 1\n"
                            "1 1 1 1 1\n"
                            "2\n1\n3 1\n";

// Three door cells in a row between two floor cells: (1;1) . (2;1) (3;1) (4;1) . (5;1).
const std::string Corridor = "1 1 1 1 1 1 1\n"
                             "1 0 8 8 8 0 1\n"
                             "1 1 1 1 1 1 1\n";

struct LevelTest : testing::Test, LevelInPlay {
    Level& level() { return game.getLevel(); }
    const Row& row(int y) { return level().getGrid()[y]; }
};

TEST_F(LevelTest, WorkedExampleLoadsARandomFloorStartObjectsTakenOnceAndADrawnExitThatWins)
{
    // The exit is drawn among the candidates, each of them often; the others become walls.
    std::srand(7);
    std::map<int, int> chosen;
    for (int i = 0; i < 300; ++i) {
        load("5 3 3\n1 9 9 9 1\n1 0 0 0 1\n1 1 1 1 1\n1 1 1 1\n");
        EXPECT_EQ(std::count(row(0).begin(), row(0).end(), Cell::Exit), 1);
        EXPECT_EQ(std::count(row(0).begin(), row(0).end(), Cell::Wall), 4);
        for (int x = 1; x <= 3; ++x)
            chosen[x] += cell(x, 0) == Cell::Exit;
    }
    for (int x = 1; x <= 3; ++x)
        EXPECT_GT(chosen[x], 60) << "candidate " << x;

    // Objects are the values 3 to 7; those of an earlier level are forgotten.
    load("7 3 1\n1 1 1 1 1 1 1\n1 0 2 3 7 8 1\n1 1 1 1 1 1 1\n1 1 1 1\n");
    EXPECT_EQ(level().getObjects(), (std::map<int, std::pair<int, int>>{{3, {3, 1}}, {7, {4, 1}}}));
    std::set<std::pair<int, int>> starts;
    for (int seed = 0; seed < 20; ++seed) {
        std::srand(seed);
        const std::string out = load(Example);
        const sf::Vector2i start = player().getTile();
        starts.insert({start.x, start.y});
        EXPECT_EQ(out, "[LEVEL] Exit Door at :(3;2)\n[LEVEL] Player at :(" +
                           std::to_string(start.x) + ";" + std::to_string(start.y) +
                           ")\n[MONSTER] Monster at :(3;1)\n");
    }
    EXPECT_EQ(starts, (std::set<std::pair<int, int>>{{1, 1}, {3, 1}, {1, 2}}));
    EXPECT_EQ(row(2), (Row{1, 0, 8, Cell::Exit, 1}));
    EXPECT_EQ(level().getObjectCell(3), std::make_pair(2, 1));
    EXPECT_EQ(level().getObjects().size(), 1u);
    // The monster keeps out of the exit. Row 0 and column 0 count as outside, the last inside.
    EXPECT_FALSE(level().canMonsterEnter(3, 1, Direction::South));
    const std::tuple<int, int, bool> borders[] = {{-1, 1, false}, {0, 1, false}, {1, 1, true},
                                                  {4, 1, true},   {5, 1, false}, {1, -1, false},
                                                  {1, 0, false},  {1, 3, true},  {1, 4, false}};
    for (const auto& [x, y, inside] : borders)
        EXPECT_EQ(level().isInside(x, y), inside) << x << ";" << y;

    // An object is taken once; the exit wins the game.
    ScoreEntry& entry = game.getScore().currentEntry();
    const int loot = entry.getLoot();
    EXPECT_TRUE(level().interact(2, 1));
    EXPECT_EQ(cell(2, 1), Cell::Spent);
    EXPECT_EQ(entry.getLoot(), loot + 1);
    EXPECT_FALSE(playing(Sfx::Invalid));
    EXPECT_FALSE(level().interact(2, 1));
    EXPECT_TRUE(playing(Sfx::Invalid));
    EXPECT_EQ(entry.getLoot(), loot + 1);

    EXPECT_FALSE(level().interact(1, 1));
    EXPECT_NE(game.getState(), GameState::GameWon);
    EXPECT_TRUE(level().interact(3, 2));
    EXPECT_EQ(game.getState(), GameState::GameWon);
    EXPECT_TRUE(playing(Sfx::DoorExitLevel));
}

TEST_F(LevelTest, DoorListGivesDoorsTheirValuesAndMessagesFlipThemThroughARefusedLoad)
{
    loadRows(Corridor, "1 1 5 1\n", {11, 14, 23});
    EXPECT_EQ(row(1), (Row{1, 0, 11, 14, 23, 0, 1}));

    EXPECT_EQ(toggleDoor(11), "Opening Door (2;1)\n");
    EXPECT_TRUE(playing(Sfx::DoorLightOn));
    toggleDoor(23);
    EXPECT_EQ(toggleDoor(14), "Closing door (3;1)\n");
    EXPECT_TRUE(playing(Sfx::DoorLightOff));
    EXPECT_EQ(row(1), (Row{1, 0, 10, 15, 22, 0, 1}));
    // The monster enters open doors only.
    const std::tuple<int, int, int, bool> moves[] = {
        {1, 1, Direction::East, true},   {5, 1, Direction::West, true},
        {2, 1, Direction::East, false},  {4, 1, Direction::West, false},
        {1, 1, Direction::North, false}, {5, 1, Direction::East, false}};
    for (const auto& [x, y, direction, allowed] : moves)
        EXPECT_EQ(level().canMonsterEnter(x, y, direction), allowed) << x << " " << direction;

    const std::vector<std::vector<int>> before = level().getGrid();
    for (int unknown : {0, 8, 9, 16, 24, -3}) {
        EXPECT_EQ(toggleDoor(unknown), "");
        level().clearDoorCell(unknown);
    }
    level().restoreDoorAt(1, 1);
    EXPECT_EQ(level().getGrid(), before);

    // A file the check refuses (a hole in the border) and a missing file: one line naming it,
    // and the level in play stays.
    const sf::Vector2i tile = player().getTile();
    for (const std::string name : {"", "LevelTest-no-such-file.txt"}) {
        CapturedOutput errors(CapturedOutput::StandardError);
        EXPECT_EQ(name.empty() ? load("3 3 1 1 1 1 1 0 0 1 1 1 1 1 1 1 1")
                               : printedBy([&] { level().load(name); }),
                  "");
        const std::string err = errors.take();
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(name.empty() ? "level.txt" : name), std::string::npos);
        EXPECT_EQ(level().getGrid(), before);
        EXPECT_EQ(player().getTile(), tile);
    }
    // The door list that follows a refused load leaves the doors in play working.
    level().mapDoors({8, 10, 12});
    toggleDoor(10);
    EXPECT_EQ(row(1), (Row{1, 0, 11, 15, 22, 0, 1}));

    // A value that is no door and a list that runs short both leave walls, never holes.
    CapturedOutput errors(CapturedOutput::StandardError);
    loadRows(Corridor, "1 1 5 1\n", {25, 12});
    EXPECT_EQ(errors.take(),
              "MapDoor 0 : value 25 is no door value, (2;1) becomes a wall\n"
              "MapDoor 2 : no value in the door list for (4;1), the door becomes a wall\n");
    EXPECT_EQ(row(1), (Row{1, 0, 1, 12, 1, 0, 1}));
}

} // namespace
