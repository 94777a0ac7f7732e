#pragma once

#include <random>

// Decides whether a shock overloads the plant (one time in four), from a generator seeded once
// so that a run can be replayed with --seed.
class ShockDraw {
public:
    explicit ShockDraw(unsigned seed);

    // True when this shock cuts the power (it is then sent with reboot true).
    bool overloads();

private:
    std::mt19937 generator;
};
