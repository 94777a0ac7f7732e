#include "LevelInPlay.hpp"
#include "common/Cell.hpp"
#include "common/Protocol.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct MonsterTest : testing::Test, LevelInPlay {
    // Loads the rows with the monster's part after them, then puts the player and the monster,
    // wandering, on their cells.
    void start(const std::string& rows, const std::string& monsterPart, sf::Vector2i playerCell,
               sf::Vector2i monsterCell, const std::vector<int>& doors = {})
    {
        loadRows(rows, monsterPart, doors);
        place(playerCell);
        game.getMonster().setPosition(monsterCell.x, monsterCell.y);
    }

    sf::Vector2i monster() { return game.getMonster().getPosition(); }
    bool caught() { return moveState() == MoveState::Dying; }
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
                             "1 0 0 0 8 0 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 0 0 0 0 0 1\n"
                             "1 1 1 1 1 1 1\n";

TEST_F(MonsterTest, SightCrossesFloorAndOpenDoorsOnly)
{
    // What stands between the monster (1;1) and the player (5;1), and the door list.
    const std::tuple<std::string, std::vector<int>, bool> between[] = {
        {"0", {}, true}, {"8", {8}, true}, {"8", {9}, false}, {"1", {}, false}, {"3", {}, false}};
    for (const auto& [blocker, doors, seen] : between) {
        SCOPED_TRACE(blocker);
        start("1 1 1 1 1 1 1\n1 0 0 " + blocker + " 0 0 1\n1 1 1 1 1 1 1\n", "1 1 1 1\n", {5, 1},
              {1, 1}, doors);
        // A monster that spots the player stops wandering for this turn.
        monsterTurn();
        EXPECT_EQ(monster(), seen ? sf::Vector2i(1, 1) : sf::Vector2i(2, 1));
    }
}

TEST_F(MonsterTest, HuntMovesOnceForTwoTurnsThenJumpsAndWandersAtTheLastSightingOrWaitsAtAShutDoor)
{
    start(CorridorAndPocket, "2 1 1 1\n", {10, 1}, {1, 1});
    EXPECT_EQ(monsterTurn(), "[Monstre] Position : (1;1)\n");
    place({2, 3});

    EXPECT_EQ(monsterTurn(), "[Monstre] Position : (2;1)\n");
    EXPECT_EQ(monsterTurn(), "[Monstre] Position : (3;1)\n");
    EXPECT_EQ(monsterTurn(), "[Monstre] Jump\n[Monstre] Position : (5;1)\n");
    EXPECT_EQ(monsterTurn(), "[Monstre] Jump\n[Monstre] Position : (7;1)\n");
    EXPECT_EQ(monsterTurn(), "[Monstre] Jump\n[Monstre] Position : (9;1)\n");
    EXPECT_EQ(monsterTurn(), "[Monstre] Jump\n[Monstre] Position : (10;1)\n");
    // Back to wandering: two cells a turn, no jump, turning only where it must.
    EXPECT_EQ(monsterTurn(), "[Monstre] Position : (8;1)\n");

    // A door closed between the hunter and the player it saw stops it at the door.
    start("1 1 1 1 1 1 1 1\n1 0 0 8 0 0 0 1\n1 1 1 1 1 1 1 1\n", "1 1 5 1\n", {1, 1}, {5, 1}, {8});
    monsterTurn();
    toggleDoor(8);
    monsterTurn();
    monsterTurn();
    EXPECT_EQ(monster(), sf::Vector2i(4, 1));
}

TEST_F(MonsterTest, WandererMovesACellForEachPlayersStepTurningBackOnlyInADeadEnd)
{
    start(CorridorAndPocket, "3 1 1 1\n", {10, 1}, {3, 3});
    EXPECT_EQ(monsterTurn(), "[Monstre] Position : (2;3)\n");

    // The player's turns and actions give the monster no turn; a step gives one.
    std::srand(11);
    start(OpenRoom, "1 1 5 5\n", {3, 3}, {1, 5}, {8});
    act(sf::Keyboard::D);
    act(sf::Keyboard::E);
    EXPECT_EQ(monster(), sf::Vector2i(1, 5));
    act(sf::Keyboard::W);
    place({20, 20});
    sf::Vector2i previous(1, 5);
    sf::Vector2i beforeThat(-1, -1);
    for (int i = 0; i < 300; ++i) {
        if (i > 0)
            monsterTurn();
        const sf::Vector2i now = monster();
        EXPECT_EQ(std::abs(now.x - previous.x) + std::abs(now.y - previous.y), 1) << i;
        EXPECT_TRUE(cell(now.x, now.y) == Cell::Floor || cell(now.x, now.y) == 8) << i;
        EXPECT_NE(now, beforeThat) << i;
        beforeThat = previous;
        previous = now;
    }
}

