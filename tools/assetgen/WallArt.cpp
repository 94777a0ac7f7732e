#include "Assets.hpp"
#include "core/AssetList.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

// The wall atlas: 24 tiles of 250 by 250 side by side, tile n for cell value n + 1. Every
// tile is painted over the same riveted steel wall, which repeats seamlessly from one tile to
// the next, so a door or an object set into a wall meets its neighbours without a seam.

namespace {

constexpr int Tile = 250;
constexpr float Pi = 3.14159265f;

struct Rgb {
    float r, g, b;
};

Rgb mix(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, float k)
{
    return {c.r * k, c.g * k, c.b * k};
}

float hash(int x, int y, int seed)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / 16777216.f;
}

// Smooth value noise whose lattice wraps every tile width, so it tiles along a wall.
float noise(float x, float y, int cell, int seed)
{
    const int cells = Tile / cell;
    const float fx = x / static_cast<float>(cell);
    const float fy = y / static_cast<float>(cell);
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - static_cast<float>(x0);
    const float ty = fy - static_cast<float>(y0);
    const float sx = tx * tx * (3.f - 2.f * tx);
    const float sy = ty * ty * (3.f - 2.f * ty);
    auto at = [&](int gx, int gy) { return hash(((gx % cells) + cells) % cells, gy, seed); };
    const float top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
    const float bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
    return top + (bottom - top) * sy;
}

// Canvas for one tile: floating-point colours, written into the atlas at the end.
class Canvas {
public:
    Canvas() : pixels(Tile * Tile, Rgb{0.f, 0.f, 0.f}) {}

    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y * Tile + x)]; }

    void blend(int x, int y, Rgb colour, float alpha)
    {
        if (x < 0 || y < 0 || x >= Tile || y >= Tile || alpha <= 0.f)
            return;
        at(x, y) = mix(at(x, y), colour, std::min(alpha, 1.f));
    }

    void rect(int left, int top, int right, int bottom, Rgb colour, float alpha = 1.f)
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                blend(x, y, colour, alpha);
    }

    // A filled disc with a soft edge one pixel wide.
    void disc(float cx, float cy, float radius, Rgb colour, float alpha = 1.f)
    {
        for (int y = static_cast<int>(cy - radius - 1); y <= static_cast<int>(cy + radius + 1); ++y)
            for (int x = static_cast<int>(cx - radius - 1); x <= static_cast<int>(cx + radius + 1); ++x) {
                const float d = std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy);
                blend(x, y, colour, alpha * std::clamp(radius - d + 0.5f, 0.f, 1.f));
            }
    }

    // Light spilling around a lamp or a glowing object; kept off the tile edges so the
    // seams with a plain wall beside it still match.
    void glow(float cx, float cy, float radius, Rgb colour, float strength)
    {
        for (int y = 0; y < Tile; ++y)
            for (int x = 0; x < Tile; ++x) {
                const float d = std::hypot(static_cast<float>(x) - cx, static_cast<float>(y) - cy) / radius;
                if (d < 1.f) {
                    const float k = strength * (1.f - d) * (1.f - d);
                    Rgb& c = at(x, y);
                    c = {c.r + colour.r * k, c.g + colour.g * k, c.b + colour.b * k};
                }
            }
    }

    // Any shape given by an inside test, with its colour chosen per pixel.
    template <typename Inside, typename Paint>
    void shape(Inside inside, Paint paint)
    {
        for (int y = 0; y < Tile; ++y)
            for (int x = 0; x < Tile; ++x)
                if (inside(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f))
                    at(x, y) = paint(x, y);
    }

    void copyTo(sf::Image& atlas, int tile) const
    {
        for (int y = 0; y < Tile; ++y)
            for (int x = 0; x < Tile; ++x) {
                const Rgb& c = pixels[static_cast<std::size_t>(y * Tile + x)];
                auto channel = [](float v) { return static_cast<sf::Uint8>(std::clamp(v, 0.f, 255.f)); };
                atlas.setPixel(static_cast<unsigned>(tile * Tile + x), static_cast<unsigned>(y),
                               sf::Color(channel(c.r), channel(c.g), channel(c.b)));
            }
    }

private:
    std::vector<Rgb> pixels;
};

