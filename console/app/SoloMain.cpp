#include "app/ConsoleEntry.hpp"

// The console in solo mode alone, which scripts/play builds while the player is in the menu.
int main(int argc, char** argv)
{
    return runConsole(argc, argv, FrontEnds());
}
