#include "core/Game.hpp"
#include "core/LineBuffer.hpp"

#include <cstdlib>
#include <ctime>

int main()
{
    lineBufferStandardOutput();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    Game game;
    game.run();
    return 0;
}
