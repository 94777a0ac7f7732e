#include "operator/DoorBoard.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ConsoleDoorBoardTest, DoorsAreNumberedIntoConsecutiveValuePairs)
{
    EXPECT_EQ(DoorBoard::openValue(1), 8);
    EXPECT_EQ(DoorBoard::closedValue(1), 9);
    EXPECT_EQ(DoorBoard::openValue(8), 22);
    EXPECT_EQ(DoorBoard::closedValue(8), 23);
    for (const auto& [value, door] : {std::pair(7, 0), {8, 1}, {9, 1}, {23, 8}, {24, 0}})
        EXPECT_EQ(DoorBoard::doorOfValue(value), door) << value;
    EXPECT_TRUE(DoorBoard(8).isStartable());
    EXPECT_FALSE(DoorBoard(9).isStartable());
}

TEST(ConsoleDoorBoardTest, TogglingRawAndLoadedValuesSetTheStateOfTheDoorTheyName)
{
    DoorBoard board(3);
    EXPECT_EQ(board.values(), (std::vector<int>{8, 10, 12}));
    EXPECT_EQ(board.toggle(2), 10);
    EXPECT_EQ(board.values(), (std::vector<int>{8, 11, 12}));
    EXPECT_EQ(board.toggle(2), 11);
    EXPECT_TRUE(board.isOpen(2));
    EXPECT_EQ(board.toggle(0), 0);
    EXPECT_EQ(board.toggle(4), 0);

    board.load({8, 11});
    EXPECT_EQ(board.values(), (std::vector<int>{8, 11, 12}));
    for (int value : {8, 8, 11, 15, 5})
        board.apply(value);
    EXPECT_EQ(board.values(), (std::vector<int>{9, 10, 12}));
    EXPECT_FALSE(board.isOpen(1));
    EXPECT_EQ(board.toggle(2), 10);
}

} // namespace
