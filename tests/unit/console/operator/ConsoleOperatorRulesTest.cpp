#include "common/Cell.hpp"
#include "common/LevelFile.hpp"
#include "operator/Operator.hpp"

#include "support/RawPeer.hpp"
#include "support/WaitUntil.hpp"

#include <gtest/gtest.h>

namespace {

// Where the console stands when it is asked about an action.
enum Stage { Idle, Joined, Playing, PowerDown, Unavailable, NineDoors };

struct RuleCase {
    Stage stage;
    OperatorAction action;
    // Empty when the action may be taken.
    const char* refusal;
};

using Kind = OperatorAction::Kind;

const RuleCase rules[] = {
    {Idle, {Kind::Select, 6}, ""},
    {Idle, {Kind::Select, 7}, "level 7 does not exist: 0 to 6"},
    {Idle, {Kind::Select, -1}, "level -1 does not exist: 0 to 6"},
    {Idle, {Kind::Start, 0}, "Start needs a connected game."},
    {Idle, {Kind::Door, 2}, ""},
    {Idle, {Kind::Door, 3}, "Tutorial has 2 doors"},
    {Idle, {Kind::Door, 9}, "door 9 does not exist: 1 to 8"},
    {Idle, {Kind::Door, 0}, "door 0 does not exist: 1 to 8"},
    {Idle, {Kind::Scan, 0}, "no game is on"},
    {Idle, {Kind::Locate, 3}, "no game is on"},
    {Idle, {Kind::Shock, 0}, "no game is on"},
    {Idle, {Kind::End, 0}, "no game is on"},
    {Joined, {Kind::Start, 0}, ""},
    {Joined, {Kind::Power, 0}, "no game is on"},
    {Playing, {Kind::Select, 1}, "a game is on: the level cannot change now"},
    {Playing, {Kind::Start, 0}, "a game is on already"},
    {Playing, {Kind::Door, 1}, ""},
    {Playing, {Kind::Scan, 0}, ""},
    {Playing, {Kind::Locate, 7}, ""},
    {Playing, {Kind::Locate, 8}, "object 8 does not exist: 3 to 7"},
    {Playing, {Kind::Locate, 2}, "object 2 does not exist: 3 to 7"},
    {Playing, {Kind::Shock, 0}, ""},
    {Playing, {Kind::End, 0}, ""},
    {Playing, {Kind::Power, 0}, "the power is on"},
    {PowerDown, {Kind::Power, 0}, ""},
    {Unavailable,
     {Kind::Start, 0},
     "This level is unavailable: cannot open no/such/folder/Tutorial.txt"},
    {NineDoors, {Kind::Start, 0}, "This level has 9 door cells: the game handles eight at most."},
    {NineDoors, {Kind::Door, 8}, ""},
};

// A plan whose nine door cells the file parser would refuse, for the rule that guards the game.
LevelPlan nineDoorPlan()
{
    LevelFile file;
    file.width = 11;
    file.height = 3;
    file.exitDraw = 1;
    file.cells = {std::vector<int>(11, Cell::Wall), std::vector<int>(11, Cell::FileDoor),
                  std::vector<int>(11, Cell::Wall)};
    file.cells[1][0] = file.cells[1][10] = Cell::Wall;
    return LevelPlan(file);
}

TEST(ConsoleOperatorRulesTest, EachActionIsAllowedOrRefusedInTheWordsFrontEndsShow)
{
    for (const RuleCase& row : rules) {
        SCOPED_TRACE(testing::Message()
                     << "stage " << row.stage << ", action " << static_cast<int>(row.action.kind)
                     << " " << row.action.argument);
        LevelCatalogue catalogue(row.stage == Unavailable ? "no/such/folder" : "data/level");
        if (row.stage == NineDoors)
            catalogue.setPlan(0, nineDoorPlan());
        Operator console(catalogue, Operator::Settings());
        std::string problem;
        ASSERT_EQ(console.listen("127.0.0.1", problem), GameLink::ListenResult::Listening);
        RawPeer game;
        if (row.stage != Idle) {
            game = RawPeer::connectTo(Protocol::Port);
            ASSERT_TRUE(waitUntil([&console] {
                console.update();
                return console.getLink().isConnected();
            }));
        }
        if (row.stage == Playing || row.stage == PowerDown) {
            ASSERT_TRUE(console.start());
        }
        if (row.stage == PowerDown) {
            ASSERT_TRUE(console.shock(Operator::Reboot::Yes));
        }

        EXPECT_EQ(console.refusal(row.action), row.refusal);
        // The note under the actions is Start's refusal, and nothing while a game is on.
        bool on = row.stage == Playing || row.stage == PowerDown;
        EXPECT_EQ(console.getStartNote(), on ? "" : console.refusal({Kind::Start, 0}));
    }
}

} // namespace
