#include "core/Game.hpp"
#include "world/Cell.hpp"
#include "world/Direction.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Cell = std::pair<int, int>;

// Writes a level file beside the test program and answers its path.
std::string writeLevel(const std::string& name, const std::string& text)
{
    const std::string path = "LevelTest-" + name + ".txt";
    std::ofstream(path) << text;
    return path;
}

const std::string Example = "5 4\n1\n"
                            "1 1 1 1 1\n"
                            "1 0 3 0 1\n"
                            "1 0 8 9 1\n"
                            "1 1 1 1 1\n"
                            "2\n1\n3 1\n";

// Three door cells in a row between two floor cells: (1;1) . (2;1) (3;1) (4;1) . (5;1).
const std::string Corridor = "7 3 1\n"
                             "1 1 1 1 1 1 1\n"
                             "1 0 8 8 8 0 1\n"
                             "1 1 1 1 1 1 1\n"
                             "1 1 5 1\n";

std::string loadCapturingOutput(Game& game, const std::string& path)
{
    testing::internal::CaptureStdout();
    game.getLevel().load(path);
    return testing::internal::GetCapturedStdout();
}

void press(Game& game, sf::Keyboard::Key key)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {key, false, false, false, false};
    game.getPlayer().handleEvent(event);
}

// Lets the start-of-level freeze run out, then runs frames until the step or turn is over.
void settle(Game& game)
{
    for (int frame = 0; frame < 2000 && *game.getPlayer().getMoveState() != MoveState::Still;
         ++frame)
        game.getPlayer().update(0.01f);
}

int count(const std::string& text, const std::string& what)
{
    int found = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++found;
    return found;
}

TEST(LevelTest, WorkedExampleLoadsGridObjectsExitAndStart)
{
    Game game;
    const std::string path = writeLevel("example", Example);
    const std::set<sf::Vector2i, bool (*)(const sf::Vector2i&, const sf::Vector2i&)> floors(
        {{1, 1}, {3, 1}, {1, 2}},
        [](const sf::Vector2i& a, const sf::Vector2i& b) { return a.x * 10 + a.y < b.x * 10 + b.y; });

    for (int seed = 0; seed < 20; ++seed) {
        std::srand(seed);
        const std::string out = loadCapturingOutput(game, path);
        const Level& level = game.getLevel();
        EXPECT_EQ(level.getSize(), Cell(5, 4));
        EXPECT_EQ(out.find("[LEVEL] Exit Door at :(3;2)\n"), 0u);
        EXPECT_EQ(level.getCell(3, 2), ::Cell::Exit);
        EXPECT_EQ(level.getCell(2, 2), 8);
        EXPECT_EQ(game.getLevel().getObjectCell(3), Cell(2, 1));
        const sf::Vector2i start = game.getPlayer().getTile();
        EXPECT_EQ(floors.count(start), 1u) << start.x << ";" << start.y;
        EXPECT_NE(out.find("[LEVEL] Player at :(" + std::to_string(start.x) + ";" +
                           std::to_string(start.y) + ")\n"),
                  std::string::npos);
    }
}

TEST(LevelTest, ExitIsDrawnAmongCandidatesOrNotAtAll)
{
    Game game;
    const std::string three = writeLevel("three", "5 3 3\n"
                                                  "1 9 9 9 1\n"
                                                  "1 0 0 0 1\n"
                                                  "1 1 1 1 1\n"
                                                  "1 1 1 1\n");
    std::srand(7);
    std::map<int, int> chosen;
    for (int load = 0; load < 300; ++load) {
        const std::string out = loadCapturingOutput(game, three);
        EXPECT_EQ(count(out, "[LEVEL] Exit Door"), 1);
        int exits = 0;
        for (int x = 1; x <= 3; ++x) {
            const int cell = game.getLevel().getCell(x, 0);
            EXPECT_TRUE(cell == 24 || cell == 1);
            if (cell == 24) {
                ++exits;
                ++chosen[x];
            }
        }
        EXPECT_EQ(exits, 1);
    }
    for (int x = 1; x <= 3; ++x)
        EXPECT_GT(chosen[x], 60) << "candidate " << x;

    const std::string scarce = writeLevel("scarce", "5 3 4\n"
                                                    "1 1 9 1 1\n"
                                                    "1 0 0 0 1\n"
                                                    "1 1 1 1 1\n"
                                                    "1 1 1 1\n");
    int withoutExit = 0;
    for (int load = 0; load < 100; ++load) {
        const std::string out = loadCapturingOutput(game, scarce);
        const bool exitLine = out.find("[LEVEL] Exit Door") != std::string::npos;
        EXPECT_EQ(exitLine, game.getLevel().getCell(2, 0) == 24);
        withoutExit += !exitLine;
    }
    EXPECT_GT(withoutExit, 50);
}

