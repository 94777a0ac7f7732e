#include "support/ConsoleStage.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

struct RuleCase {
    ConsoleStage stage;
    OperatorAction action;
    // Empty when the action may be taken.
    const char* refusal;
};

using Kind = OperatorAction::Kind;

const RuleCase rules[] = {
    {NoGame, {Kind::Select, 6}, ""},
    {NoGame, {Kind::Select, 7}, "level 7 does not exist: 0 to 6"},
    {NoGame, {Kind::Select, -1}, "level -1 does not exist: 0 to 6"},
    {NoGame, {Kind::Start, 0}, "Start needs a connected game."},
    {NoGame, {Kind::Door, 2}, ""},
    {NoGame, {Kind::Door, 3}, "Tutorial has 2 doors"},
    {NoGame, {Kind::Door, 9}, "door 9 does not exist: 1 to 8"},
    {NoGame, {Kind::Door, 0}, "door 0 does not exist: 1 to 8"},
    {NoGame, {Kind::Scan, 0}, "no game is on"},
    {NoGame, {Kind::Locate, 3}, "no game is on"},
    {NoGame, {Kind::Shock, 0}, "no game is on"},
    {NoGame, {Kind::End, 0}, "no game is on"},
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

TEST(ConsoleOperatorRulesTest, EachActionIsAllowedOrRefusedInTheWordsFrontEndsShow)
{
    for (const RuleCase& row : rules) {
        SCOPED_TRACE(testing::Message() << "stage " << row.stage << ", action "
                                        << int(row.action.kind) << " " << row.action.argument);
        Operator console(catalogueFor(row.stage), Operator::Settings());
        RawPeer game;
        ASSERT_NO_FATAL_FAILURE(reach(console, game, row.stage));

        EXPECT_EQ(console.refusal(row.action), row.refusal);
        // The note under the actions is Start's refusal, and nothing while a game is on.
        bool on = row.stage == Playing || row.stage == PowerDown;
        EXPECT_EQ(console.getStartNote(), on ? "" : console.refusal({Kind::Start, 0}));
        // A level that cannot be read says why in the log as well.
        if (row.stage == Unavailable) {
            EXPECT_THAT(console.getLog().getLines(),
                        testing::Contains(testing::HasSubstr(
                            "Tutorial is unavailable: cannot open no/such/folder/Tutorial.txt")));
        }
        if (row.action.kind == Kind::Start) {
            EXPECT_EQ(console.start(), !*row.refusal) << "Start keeps to its own refusal";
        }
    }
}

} // namespace