// Riveted steel plates, stained with rust running down from the seams.
Rgb steel(int x, int y)
{
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float grain = 0.75f * noise(fx, fy, 25, 1) + 0.25f * noise(fx, fy, 5, 2);
    Rgb c = scale(Rgb{92.f, 98.f, 100.f}, 0.78f + 0.35f * grain);

    // Rust runs from the rivet rows downwards in streaks that repeat with the tile.
    const float streak = std::pow(noise(fx, 0.f, 10, 3), 3.f);
    const float fromSeam = std::fmod(fy, 125.f) / 125.f;
    const float rust = std::clamp(streak * 1.6f * (1.f - fromSeam) + 0.35f * std::pow(noise(fx, fy, 25, 4), 4.f), 0.f, 0.85f);
    c = mix(c, Rgb{112.f, 62.f, 30.f}, rust);

    // Plate seams at the tile's edges and across its middle; the edge seam is split between
    // the two neighbouring tiles so it is whole where they meet.
    const int seamX = std::min(x, Tile - 1 - x);
    const int seamY = std::min({y, std::abs(y - 125), Tile - 1 - y});
    if (seamX < 2 || seamY < 2)
        c = scale(c, 0.45f);
    else if (seamX == 2 || seamY == 2)
        c = scale(c, 1.25f);
    return c;
}

void rivets(Canvas& canvas)
{
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 8; ++i) {
            const float cy = 14.f + 125.f * static_cast<float>(row);
            const float cx = 15.f + 31.4f * static_cast<float>(i);
            canvas.disc(cx + 1.f, cy + 1.f, 4.f, Rgb{20.f, 20.f, 20.f}, 0.6f);
            canvas.disc(cx, cy, 4.f, Rgb{125.f, 128.f, 130.f});
            canvas.disc(cx - 1.f, cy - 1.f, 1.6f, Rgb{200.f, 200.f, 200.f}, 0.8f);
        }
}

void wall(Canvas& canvas)
{
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x)
            canvas.at(x, y) = steel(x, y);
    rivets(canvas);
}

// A 5 by 7 pixel stencil alphabet for the door numbers and the exit sign.
const char* glyph(char c)
{
    switch (c) {
    case '1': return "00100011000010000100001000010001110";
    case '2': return "01110100010000100010001000100011111";
    case '3': return "11110000010000101110000010000111110";
    case '4': return "00010001100101010010111110001000010";
    case '5': return "11111100001111000001000011000101110";
    case '6': return "00110010001000011110100011000101110";
    case '7': return "11111000010001000100010000100001000";
    case '8': return "01110100011000101110100011000101110";
    case 'E': return "11111100001000011110100001000011111";
    case 'X': return "10001100010101000100010101000110001";
    case 'I': return "01110001000010000100001000010001110";
    case 'T': return "11111001000010000100001000010000100";
    default: return "00000000000000000000000000000000000";
    }
}

void text(Canvas& canvas, const std::string& word, int centreX, int top, int pixel, Rgb colour)
{
    const int advance = 6 * pixel;
    int left = centreX - (static_cast<int>(word.size()) * advance - pixel) / 2;
    for (char c : word) {
        const char* bits = glyph(c);
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (bits[row * 5 + column] == '1')
                    canvas.rect(left + column * pixel, top + row * pixel,
                                left + (column + 1) * pixel, top + (row + 1) * pixel, colour);
        left += advance;
    }
}

// A steel drum standing on the floor, shaded as a cylinder.
void drum(Canvas& canvas, int left, int right, int top, Rgb paint, float wear)
{
    const float centre = static_cast<float>(left + right) / 2.f;
    const float half = static_cast<float>(right - left) / 2.f;
    canvas.rect(left - 6, Tile - 8, right + 6, Tile, Rgb{10.f, 10.f, 10.f}, 0.5f);
    for (int y = top; y < Tile - 4; ++y)
        for (int x = left; x < right; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - centre) / half;
            const float light = 0.45f + 0.75f * std::sqrt(std::max(0.f, 1.f - u * u)) - 0.25f * u;
            Rgb c = scale(paint, light);
            const float dirt = noise(static_cast<float>(x), static_cast<float>(y), 10, 9);
            c = mix(c, Rgb{70.f, 55.f, 40.f}, wear * dirt);
            // Rolling hoops around the drum.
            const int fromTop = y - top;
            const int height = Tile - 4 - top;
            if (std::abs(fromTop - height / 3) < 3 || std::abs(fromTop - 2 * height / 3) < 3)
                c = scale(c, 0.7f);
            canvas.at(x, y) = c;
        }
    canvas.rect(left, top, right, top + 6, scale(paint, 0.55f));
}

