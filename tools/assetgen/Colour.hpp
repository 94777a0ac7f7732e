#pragma once

#include <algorithm>

// The picture toolkit behind the generated art, as Synth.hpp is for the sounds: one colour
// type, one canvas (Canvas.hpp), lattice noise (Lattice.hpp) and one pixel font (PixelFont.hpp).
namespace picture {

constexpr float pi = 3.14159265f;

// A colour with its opacity. Channels run from 0 to 1; light may push them higher, and they are
// clamped only when a picture is written out. Arithmetic acts on the channels and keeps the
// opacity of the left operand.
struct Colour {
    float r = 0.f;
    float g = 0.f;
    float b = 0.f;
    float a = 1.f;
};

constexpr Colour transparent{0.f, 0.f, 0.f, 0.f};

// A colour from 0-255 channel values.
constexpr Colour rgb(float r, float g, float b, float a = 1.f)
{
    return {r / 255.f, g / 255.f, b / 255.f, a};
}

constexpr Colour operator+(Colour x, Colour y)
{
    return {x.r + y.r, x.g + y.g, x.b + y.b, x.a};
}
constexpr Colour operator*(Colour x, float k)
{
    return {x.r * k, x.g * k, x.b * k, x.a};
}
constexpr Colour operator*(Colour x, Colour y)
{
    return {x.r * y.r, x.g * y.g, x.b * y.b, x.a};
}

constexpr Colour mix(Colour x, Colour y, float t)
{
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
            x.a + (y.a - x.a) * t};
}

// The colour under a light of the given strength, no brighter than white.
inline Colour lit(Colour colour, float light)
{
    return {std::min(colour.r * light, 1.f), std::min(colour.g * light, 1.f),
            std::min(colour.b * light, 1.f), colour.a};
}

inline float clamp01(float value)
{
    return std::clamp(value, 0.f, 1.f);
}

inline float smoothstep(float edge0, float edge1, float x)
{
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.f - 2.f * t);
}

} // namespace picture
