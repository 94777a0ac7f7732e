#include "operator/ShockDraw.hpp"

ShockDraw::ShockDraw(unsigned seed) : generator(seed) {}

// The engine's raw output is the same on every standard library, unlike its distributions, so
// a seed replays the same draws everywhere.
bool ShockDraw::overloads()
{
    return generator() % 4 == 0;
}