void trefoil(Canvas& canvas, float cx, float cy, float radius, Rgb colour)
{
    canvas.shape(
        [&](float x, float y) {
            const float dx = x - cx;
            const float dy = y - cy;
            const float d = std::hypot(dx, dy);
            if (d < radius * 0.18f)
                return true;
            if (d < radius * 0.3f || d > radius)
                return false;
            const float angle = std::atan2(dy, dx) + Pi / 2.f;
            const float sector = std::fmod(angle + 4.f * Pi, 2.f * Pi / 3.f);
            return sector < Pi / 3.f;
        },
        [&](int, int) { return colour; });
}

void spentContainer(Canvas& canvas)
{
    wall(canvas);
    drum(canvas, 70, 180, 95, Rgb{120.f, 122.f, 118.f}, 0.8f);
    // The lid lies open: a dark mouth and a drained, faded marking.
    canvas.rect(74, 95, 176, 103, Rgb{15.f, 15.f, 15.f});
    trefoil(canvas, 125.f, 170.f, 30.f, Rgb{95.f, 95.f, 90.f});
    for (int i = 0; i < 40; ++i)
        canvas.disc(80.f + hash(i, 0, 7) * 90.f, 110.f + hash(i, 1, 7) * 130.f, 2.f + hash(i, 2, 7) * 3.f,
                    Rgb{60.f, 40.f, 25.f}, 0.7f);
}

void yellowDrum(Canvas& canvas)
{
    wall(canvas);
    canvas.glow(125.f, 160.f, 118.f, Rgb{255.f, 220.f, 40.f}, 0.55f);
    drum(canvas, 62, 188, 70, Rgb{235.f, 195.f, 30.f}, 0.25f);
    canvas.disc(125.f, 160.f, 46.f, Rgb{240.f, 210.f, 50.f});
    trefoil(canvas, 125.f, 160.f, 42.f, Rgb{20.f, 18.f, 10.f});
}

void greenRods(Canvas& canvas)
{
    wall(canvas);
    canvas.glow(125.f, 140.f, 118.f, Rgb{60.f, 255.f, 80.f}, 0.7f);
    // A tall canister with a window onto glowing fuel rods.
    canvas.rect(80, 40, 170, 246, Rgb{50.f, 60.f, 55.f});
    canvas.rect(84, 44, 166, 242, Rgb{75.f, 90.f, 80.f});
    canvas.rect(95, 70, 155, 200, Rgb{10.f, 40.f, 15.f});
    for (int rod = 0; rod < 4; ++rod) {
        const int x = 101 + rod * 14;
        canvas.rect(x, 76, x + 8, 194, Rgb{120.f, 255.f, 120.f});
        canvas.rect(x + 2, 76, x + 5, 194, Rgb{230.f, 255.f, 230.f});
    }
    // Its mark: a warning triangle.
    canvas.shape(
        [](float x, float y) {
            const float top = 206.f;
            const float height = 32.f;
            return y > top && y < top + height && std::abs(x - 125.f) < (y - top) * 0.6f;
        },
        [](int, int) { return Rgb{60.f, 255.f, 80.f}; });
    canvas.rect(123, 218, 127, 230, Rgb{10.f, 40.f, 15.f});
}

void blueCrate(Canvas& canvas)
{
    wall(canvas);
    canvas.glow(125.f, 160.f, 118.f, Rgb{60.f, 140.f, 255.f}, 0.6f);
    // A lead-lined crate seen face on, with a lighter top edge.
    canvas.rect(55, 90, 195, 246, Rgb{30.f, 70.f, 160.f});
    canvas.rect(55, 90, 195, 100, Rgb{90.f, 140.f, 230.f});
    canvas.rect(55, 90, 63, 246, Rgb{20.f, 45.f, 110.f});
    canvas.rect(187, 90, 195, 246, Rgb{20.f, 45.f, 110.f});
    canvas.rect(55, 238, 195, 246, Rgb{20.f, 45.f, 110.f});
    // Its mark: a white diamond.
    canvas.shape([](float x, float y) { return std::abs(x - 125.f) + std::abs(y - 168.f) < 44.f; },
                 [](int, int) { return Rgb{235.f, 240.f, 255.f}; });
    canvas.shape([](float x, float y) { return std::abs(x - 125.f) + std::abs(y - 168.f) < 22.f; },
                 [](int, int) { return Rgb{30.f, 70.f, 160.f}; });
}

