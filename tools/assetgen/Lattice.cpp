#include "Lattice.hpp"

#include "Colour.hpp"

#include <cmath>
#include <cstdint>

namespace picture {

float hash(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777216.f;
}

float valueNoise(float x, float y, int seed, int period)
{
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const float sx = smoothstep(0.f, 1.f, x - static_cast<float>(x0));
    const float sy = smoothstep(0.f, 1.f, y - static_cast<float>(y0));
    const auto at = [&](int gx, int gy) {
        return hash(period > 0 ? ((gx % period) + period) % period : gx, gy, seed);
    };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

} // namespace picture