TEST_F(MonsterTest, MonsterCatchesWhereItsTurnEndsUnlessParalysed)
{
    // A shock holds it two turns; it catches as it wakes.
    start(OpenRoom, "2 1 1 1\n", {3, 3}, {3, 3});
    EXPECT_EQ(printedBy([&] { game.getMonster().paralyse(2); }), "nbTunrn paralize : 2\n");
    monsterTurn();
    EXPECT_FALSE(caught());
    EXPECT_FALSE(playing(Sfx::MonsterAwake));
    EXPECT_NE(monsterTurn().find("Position : (3;3)"), std::string::npos);
    EXPECT_TRUE(playing(Sfx::MonsterAwake));
    EXPECT_TRUE(caught());

    // The chase's first move ends on the player: no second move.
    start(CorridorAndPocket, "2 1 1 1\n", {4, 1}, {1, 1});
    monsterTurn();
    place({3, 1});
    monsterTurn();
    EXPECT_FALSE(caught());
    EXPECT_NE(monsterTurn().find("Position : (3;1)"), std::string::npos);
    EXPECT_TRUE(caught());

    // A new level ends a paralysis still pending.
    game.getMonster().paralyse(6);
    start(OpenRoom, "1 1 5 5\n", {2, 2}, {2, 2});
    monsterTurn();
    EXPECT_TRUE(caught());
}

TEST_F(MonsterTest, CrushedMonsterReturnsAtTheFarthestSpawnPointAndAShockResetsItsTimeAway)
{
    // A shock order some turns after the crush (with a reboot or not): its paralysis replaces
    // the turns left away.
    const std::tuple<int, std::optional<bool>, int> cases[] = {
        {0, std::nullopt, 6}, {0, false, 2}, {3, true, 3 + 5}, {5, false, 2 + 5}};
    for (const auto& [turnsBefore, shockWithReboot, turnsAway] : cases) {
        SCOPED_TRACE(turnsAway);
        // Spawn points (1;5) and (5;1) lie equally far from the player on (1;1); (3;3) is
        // nearer.
        start(OpenRoom, "1 3 3 3 1 5 5 1\n", {1, 1}, {4, 3}, {8});
        for (int effect : {Sfx::MonsterRespawn, Sfx::DoorCrush})
            silence(effect);
        EXPECT_NE(toggleDoor(8).find("nbTunrn paralize : 6\n"), std::string::npos);
        EXPECT_TRUE(playing(Sfx::DoorCrush));
        EXPECT_FALSE(playing(Sfx::VoiceDoorCrush));
        for (int turn = 1; turn < turnsAway; ++turn) {
            if (turn == turnsBefore + 1 && shockWithReboot) {
                const Protocol::Bytes frame =
                    Protocol::encode(Protocol::ShockMonster{*shockWithReboot});
                game.getNetwork().dispatch(frame.data() + 4, frame.size() - 4);
                // Nothing there to cry out.
                EXPECT_FALSE(playing(Sfx::Monster));
            }
            EXPECT_EQ(monsterTurn(), "[Monstre] Position : (4;3)\n") << turn;
            EXPECT_FALSE(game.getMonster().isPresent());
            // The door closing again over the cell finds no monster there to crush.
            if (turn == 2 && !shockWithReboot) {
                EXPECT_EQ(toggleDoor(9) + toggleDoor(8),
                          "Opening Door (4;3)\nClosing door (4;3)\n");
            }
        }
        EXPECT_FALSE(playing(Sfx::MonsterRespawn));
        EXPECT_EQ(monsterTurn(), "[MONSTER] Monster at :(1;5)\n[Monstre] Position : (1;5)\n");
        EXPECT_TRUE(playing(Sfx::MonsterRespawn));
        EXPECT_FALSE(playing(Sfx::MonsterAwake));
        EXPECT_TRUE(game.getMonster().isPresent());
    }
}

} // namespace
