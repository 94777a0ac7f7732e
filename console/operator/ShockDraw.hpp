#pragma once

#include <random>

// Decides whether a shock overloads the plant (one time in four), from a generator seeded once
// so that a run can be replayed with --seed.
class ShockDraw {
public:
    // How a shock decides on the power: by this draw, or forced either way (scripts).
    enum class Reboot { Draw, Yes, No };

    explicit ShockDraw(unsigned seed);

    // True when this shock cuts the power (it is then sent with reboot true).
    bool overloads();

private:
    std::mt19937 generator;
};
