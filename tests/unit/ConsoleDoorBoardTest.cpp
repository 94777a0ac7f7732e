#include "console/DoorBoard.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ConsoleDoorBoardTest, DoorsAreNumberedIntoConsecutiveValuePairs)
{
    EXPECT_EQ(DoorBoard::openValue(1), 8);
    EXPECT_EQ(DoorBoard::closedValue(1), 9);
    EXPECT_EQ(DoorBoard::openValue(8), 22);
    EXPECT_EQ(DoorBoard::closedValue(8), 23);
    EXPECT_EQ(DoorBoard::doorOfValue(8), 1);
    EXPECT_EQ(DoorBoard::doorOfValue(23), 8);
    EXPECT_EQ(DoorBoard::doorOfValue(7), 0);
    EXPECT_EQ(DoorBoard::doorOfValue(24), 0);
}

TEST(ConsoleDoorBoardTest, FreshBoardLoadsEveryDoorOpen)
{
    DoorBoard board(3);
    EXPECT_EQ(board.values(), (std::vector<int>{8, 10, 12}));
    EXPECT_TRUE(board.isStartable());
}

TEST(ConsoleDoorBoardTest, TogglingSendsTheOppositeValueEachTime)
{
    DoorBoard board(3);
    EXPECT_EQ(board.toggle(2), 10);
    EXPECT_FALSE(board.isOpen(2));
    EXPECT_EQ(board.values(), (std::vector<int>{8, 11, 12}));
    EXPECT_EQ(board.toggle(2), 11);
    EXPECT_TRUE(board.isOpen(2));
    EXPECT_EQ(board.toggle(0), 0);
    EXPECT_EQ(board.toggle(4), 0);
    EXPECT_EQ(board.values(), (std::vector<int>{8, 10, 12}));
}

TEST(ConsoleDoorBoardTest, RawValuesSetTheStateOfTheDoorTheyName)
{
    DoorBoard board(2);
    board.apply(10);
    EXPECT_FALSE(board.isOpen(2));
    board.apply(10);
    EXPECT_FALSE(board.isOpen(2));
    board.apply(11);
    EXPECT_TRUE(board.isOpen(2));
    board.apply(13);
    board.apply(5);
    EXPECT_EQ(board.values(), (std::vector<int>{8, 10}));
}

TEST(ConsoleDoorBoardTest, LoadValuesStartEvenDoorsOpenAndOddOnesClosed)
{
    DoorBoard board(3);
    board.load({8, 11});
    EXPECT_TRUE(board.isOpen(1));
    EXPECT_FALSE(board.isOpen(2));
    EXPECT_TRUE(board.isOpen(3));
    EXPECT_EQ(board.toggle(2), 11);
}

TEST(ConsoleDoorBoardTest, MoreThanEightDoorsCannotBeStarted)
{
    EXPECT_TRUE(DoorBoard(8).isStartable());
    EXPECT_FALSE(DoorBoard(9).isStartable());
}

}
