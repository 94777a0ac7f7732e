#include "core/Game.hpp"
#include "support/CapturedOutput.hpp"
#include "support/Events.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

TEST(GameTest, KeysMoveThePlayerOnlyInGameEachFrameLeavesAPassingStateAndCloseClosesTheWindow)
{
    // From, to, a fresh score entry, the end-of-game page, the loss printed.
    const std::tuple<int, int, bool, bool, bool> cases[] = {
        {GameState::EnterMenu, GameState::InMenu, false, false, false},
        {GameState::InMenu, GameState::InMenu, false, false, false},
        {GameState::StartGame, GameState::InGame, true, false, false},
        {GameState::InGame, GameState::InGame, false, false, false},
        {GameState::GameWon, GameState::EnterMenu, false, true, false},
        {GameState::GameLost, GameState::EnterMenu, false, true, true},
    };
    for (const auto& [from, to, freshEntry, endOfGamePage, lost] : cases) {
        SCOPED_TRACE(from);
        Game game;
        game.setState(from);
        game.getScore().currentEntry().setStep(7);
        game.handleEvent(events::keyPressed(sf::Keyboard::D));
        // Keys reach the player only in game.
        EXPECT_EQ(*game.getPlayer().getMoveState() == MoveState::TurningRight,
                  from == GameState::InGame);
        CapturedOutput output;
        game.update();
        const std::string printed = output.take();
        EXPECT_EQ(game.getState(), to);
        EXPECT_EQ(game.getScore().currentEntry().getStep(), freshEntry ? 0 : 7);
        EXPECT_EQ(game.getMenu().getPage() == Page::EndOfGame, endOfGamePage);
        EXPECT_EQ(printed.find("lose\n") != std::string::npos, lost);

        // A close request closes the window whatever the state.
        game.getWindow().create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
        game.handleEvent(events::ofType(sf::Event::Closed));
        EXPECT_FALSE(game.getWindow().isOpen());
    }
}

} // namespace
