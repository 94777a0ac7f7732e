// Plays a number of short games with no window and no socket: the work the game repeats for
// every game (a level loaded with its door list, the start of a game, frames of play, a door
// closed on the player, the return to the menu). Run under valgrind with one and with several
// games, it shows whether anything is lost per game.

#include "core/Game.hpp"
#include "common/LevelFile.hpp"

#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const int games = argc > 1 ? std::atoi(argv[1]) : 1;
    std::cout.rdbuf(nullptr);

    Game game;
    game.update();
    for (int round = 0; round < games; ++round) {
        game.getLevel().load(std::string("data/level/") + LevelFileNames[round % LevelCount]);
        game.getLevel().mapDoors({8, 10, 12, 14, 16, 18, 20, 22});
        game.setState(GameState::StartGame);
        for (int frame = 0; frame < 30; ++frame)
            game.update();
        game.getLevel().toggleDoor(8);
        game.getPlayer().caught();
        for (int frame = 0; frame < 5; ++frame)
            game.update();
        game.setState(GameState::GameLost);
        game.update();
        game.update();
    }
    return 0;
}
