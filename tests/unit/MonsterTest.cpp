#include "core/Game.hpp"
#include "world/Cell.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class MonsterTest : public testing::Test {
protected:
    // Loads a level of the given rows (wander steps and spawn points after them), then puts
    // the player on its cell and the monster on its own, wandering.
    void start(const std::string& name, const std::string& rows, const std::string& monsterPart,
               sf::Vector2i playerCell, sf::Vector2i monsterCell)
    {
        int width = 0;
        int height = 0;
        for (std::size_t at = 0; at < rows.size(); ++at) {
            if (rows[at] == '\n')
                ++height;
            else if (height == 0 && rows[at] != ' ')
                ++width;
        }
        const std::string path = "MonsterTest-" + name + ".txt";
        std::ofstream(path) << width << " " << height << " 1\n" << rows << monsterPart;
        testing::internal::CaptureStdout();
        game.getLevel().load(path);
        testing::internal::GetCapturedStdout();
        ASSERT_EQ(game.getLevel().getSize().first, width);
        placePlayer(playerCell);
        game.getMonster().setPosition(monsterCell.x, monsterCell.y);
    }

    void placePlayer(sf::Vector2i cell)
    {
        game.getPlayer().setPosition({cell.x + 0.5f, cell.y + 0.5f});
        *game.getPlayer().getMoveState() = MoveState::Still;
    }

    std::string turn()
    {
        testing::internal::CaptureStdout();
        game.getMonster().takeTurn();
        return testing::internal::GetCapturedStdout();
    }

    sf::Vector2i monster() { return game.getMonster().getPosition(); }
    bool caught() { return *game.getPlayer().getMoveState() == MoveState::Dying; }
    bool playing(int effect)
    {
        return game.getSfx().getVoice(effect).getStatus() == sf::Sound::Playing;
    }

    Game game;
};

// One corridor on row 1 from (1;1) to (10;1), and a pocket on row 3 that no sight line from
// the corridor reaches.
const std::string CorridorAndPocket = "1 1 1 1 1 1 1 1 1 1 1 1\n"
                                      "1 0 0 0 0 0 0 0 0 0 0 1\n"
                                      "1 1 1 1 1 1 1 1 1 1 1 1\n"
                                      "1 0 0 0 1 1 1 1 1 1 1 1\n"
                                      "1 1 1 1 1 1 1 1 1 1 1 1\n";

const std::string OpenRoom = "1 1 1 1 1 1 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 1 1 1 1 1 1\n";

TEST_F(MonsterTest, MonsterMovesOnlyAfterACompletedStep)
{
    std::srand(11);
    start("steps", OpenRoom, "1\n1 5 5\n", {3, 3}, {1, 5});
    for (int frame = 0; frame < 1100; ++frame)
        game.getPlayer().update(0.01f);
    ASSERT_EQ(*game.getPlayer().getMoveState(), MoveState::Still);

    sf::Event press;
    press.type = sf::Event::KeyPressed;
    press.key = {static_cast<sf::Keyboard::Key>(game.getPlayer().getKey("right")), false, false,
                 false, false};
    testing::internal::CaptureStdout();
    game.getPlayer().handleEvent(press);
    for (int frame = 0; frame < 200; ++frame)
        game.getPlayer().update(0.01f);
    press.key.code = static_cast<sf::Keyboard::Key>(game.getPlayer().getKey("action"));
    game.getPlayer().handleEvent(press);
    for (int frame = 0; frame < 200; ++frame)
        game.getPlayer().update(0.01f);
    EXPECT_EQ(testing::internal::GetCapturedStdout().find("[Monstre]"), std::string::npos);
    EXPECT_EQ(monster(), sf::Vector2i(1, 5));

    press.key.code = static_cast<sf::Keyboard::Key>(game.getPlayer().getKey("up"));
    testing::internal::CaptureStdout();
    game.getPlayer().handleEvent(press);
    for (int frame = 0; frame < 200; ++frame)
        game.getPlayer().update(0.01f);
    const std::string out = testing::internal::GetCapturedStdout();
    const auto first = out.find("[Monstre] Position : (");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(out.find("[Monstre] Position : (", first + 1), std::string::npos);
    EXPECT_NE(monster(), sf::Vector2i(1, 5));
}

TEST_F(MonsterTest, SightCrossesFloorAndOpenDoorsOnly)
{
    const std::string blockers[] = {"0", "8", "8", "1", "3"};
    const std::vector<int> doorLists[] = {{}, {8}, {9}, {}, {}};
    const bool seen[] = {true, true, false, false, false};
    for (int i = 0; i < 5; ++i) {
        start("sight", "1 1 1 1 1 1 1\n1 0 0 " + blockers[i] + " 0 0 1\n1 1 1 1 1 1 1\n",
              "1\n1 1 1\n", {5, 1}, {1, 1});
        testing::internal::CaptureStdout();
        game.getLevel().mapDoors(doorLists[i]);
        testing::internal::GetCapturedStdout();

        // A monster that spots the player stops wandering for this turn and hunts the next.
        turn();
        EXPECT_EQ(monster(), seen[i] ? sf::Vector2i(1, 1) : sf::Vector2i(2, 1)) << i;
        if (seen[i]) {
            turn();
            EXPECT_EQ(monster(), sf::Vector2i(2, 1)) << i;
        }
    }
}