void orangeFlask(Canvas& canvas)
{
    wall(canvas);
    canvas.glow(125.f, 150.f, 118.f, Rgb{255.f, 130.f, 20.f}, 0.65f);
    // A round flask on a tripod stand.
    canvas.rect(90, 200, 96, 246, Rgb{40.f, 40.f, 40.f});
    canvas.rect(154, 200, 160, 246, Rgb{40.f, 40.f, 40.f});
    canvas.rect(118, 60, 132, 95, Rgb{200.f, 110.f, 40.f});
    canvas.shape([](float x, float y) { return std::hypot(x - 125.f, y - 150.f) < 62.f; },
                 [](int x, int y) {
                     const float d = std::hypot(static_cast<float>(x) - 105.f, static_cast<float>(y) - 128.f) / 90.f;
                     return mix(Rgb{255.f, 200.f, 90.f}, Rgb{200.f, 80.f, 10.f}, std::min(d, 1.f));
                 });
    // Its mark: a black ring with a dot.
    canvas.shape(
        [](float x, float y) {
            const float d = std::hypot(x - 125.f, y - 150.f);
            return (d > 26.f && d < 36.f) || d < 9.f;
        },
        [](int, int) { return Rgb{25.f, 15.f, 5.f}; });
}

void purpleCrystals(Canvas& canvas)
{
    wall(canvas);
    canvas.glow(125.f, 165.f, 118.f, Rgb{190.f, 60.f, 255.f}, 0.7f);
    // A glass case holding a cluster of crystals.
    canvas.rect(60, 70, 190, 246, Rgb{40.f, 30.f, 50.f});
    canvas.rect(66, 76, 184, 240, Rgb{70.f, 50.f, 90.f});
    const float tips[5][3] = {{90.f, 150.f, 16.f}, {110.f, 105.f, 18.f}, {128.f, 90.f, 20.f},
                              {148.f, 115.f, 17.f}, {166.f, 160.f, 14.f}};
    for (const auto& tip : tips) {
        canvas.shape(
            [&](float x, float y) {
                return y > tip[1] && y < 236.f && std::abs(x - tip[0]) < std::min((y - tip[1]) * 0.5f, tip[2]);
            },
            [&](int x, int) {
                return static_cast<float>(x) < tip[0] ? Rgb{220.f, 150.f, 255.f} : Rgb{150.f, 60.f, 210.f};
            });
    }
    // Its mark: a white cross on the plinth.
    canvas.rect(66, 206, 184, 240, Rgb{45.f, 30.f, 60.f});
    canvas.rect(117, 208, 133, 238, Rgb{245.f, 235.f, 255.f});
    canvas.rect(103, 216, 147, 230, Rgb{245.f, 235.f, 255.f});
}

// The doorway common to the doors and the exit: a frame with hazard stripes and a lintel.
void doorFrame(Canvas& canvas)
{
    wall(canvas);
    canvas.rect(26, 30, 224, Tile, Rgb{45.f, 47.f, 50.f});
    for (int y = 62; y < Tile; ++y)
        for (int x = 26; x < 224; ++x) {
            if (x >= 44 && x < 206)
                continue;
            const bool stripe = ((x + y) / 14) % 2 == 0;
            canvas.at(x, y) = stripe ? Rgb{215.f, 175.f, 20.f} : Rgb{25.f, 25.f, 25.f};
        }
    canvas.rect(26, 30, 224, 62, Rgb{60.f, 62.f, 66.f});
    canvas.rect(26, 60, 224, 62, Rgb{20.f, 20.f, 20.f});
}

void lamps(Canvas& canvas, Rgb light)
{
    for (float cx : {52.f, 198.f}) {
        canvas.glow(cx, 46.f, 45.f, light, 0.6f);
        canvas.disc(cx, 46.f, 10.f, Rgb{20.f, 20.f, 20.f});
        canvas.disc(cx, 46.f, 8.f, light);
        canvas.disc(cx - 2.f, 44.f, 3.f, Rgb{255.f, 255.f, 255.f}, 0.7f);
    }
}

