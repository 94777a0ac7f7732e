#include "Noise.hpp"

namespace synth {

Noise::Noise(std::uint32_t seed) : state(seed ? seed : 0x9e3779b9u) {}

double Noise::uniform()
{
    // xorshift32: small, fast and identical everywhere, unlike the standard distributions.
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<double>(state) / 4294967296.0;
}

float Noise::next() { return static_cast<float>(2.0 * uniform() - 1.0); }

}
