#pragma once

#include <cstdint>

namespace synth {

// White noise from a fixed seed: the same seed gives the same sequence on every machine, which
// keeps the generated sounds identical from one build to the next.
class Noise {
public:
    explicit Noise(std::uint32_t seed);

    // The next sample, uniform in -1..1.
    float next();
    // The next value, uniform in 0..1.
    double uniform();

private:
    std::uint32_t state;
};

}
