#pragma once

// The one integer that says what the frame loop is doing. Transient states (EnterMenu,
// StartGame, GameWon, GameLost) are left by the next Game::update that sees them.
namespace GameState {
enum : int {
    EnterMenu = 0,
    InMenu = 1,
    Quit = 2,
    StartGame = 3,
    InGame = 4,
    GameWon = 5,
    GameLost = 6,
};
}