TEST(LevelTest, RandomStartsAreFloorCentresFacingAnAxis)
{
    Game game;
    const std::string path = writeLevel("start", "6 5 1\n"
                                                 "1 1 1 1 1 1\n"
                                                 "1 0 1 1 9 1\n"
                                                 "1 1 1 0 1 1\n"
                                                 "1 0 1 1 1 1\n"
                                                 "1 1 1 1 1 1\n"
                                                 "1 1 1 1\n");
    std::srand(11);
    std::set<int> starts;
    for (int load = 0; load < 60; ++load) {
        loadCapturingOutput(game, path);
        const sf::Vector2i tile = game.getPlayer().getTile();
        EXPECT_EQ(game.getLevel().getCell(tile.x, tile.y), ::Cell::Floor);
        starts.insert(tile.x * 10 + tile.y);
        // Facing an axis, a step lands on the centre of a neighbouring cell or is refused.
        settle(game);
        press(game, sf::Keyboard::W);
        EXPECT_EQ(*game.getPlayer().getMoveState(), MoveState::Still);
    }
    EXPECT_EQ(starts, (std::set<int>{11, 32, 13}));
}

TEST(LevelTest, TutorialStartsWhereItsFileSays)
{
    Game game;
    for (int seed = 1; seed < 6; ++seed) {
        std::srand(seed);
        const std::string out = loadCapturingOutput(game, "data/level/Tutorial.txt");
        EXPECT_NE(out.find("[LEVEL] Player at :(1;1)\n"), std::string::npos);
        EXPECT_EQ(game.getPlayer().getTile(), sf::Vector2i(1, 1));
    }
}

TEST(LevelTest, QueriesRespectTheGridBounds)
{
    Game game;
    EXPECT_FALSE(game.getLevel().isInside(1, 1));
    loadCapturingOutput(game, writeLevel("example", Example));
    const Level& level = game.getLevel();
    EXPECT_FALSE(level.isInside(0, 2));
    EXPECT_FALSE(level.isInside(2, 0));
    EXPECT_TRUE(level.isInside(4, 3));
    EXPECT_FALSE(level.isInside(5, 3));
    EXPECT_FALSE(level.isInside(4, 4));
    EXPECT_EQ(level.getAtlasWidth() / level.getTileSize(), 24);
}

TEST(LevelTest, MonsterEntersFloorAndOpenDoorsOnly)
{
    Game game;
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    Level& level = game.getLevel();
    testing::internal::CaptureStdout();
    level.mapDoors({10, 13, 8});
    testing::internal::GetCapturedStdout();

    EXPECT_TRUE(level.canMonsterEnter(1, 1, Direction::East));
    EXPECT_FALSE(level.canMonsterEnter(4, 1, Direction::West));
    EXPECT_TRUE(level.canMonsterEnter(3, 1, Direction::West));
    EXPECT_FALSE(level.canMonsterEnter(2, 1, Direction::East));
    EXPECT_TRUE(level.canMonsterEnter(5, 1, Direction::West));
    EXPECT_FALSE(level.canMonsterEnter(1, 1, Direction::North));
    EXPECT_FALSE(level.canMonsterEnter(1, 1, Direction::West));

    loadCapturingOutput(game, writeLevel("example", Example));
    EXPECT_FALSE(level.canMonsterEnter(3, 1, Direction::South));
}

