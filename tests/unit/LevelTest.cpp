#include "LevelInPlay.hpp"
#include "world/Cell.hpp"
#include "world/Direction.hpp"

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

int count(const std::string& text, const std::string& what)
{
    int found = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++found;
    return found;
}

struct LevelTest : testing::Test, LevelInPlay {
    Level& level() { return game.getLevel(); }
    const Row& row(int y) { return level().getGrid()[y]; }
};

TEST_F(LevelTest, WorkedExampleLoadsGridObjectsExitAndARandomFloorStart)
{
    // Objects of an earlier level are forgotten.
    load("4 3 1\n1 1 1 1\n1 0 6 1\n1 1 1 1\n1 1 1 1\n");
    EXPECT_EQ(level().getObjectCell(6), std::make_pair(2, 1));
    std::set<std::pair<int, int>> starts;
    for (int seed = 0; seed < 20; ++seed) {
        std::srand(seed);
        const std::string out = load(Example);
        EXPECT_EQ(level().getSize(), std::make_pair(5, 4));
        EXPECT_EQ(out.find("[LEVEL] Exit Door at :(3;2)\n"), 0u);
        EXPECT_EQ(row(2), (Row{1, 0, 8, Cell::Exit, 1}));
        EXPECT_EQ(level().getObjectCell(3), std::make_pair(2, 1));
        EXPECT_EQ(level().getObjectCell(6), std::make_pair(0, 0));
        EXPECT_EQ(level().getObjects().size(), 1u);
        const sf::Vector2i start = player().getTile();
        starts.insert({start.x, start.y});
        EXPECT_NE(out.find("[LEVEL] Player at :(" + std::to_string(start.x) + ";" +
                           std::to_string(start.y) + ")\n"),
                  std::string::npos);
    }
    EXPECT_EQ(starts, (std::set<std::pair<int, int>>{{1, 1}, {3, 1}, {1, 2}}));
}

TEST_F(LevelTest, ExitIsDrawnAmongCandidates)
{
    std::srand(7);
    std::map<int, int> chosen;
    for (int i = 0; i < 300; ++i) {
        const std::string out = load("5 3 3\n1 9 9 9 1\n1 0 0 0 1\n1 1 1 1 1\n1 1 1 1\n");
        EXPECT_EQ(count(out, "[LEVEL] Exit Door"), 1);
        EXPECT_EQ(std::count(row(0).begin(), row(0).end(), Cell::Exit), 1);
        EXPECT_EQ(std::count(row(0).begin(), row(0).end(), Cell::Wall), 4);
        for (int x = 1; x <= 3; ++x)
            chosen[x] += cell(x, 0) == Cell::Exit;
    }
    for (int x = 1; x <= 3; ++x)
        EXPECT_GT(chosen[x], 60) << "candidate " << x;
}

TEST_F(LevelTest, MonsterEntersFloorAndOpenDoorsOnly)
{
    loadRows(Corridor, "1 1 5 1\n", {10, 13, 8});
    const std::tuple<int, int, int, bool> moves[] = {
        {1, 1, Direction::East, true},  {3, 1, Direction::West, true},
        {5, 1, Direction::West, true},  {4, 1, Direction::West, false},
        {2, 1, Direction::East, false}, {1, 1, Direction::North, false},
        {1, 1, Direction::West, false}, {5, 1, Direction::East, false}};
    for (const auto& [x, y, direction, allowed] : moves)
        EXPECT_EQ(level().canMonsterEnter(x, y, direction), allowed) << x << " " << direction;
    load(Example);
    EXPECT_FALSE(level().canMonsterEnter(3, 1, Direction::South));
}

TEST_F(LevelTest, RejectedFileLeavesThePreviousLevelInPlace)
{
    loadRows(Corridor, "1 1 5 1\n", {10, 12, 14});
    const std::vector<std::vector<int>> before = level().getGrid();
    const sf::Vector2i tile = player().getTile();

    // A file the check refuses (a hole in the border) and a missing file: one line naming it.
    for (const std::string name : {"", "LevelTest-no-such-file.txt"}) {
        CapturedOutput errors(CapturedOutput::StandardError);
        EXPECT_EQ(name.empty() ? load("3 3 1 1 1 1 1 0 0 1 1 1 1 1 1 1 1")
                               : printedBy([&] { level().load(name); }),
                  "");
        const std::string err = errors.take();
        EXPECT_EQ(count(err, "\n"), 1) << err;
        EXPECT_EQ(count(err, name.empty() ? "LevelTest-RejectedFile" : name), 1) << err;
        EXPECT_EQ(level().getGrid(), before);
        EXPECT_EQ(player().getTile(), tile);
    }

    // The door list that follows a refused load leaves the doors in play working.
    level().mapDoors({8, 10, 12});
    toggleDoor(12);
    EXPECT_EQ(row(1), (Row{1, 0, 10, 13, 14, 0, 1}));
}

TEST_F(LevelTest, DoorListGivesDoorsTheirValuesInReadingOrderAndMessagesFlipThem)
{
    load("7 3 1\n" + Corridor + "1 1 5 1\n");
    EXPECT_EQ(printedBy([&] {
                  level().mapDoors({11, 14, 23});
              }),
              "MapDoor0 : 11 (2;1)\nMapDoor1 : 14 (3;1)\nMapDoor2 : 23 (4;1)\n");
    EXPECT_EQ(row(1), (Row{1, 0, 11, 14, 23, 0, 1}));

    EXPECT_EQ(toggleDoor(11), "Opening Door (2;1)\n");
    EXPECT_TRUE(playing(Sfx::DoorLightOn));
    toggleDoor(23);
    EXPECT_EQ(toggleDoor(14), "Closing door (3;1)\n");
    EXPECT_TRUE(playing(Sfx::DoorLightOff));
    EXPECT_EQ(row(1), (Row{1, 0, 10, 15, 22, 0, 1}));

    const std::vector<std::vector<int>> before = level().getGrid();
    for (int unknown : {0, 8, 9, 16, 24, -3}) {
        EXPECT_EQ(toggleDoor(unknown), "");
        level().clearDoorCell(unknown);
    }
    level().restoreDoorAt(1, 1);
    EXPECT_EQ(level().getGrid(), before);

    // A value that is no door and a list that runs short both leave walls, never holes.
    CapturedOutput errors(CapturedOutput::StandardError);
    loadRows(Corridor, "1 1 5 1\n", {25});
    EXPECT_EQ(count(errors.take(), "\n"), 3);
    EXPECT_EQ(row(1), (Row{1, 0, 1, 1, 1, 0, 1}));
}

TEST_F(LevelTest, ObjectsAreTakenOnceAndTheExitWinsTheGame)
{
    std::srand(3);
    load(Example);
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
    EXPECT_FALSE(level().interact(-1, 7));
    EXPECT_NE(game.getState(), GameState::GameWon);
    EXPECT_TRUE(level().interact(3, 2));
    EXPECT_EQ(game.getState(), GameState::GameWon);
    EXPECT_TRUE(playing(Sfx::DoorExitLevel));
}

} // namespace
