#include "core/Game.hpp"

#include <gtest/gtest.h>

namespace {

TEST(GameTest, FirstUpdateEntersTheMenu)
{
    Game game;
    game.update();
    EXPECT_EQ(game.getState(), GameState::InMenu);
}

}