TEST(LevelTest, RejectedFileLeavesThePreviousLevelInPlace)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("example", Example));
    const std::vector<std::vector<int>> before = level.getGrid();
    const sf::Vector2i tile = game.getPlayer().getTile();

    const std::vector<std::string> broken = {
        "2 2 1 1 1 1 1 1 1 1",
        "3 3 0 1 1 1 1 0 1 1 1 1 1 1 1 1",
        "3 3 1 1 1 1 1 0 1 1 1",
        "3 3 1 1 1 1 1 0 10 1 1 1 1 1 1 1",
        "3 3 1 1 1 1 0 0 1 1 1 1 1 1 1 1",
        "3 3 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
        "3 3 1 1 1 1 1 0 1 1 1 1 1 0",
        "3 3 1 1 1 1 1 0 1 1 1 1 1 1 9 9",
    };
    for (std::size_t i = 0; i < broken.size(); ++i) {
        const std::string path = writeLevel("broken" + std::to_string(i), broken[i]);
        testing::internal::CaptureStderr();
        const std::string out = loadCapturingOutput(game, path);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(out, "");
        EXPECT_EQ(count(err, "\n"), 1) << err;
        EXPECT_NE(err.find(path), std::string::npos) << err;
        EXPECT_EQ(level.getGrid(), before) << broken[i];
        EXPECT_EQ(game.getPlayer().getTile(), tile);
    }

    testing::internal::CaptureStderr();
    loadCapturingOutput(game, "LevelTest-no-such-file.txt");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no-such-file"), std::string::npos);
    EXPECT_EQ(level.getGrid(), before);
}

TEST(LevelTest, DoorsOfALevelKeptAfterARefusedLoadStillWork)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStdout();
    level.mapDoors({10, 12, 14});
    testing::internal::CaptureStderr();
    level.load(writeLevel("broken", "3 3 0"));
    level.mapDoors({8, 10, 12});
    testing::internal::GetCapturedStderr();
    level.toggleDoor(12);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(level.getGrid()[1], (std::vector<int>{1, 0, 10, 13, 14, 0, 1}));
}

TEST(LevelTest, ObjectsOfAnEarlierLevelAreForgotten)
{
    Game game;
    loadCapturingOutput(game, writeLevel("six", "4 3 1\n1 1 1 1\n1 0 6 1\n1 1 1 1\n1 1 1 1\n"));
    EXPECT_EQ(game.getLevel().getObjectCell(6), Cell(2, 1));
    loadCapturingOutput(game, writeLevel("example", Example));
    EXPECT_EQ(game.getLevel().getObjectCell(6), Cell(0, 0));
    EXPECT_EQ(game.getLevel().getObjects().size(), 1u);
}

TEST(LevelTest, DoorListGivesDoorsTheirValuesInReadingOrder)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStdout();
    level.mapDoors({10, 14, 8});
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "MapDoor0 : 10 (2;1)\nMapDoor1 : 14 (3;1)\nMapDoor2 : 8 (4;1)\n");
    EXPECT_EQ(level.getGrid()[1], (std::vector<int>{1, 0, 10, 14, 8, 0, 1}));

    // A value that is no door and a list that runs short both leave walls, never holes.
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    level.mapDoors({25});
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(count(testing::internal::GetCapturedStderr(), "\n"), 3);
    EXPECT_EQ(level.getGrid()[1], (std::vector<int>{1, 0, 1, 1, 1, 0, 1}));
}

TEST(LevelTest, ClosingDoorOnPlayerLosesTheGame)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStdout();
    level.mapDoors({10, 12, 14});
    game.getPlayer().setPosition({2.5f, 1.5f});
    game.getMonster().setPosition(2, 1);
    game.setState(GameState::InGame);
    level.toggleDoor(10);
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("Closing door (2;1)\n") != std::string::npos,
              true);
    EXPECT_EQ(level.getCell(2, 1), 11);
    EXPECT_EQ(game.getState(), GameState::GameLost);
    EXPECT_TRUE(game.getMonster().isPresent());
    EXPECT_EQ(game.getSfx().getVoice(Sfx::VoiceDoorCrush).getStatus(), sf::Sound::Playing);
    EXPECT_EQ(game.getSfx().getVoice(Sfx::DoorCrush).getStatus(), sf::Sound::Playing);
}

