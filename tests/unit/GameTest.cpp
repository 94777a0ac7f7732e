#include "core/Game.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

std::size_t countOf(const std::string& text, const std::string& word)
{
    std::size_t count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

sf::Event keyPress(sf::Keyboard::Key code)
{
    sf::Event event;
    event.type = sf::Event::KeyPressed;
    event.key = {code, false, false, false, false};
    return event;
}

TEST(GameTest, StartsInEnterMenuAndTheFirstUpdateOpensTheMenu)
{
    Game game;
    EXPECT_EQ(game.getState(), GameState::EnterMenu);
    game.update();
    EXPECT_EQ(game.getState(), GameState::InMenu);
    game.update();
    EXPECT_EQ(game.getState(), GameState::InMenu);
}

TEST(GameTest, LoadMapDuringAGameStartsAFreshGameInTheSameFrame)
{
    Game game;
    game.setState(GameState::InGame);
    game.update();
    game.getScore().currentEntry().setStep(7);
    game.getScore().currentEntry().setLoot(2);

    game.setState(GameState::StartGame);
    game.update();

    EXPECT_EQ(game.getState(), GameState::InGame);
    EXPECT_EQ(game.getScore().currentEntry().getStep(), 0);
    EXPECT_EQ(game.getScore().currentEntry().getLoot(), 0);
}

TEST(GameTest, LostGamePrintsLoseOnceAndReturnsToTheEndOfGamePage)
{
    Game game;
    game.setState(GameState::GameLost);
    testing::internal::CaptureStdout();
    game.update();
    const int stateAfterOneFrame = game.getState();
    game.update();
    game.update();
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_EQ(countOf(output, "lose\n"), 1u);
    EXPECT_EQ(stateAfterOneFrame, GameState::EnterMenu);
    EXPECT_EQ(game.getState(), GameState::InMenu);
    EXPECT_EQ(game.getMenu().getPage(), Page::EndOfGame);
}

TEST(GameTest, WonGameReturnsToTheEndOfGamePageSilently)
{
    Game game;
    game.setState(GameState::GameWon);
    testing::internal::CaptureStdout();
    game.update();
    const std::string output = testing::internal::GetCapturedStdout();

    EXPECT_EQ(countOf(output, "lose"), 0u);
    EXPECT_EQ(game.getState(), GameState::EnterMenu);
    EXPECT_EQ(game.getMenu().getPage(), Page::EndOfGame);
}

TEST(GameTest, UnknownStateIsLeftAlone)
{
    Game game;
    game.setState(42);
    game.update();
    EXPECT_EQ(game.getState(), 42);
}

TEST(GameTest, EventsReachThePlayerOnlyInGame)
{
    Game game;
    const sf::Event turnRight = keyPress(sf::Keyboard::D);
    for (int state : {GameState::EnterMenu, GameState::StartGame, GameState::GameWon,
                      GameState::GameLost, GameState::InMenu}) {
        game.setState(state);
        game.handleEvent(turnRight);
        EXPECT_EQ(*game.getPlayer().getMoveState(), MoveState::Still) << "state " << state;
    }
    game.setState(GameState::InGame);
    game.handleEvent(turnRight);
    EXPECT_EQ(*game.getPlayer().getMoveState(), MoveState::TurningRight);
}

TEST(GameTest, QuitClosesTheWindowAtTheNextEventOfAnyKind)
{
    Game game;
    game.getWindow().create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
    game.setState(GameState::Quit);
    ASSERT_TRUE(game.getWindow().isOpen());

    sf::Event moved;
    moved.type = sf::Event::MouseMoved;
    moved.mouseMove = {10, 10};
    game.handleEvent(moved);

    EXPECT_FALSE(game.getWindow().isOpen());
}

TEST(GameTest, CloseRequestClosesTheWindowInTheMiddleOfAGame)
{
    Game game;
    game.getWindow().create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
    game.setState(GameState::InGame);

    sf::Event closed;
    closed.type = sf::Event::Closed;
    game.handleEvent(closed);

    EXPECT_FALSE(game.getWindow().isOpen());
    EXPECT_EQ(game.getState(), GameState::InGame);
}

}