void openDoor(Canvas& canvas, int number)
{
    doorFrame(canvas);
    // The dark passage beyond, fading into the distance.
    for (int y = 62; y < Tile; ++y)
        for (int x = 44; x < 206; ++x) {
            const float depth = std::abs(static_cast<float>(y) - 150.f) / 100.f;
            canvas.at(x, y) = scale(Rgb{30.f, 38.f, 34.f}, 0.25f + 0.75f * depth * depth);
        }
    canvas.rect(70, 130, 180, 175, Rgb{4.f, 6.f, 5.f});
    // The blast door, slid up into the lintel, shows its lower edge.
    canvas.rect(44, 62, 206, 74, Rgb{80.f, 84.f, 88.f});
    for (int x = 44; x < 206; x += 20)
        canvas.rect(x, 66, x + 10, 74, Rgb{215.f, 175.f, 20.f});
    lamps(canvas, Rgb{60.f, 255.f, 90.f});
    text(canvas, std::string(1, static_cast<char>('0' + number)), 125, 32, 4, Rgb{240.f, 240.f, 230.f});
}

void closedDoor(Canvas& canvas, int number)
{
    doorFrame(canvas);
    // Heavy steel leaves meeting in the middle.
    for (int y = 62; y < Tile; ++y)
        for (int x = 44; x < 206; ++x) {
            const float grain = noise(static_cast<float>(x), static_cast<float>(y), 10, 11);
            canvas.at(x, y) = scale(Rgb{105.f, 110.f, 112.f}, 0.8f + 0.25f * grain);
        }
    canvas.rect(123, 62, 127, Tile, Rgb{25.f, 25.f, 25.f});
    for (int y = 212; y < Tile; ++y)
        for (int x = 44; x < 206; ++x)
            if (((x - y + 400) / 12) % 2 == 0)
                canvas.at(x, y) = Rgb{200.f, 40.f, 30.f};
    lamps(canvas, Rgb{255.f, 40.f, 30.f});
    text(canvas, std::string(1, static_cast<char>('0' + number)), 125, 32, 4, Rgb{240.f, 240.f, 230.f});
    // The door's number, stencilled large across both leaves.
    canvas.rect(95, 100, 155, 190, Rgb{30.f, 30.f, 32.f});
    text(canvas, std::string(1, static_cast<char>('0' + number)), 125, 110, 10, Rgb{245.f, 200.f, 30.f});
}

void exitDoor(Canvas& canvas)
{
    doorFrame(canvas);
    // Daylight beyond the way out.
    for (int y = 62; y < Tile; ++y)
        for (int x = 44; x < 206; ++x) {
            const float d = std::hypot(static_cast<float>(x) - 125.f, static_cast<float>(y) - 150.f) / 120.f;
            canvas.at(x, y) = mix(Rgb{255.f, 250.f, 225.f}, Rgb{150.f, 170.f, 150.f}, std::min(d, 1.f));
        }
    // The lit EXIT sign across the lintel.
    canvas.glow(125.f, 46.f, 110.f, Rgb{80.f, 255.f, 120.f}, 0.8f);
    canvas.rect(55, 28, 195, 64, Rgb{10.f, 40.f, 20.f});
    canvas.rect(59, 32, 191, 60, Rgb{30.f, 200.f, 90.f});
    text(canvas, "EXIT", 125, 35, 3, Rgb{250.f, 255.f, 250.f});
}

}

void writeWallAtlas(const std::string& dataDir)
{
    sf::Image atlas;
    atlas.create(24 * Tile, Tile, sf::Color::Black);
    for (int tile = 0; tile < 24; ++tile) {
        Canvas canvas;
        const int value = tile + 1;
        if (value == 1)
            wall(canvas);
        else if (value == 2)
            spentContainer(canvas);
        else if (value == 3)
            yellowDrum(canvas);
        else if (value == 4)
            greenRods(canvas);
        else if (value == 5)
            blueCrate(canvas);
        else if (value == 6)
            orangeFlask(canvas);
        else if (value == 7)
            purpleCrystals(canvas);
        else if (value == 24)
            exitDoor(canvas);
        else if (value % 2 == 0)
            openDoor(canvas, (value - 8) / 2 + 1);
        else
            closedDoor(canvas, (value - 9) / 2 + 1);
        canvas.copyTo(atlas, tile);
    }
    saveImage(atlas, dataFile(dataDir, assets::textureFile("wall")));
}