TEST(LevelTest, ClosingDoorOnMonsterKnocksItOut)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStdout();
    level.mapDoors({10, 12, 14});
    game.getPlayer().setPosition({1.5f, 1.5f});
    game.getMonster().setPosition(3, 1);
    game.getMonster().setPresent(true);
    game.setState(GameState::InGame);
    level.toggleDoor(12);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(level.getCell(3, 1), 13);
    EXPECT_FALSE(game.getMonster().isPresent());
    EXPECT_EQ(game.getState(), GameState::InGame);
    EXPECT_EQ(game.getSfx().getVoice(Sfx::VoiceDoorCrush).getStatus(), sf::Sound::Stopped);
    EXPECT_EQ(game.getSfx().getVoice(Sfx::DoorCrush).getStatus(), sf::Sound::Playing);
}

TEST(LevelTest, DoorsStartClosedOpenAndIgnoreUnknownValues)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStdout();
    level.mapDoors({11, 12, 23});
    EXPECT_EQ(level.getGrid()[1], (std::vector<int>{1, 0, 11, 12, 23, 0, 1}));
    EXPECT_FALSE(level.canMonsterEnter(1, 1, Direction::East));

    level.toggleDoor(11);
    level.toggleDoor(23);
    EXPECT_EQ(level.getGrid()[1], (std::vector<int>{1, 0, 10, 12, 22, 0, 1}));

    const std::vector<std::vector<int>> before = level.getGrid();
    for (int unknown : {0, 8, 9, 16, 24, -3}) {
        level.toggleDoor(unknown);
        level.clearDoorCell(unknown);
    }
    level.restoreDoorAt(1, 1);
    EXPECT_EQ(level.getGrid(), before);
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("(0;0)"), std::string::npos);
}

TEST(LevelTest, PlayerPassingAnOpenDoorLeavesItOpen)
{
    Game game;
    Level& level = game.getLevel();
    loadCapturingOutput(game, writeLevel("corridor", Corridor));
    testing::internal::CaptureStdout();
    level.mapDoors({10, 12, 14});
    game.getMonster().paralyse(1000000);
    Player& player = game.getPlayer();
    player.setPosition({1.5f, 1.5f});
    player.setAngle(0.f);
    settle(game);

    press(game, sf::Keyboard::W);
    EXPECT_EQ(level.getCell(2, 1), ::Cell::Floor);
    settle(game);
    EXPECT_EQ(player.getTile(), sf::Vector2i(2, 1));
    EXPECT_EQ(level.getCell(2, 1), ::Cell::Floor);

    // Opening the door the player stands in changes only the cell.
    level.toggleDoor(11);
    EXPECT_EQ(level.getCell(2, 1), 10);
    EXPECT_EQ(game.getState(), GameState::EnterMenu);
    level.clearDoorCell(10);

    press(game, sf::Keyboard::W);
    EXPECT_EQ(level.getCell(3, 1), ::Cell::Floor);
    settle(game);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(level.getGrid()[1], (std::vector<int>{1, 0, 10, 0, 14, 0, 1}));
}

TEST(LevelTest, ObjectsAreTakenOnceAndTheExitWinsTheGame)
{
    Game game;
    Level& level = game.getLevel();
    std::srand(3);
    loadCapturingOutput(game, writeLevel("example", Example));
    ScoreEntry& entry = game.getScore().currentEntry();
    const int loot = entry.getLoot();

    EXPECT_TRUE(level.interact(2, 1));
    EXPECT_EQ(level.getCell(2, 1), ::Cell::Spent);
    EXPECT_EQ(entry.getLoot(), loot + 1);
    EXPECT_EQ(game.getSfx().getVoice(Sfx::Invalid).getStatus(), sf::Sound::Stopped);
    EXPECT_FALSE(level.interact(2, 1));
    EXPECT_EQ(game.getSfx().getVoice(Sfx::Invalid).getStatus(), sf::Sound::Playing);
    EXPECT_EQ(level.getCell(2, 1), ::Cell::Spent);
    EXPECT_EQ(entry.getLoot(), loot + 1);

    EXPECT_FALSE(level.interact(1, 1));
    EXPECT_FALSE(level.interact(-1, 7));
    EXPECT_NE(game.getState(), GameState::GameWon);
    EXPECT_TRUE(level.interact(3, 2));
    EXPECT_EQ(game.getState(), GameState::GameWon);
    EXPECT_EQ(game.getSfx().getVoice(Sfx::DoorExitLevel).getStatus(), sf::Sound::Playing);
}

}