TEST_F(MonsterTest, HuntMovesOnceForTwoTurnsThenJumpsAndWandersAtTheLastSighting)
{
    start("hunt", CorridorAndPocket, "2\n1 1 1\n", {10, 1}, {1, 1});
    EXPECT_EQ(turn(), "[Monstre] Position : (1;1)\n");
    placePlayer({2, 3});

    EXPECT_EQ(turn(), "[Monstre] Position : (2;1)\n");
    EXPECT_EQ(turn(), "[Monstre] Position : (3;1)\n");
    EXPECT_EQ(turn(), "[Monstre] Jump\n[Monstre] Position : (5;1)\n");
    EXPECT_EQ(turn(), "[Monstre] Jump\n[Monstre] Position : (7;1)\n");
    EXPECT_EQ(turn(), "[Monstre] Jump\n[Monstre] Position : (9;1)\n");
    EXPECT_EQ(turn(), "[Monstre] Jump\n[Monstre] Position : (10;1)\n");
    // Back to wandering: two cells a turn, no jump, turning only where it must.
    EXPECT_EQ(turn(), "[Monstre] Position : (8;1)\n");
    EXPECT_FALSE(caught());
}

TEST_F(MonsterTest, HuntingMonsterCatchesWhereItsFirstMoveEnds)
{
    start("reach", CorridorAndPocket, "2\n1 1 1\n", {4, 1}, {1, 1});
    turn();
    placePlayer({3, 1});
    turn();
    EXPECT_FALSE(caught());
    EXPECT_TRUE(endsWith(turn(), "[Monstre] Position : (3;1)\n"));
    EXPECT_TRUE(caught());
}

TEST_F(MonsterTest, WandererTurnsBackOnlyInADeadEnd)
{
    start("deadend", CorridorAndPocket, "3\n1 1 1\n", {10, 1}, {3, 3});
    EXPECT_EQ(turn(), "[Monstre] Position : (2;3)\n");

    std::srand(5);
    start("room", OpenRoom, "1\n1 1 1\n", {3, 3}, {1, 1});
    placePlayer({20, 20});
    sf::Vector2i previous = monster();
    sf::Vector2i beforeThat(-1, -1);
    for (int i = 0; i < 300; ++i) {
        turn();
        const sf::Vector2i now = monster();
        EXPECT_EQ(std::abs(now.x - previous.x) + std::abs(now.y - previous.y), 1) << i;
        EXPECT_EQ(game.getLevel().getCell(now.x, now.y), Cell::Floor) << i;
        EXPECT_NE(now, beforeThat) << i;
        beforeThat = previous;
        previous = now;
    }
}

TEST_F(MonsterTest, MonsterCatchesOnlyWhenItEndsOnThePlayerUnparalysed)
{
    start("catch", OpenRoom, "2\n1 1 1\n", {3, 3}, {3, 3});
    EXPECT_TRUE(endsWith(turn(), "[Monstre] Position : (3;3)\n"));
    EXPECT_TRUE(caught());

    start("shock", OpenRoom, "2\n1 1 1\n", {3, 3}, {3, 3});
    testing::internal::CaptureStdout();
    game.getMonster().paralyse(2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "nbTunrn paralize : 2\n");
    turn();
    EXPECT_FALSE(caught());
    EXPECT_FALSE(playing(Sfx::MonsterAwake));
    EXPECT_TRUE(endsWith(turn(), "[Monstre] Position : (3;3)\n"));
    EXPECT_TRUE(playing(Sfx::MonsterAwake));
    EXPECT_TRUE(caught());
}

TEST_F(MonsterTest, CrushedMonsterReturnsAtTheFarthestSpawnPoint)
{
    // Spawn points (1;5) and (5;1) lie equally far from the player on (1;1); (3;3) is nearer.
    start("crush",
          "1 1 1 1 1 1 1\n1 0 0 0 0 0 1\n1 0 0 0 0 0 1\n1 0 0 0 8 0 1\n"
          "1 0 0 0 0 0 1\n1 0 0 0 0 0 1\n1 1 1 1 1 1 1\n",
          "1\n3 3 3 1 5 5 1\n", {1, 1}, {4, 3});
    testing::internal::CaptureStdout();
    game.getLevel().mapDoors({8});
    game.getLevel().toggleDoor(8);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("nbTunrn paralize : 6\n"),
              std::string::npos);
    EXPECT_FALSE(game.getMonster().isPresent());

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(turn(), "[Monstre] Position : (4;3)\n") << i;
    EXPECT_FALSE(playing(Sfx::MonsterRespawn));
    EXPECT_EQ(turn(), "[MONSTER] Monster at :(1;5)\n[Monstre] Position : (1;5)\n");
    EXPECT_TRUE(playing(Sfx::MonsterRespawn));
    EXPECT_FALSE(playing(Sfx::MonsterAwake));
    EXPECT_TRUE(game.getMonster().isPresent());
}

TEST_F(MonsterTest, MonsterWithoutSpawnPointsStaysWhereItIs)
{
    start("nospawn", OpenRoom, "1\n1 5 5\n", {1, 1}, {3, 3});
    game.getMonster().clearSpawnPoints();
    testing::internal::CaptureStdout();
    game.getMonster().paralyse(1);
    game.getMonster().setPresent(false);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(turn(), "[Monstre] Position : (3;3)\n");
    EXPECT_TRUE(game.getMonster().isPresent());
}

TEST_F(MonsterTest, NewLevelEndsAPendingParalysis)
{
    start("before", OpenRoom, "1\n1 5 5\n", {1, 1}, {3, 3});
    testing::internal::CaptureStdout();
    game.getMonster().paralyse(6);
    testing::internal::GetCapturedStdout();

    start("after", OpenRoom, "1\n1 5 5\n", {2, 2}, {2, 2});
    turn();
    EXPECT_TRUE(caught());
}

}
