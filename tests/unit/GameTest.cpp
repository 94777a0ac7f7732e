#include "LevelInPlay.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GameTest, EachFrameLeavesAPassingStateForTheNext)
{
    struct Case {
        int from;
        int to;
        bool freshEntry;
        bool endOfGamePage;
        bool lost;
    };
    const Case cases[] = {
        {GameState::EnterMenu, GameState::InMenu, false, false, false},
        {GameState::InMenu, GameState::InMenu, false, false, false},
        {GameState::StartGame, GameState::InGame, true, false, false},
        {GameState::InGame, GameState::InGame, false, false, false},
        {GameState::GameWon, GameState::EnterMenu, false, true, false},
        {GameState::GameLost, GameState::EnterMenu, false, true, true},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.from);
        Game game;
        game.setState(row.from);
        game.getScore().currentEntry().setStep(7);
        CapturedOutput output;
        game.update();
        const std::string printed = output.take();
        EXPECT_EQ(game.getState(), row.to);
        EXPECT_EQ(game.getScore().currentEntry().getStep(), row.freshEntry ? 0 : 7);
        EXPECT_EQ(game.getMenu().getPage() == Page::EndOfGame, row.endOfGamePage);
        EXPECT_EQ(printed.find("lose\n") != std::string::npos, row.lost);
        EXPECT_EQ(printed.find("lose"), printed.rfind("lose"));
    }
}

TEST(GameTest, KeysReachThePlayerOnlyInGame)
{
    LevelInPlay play;
    for (int state : {GameState::EnterMenu, GameState::StartGame, GameState::GameWon,
                      GameState::GameLost, GameState::InMenu, GameState::InGame}) {
        play.game.setState(state);
        play.game.handleEvent(events::keyPressed(sf::Keyboard::D));
        EXPECT_EQ(play.moveState() == MoveState::TurningRight, state == GameState::InGame)
            << "state " << state;
    }
}

TEST(GameTest, WindowClosesOnACloseRequestOrOnAnyEventAfterQuit)
{
    for (const auto& [state, event] : {std::make_pair(GameState::Quit, events::moved({10, 10})),
                                       std::make_pair(GameState::InGame, events::closed())}) {
        Game game;
        game.getWindow().create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
        game.setState(state);
        game.handleEvent(event);
        EXPECT_FALSE(game.getWindow().isOpen()) << state;
        EXPECT_EQ(game.getState(), state);
    }
}

} // namespace
