// Runs the game's start-up exactly as the game does, up to the first drawn menu frame, and
// prints the wall-clock time of that moment so that the caller, which noted the time before
// starting the process, gets process start to first menu frame.

#include "core/Game.hpp"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>

int main()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    Game game;
    game.getWindow().create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
    game.init();
    game.update();
    game.render();
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::cout << "first_menu_frame_ns="
              << std::chrono::duration_cast<std::chrono::nanoseconds>(now).count() << std::endl;
    return 0;
}
