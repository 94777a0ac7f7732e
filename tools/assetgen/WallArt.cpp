#include "Assets.hpp"
#include "Lattice.hpp"
#include "PixelFont.hpp"
#include "Shapes.hpp"
#include "common/AssetList.hpp"
#include "common/Cell.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

// The wall atlas: 24 tiles of 250 by 250 side by side, tile n for cell value n + 1. Every
// tile is painted over the same riveted steel wall, which repeats seamlessly from one tile to
// the next, so a door or an object set into a wall meets its neighbours without a seam.

namespace {

using namespace picture;

constexpr int Tile = 250;

// Smooth value noise of the given cell size in pixels, repeating every tile along the wall.
float noise(float x, float y, int cell, int seed)
{
    return valueNoise(x / static_cast<float>(cell), y / static_cast<float>(cell), seed,
                      Tile / cell);
}

// Riveted steel plates, stained with rust running down from the seams.
Colour steel(int x, int y)
{
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float grain = 0.75f * noise(fx, fy, 25, 1) + 0.25f * noise(fx, fy, 5, 2);
    Colour c = rgb(92, 98, 100) * (0.78f + 0.35f * grain);

    // Rust runs from the rivet rows downwards in streaks that repeat with the tile.
    const float streak = std::pow(noise(fx, 0.f, 10, 3), 3.f);
    const float fromSeam = std::fmod(fy, 125.f) / 125.f;
    const float rust = std::clamp(
        streak * 1.6f * (1.f - fromSeam) + 0.35f * std::pow(noise(fx, fy, 25, 4), 4.f), 0.f, 0.85f);
    c = mix(c, rgb(112, 62, 30), rust);

    // Plate seams at the tile's edges and across its middle; the edge seam is split between
    // the two neighbouring tiles so it is whole where they meet.
    const int seamX = std::min(x, Tile - 1 - x);
    const int seamY = std::min({y, std::abs(y - 125), Tile - 1 - y});
    if (seamX < 2 || seamY < 2)
        c = c * 0.45f;
    else if (seamX == 2 || seamY == 2)
        c = c * 1.25f;
    return c;
}

void rivets(Canvas& canvas)
{
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 8; ++i) {
            const float cy = 14.f + 125.f * static_cast<float>(row);
            const float cx = 15.f + 31.4f * static_cast<float>(i);
            disc(canvas, cx + 1.f, cy + 1.f, 4.f, rgb(20, 20, 20, 0.6f));
            disc(canvas, cx, cy, 4.f, rgb(125, 128, 130));
            disc(canvas, cx - 1.f, cy - 1.f, 1.6f, rgb(200, 200, 200, 0.8f));
        }
}

void wall(Canvas& canvas)
{
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x)
            canvas.set(x, y, steel(x, y));
    rivets(canvas);
}

// A steel drum standing on the floor, shaded as a cylinder.
void drum(Canvas& canvas, int left, int right, int top, Colour paint, float wear)
{
    const float centre = static_cast<float>(left + right) / 2.f;
    const float half = static_cast<float>(right - left) / 2.f;
    rect(canvas, left - 6, Tile - 8, right + 6, Tile, rgb(10, 10, 10, 0.5f));
    for (int y = top; y < Tile - 4; ++y)
        for (int x = left; x < right; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - centre) / half;
            const float light = 0.45f + 0.75f * std::sqrt(std::max(0.f, 1.f - u * u)) - 0.25f * u;
            Colour c = paint * light;
            const float dirt = noise(static_cast<float>(x), static_cast<float>(y), 10, 9);
            c = mix(c, rgb(70, 55, 40), wear * dirt);
            // Rolling hoops around the drum.
            const int fromTop = y - top;
            const int height = Tile - 4 - top;
            if (std::abs(fromTop - height / 3) < 3 || std::abs(fromTop - 2 * height / 3) < 3)
                c = c * 0.7f;
            canvas.set(x, y, c);
        }
    rect(canvas, left, top, right, top + 6, paint * 0.55f);
}

void spentContainer(Canvas& canvas)
{
    wall(canvas);
    drum(canvas, 70, 180, 95, rgb(120, 122, 118), 0.8f);
    // The lid lies open: a dark mouth and a drained, faded marking.
    rect(canvas, 74, 95, 176, 103, rgb(15, 15, 15));
    trefoil(canvas, 125.f, 170.f, 30.f, rgb(95, 95, 90));
    for (int i = 0; i < 40; ++i)
        disc(canvas, 80.f + hash(i, 0, 7) * 90.f, 110.f + hash(i, 1, 7) * 130.f,
             2.f + hash(i, 2, 7) * 3.f, rgb(60, 40, 25, 0.7f));
}

void yellowDrum(Canvas& canvas)
{
    wall(canvas);
    glow(canvas, 125.f, 160.f, 118.f, rgb(255, 220, 40), 0.55f);
    drum(canvas, 62, 188, 70, rgb(235, 195, 30), 0.25f);
    disc(canvas, 125.f, 160.f, 46.f, rgb(240, 210, 50));
    trefoil(canvas, 125.f, 160.f, 42.f, rgb(20, 18, 10));
}

void greenRods(Canvas& canvas)
{
    wall(canvas);
    glow(canvas, 125.f, 140.f, 118.f, rgb(60, 255, 80), 0.7f);
    // A tall canister with a window onto glowing fuel rods.
    rect(canvas, 80, 40, 170, 246, rgb(50, 60, 55));
    rect(canvas, 84, 44, 166, 242, rgb(75, 90, 80));
    rect(canvas, 95, 70, 155, 200, rgb(10, 40, 15));
    for (int rod = 0; rod < 4; ++rod) {
        const int x = 101 + rod * 14;
        rect(canvas, x, 76, x + 8, 194, rgb(120, 255, 120));
        rect(canvas, x + 2, 76, x + 5, 194, rgb(230, 255, 230));
    }
    // Its mark: a warning triangle.
    canvas.paint(0.f, 0.f, Tile, Tile, [](float x, float y) {
        const float top = 206.f;
        const float height = 32.f;
        const bool inside = y > top && y < top + height && std::abs(x - 125.f) < (y - top) * 0.6f;
        return inside ? rgb(60, 255, 80) : transparent;
    });
    rect(canvas, 123, 218, 127, 230, rgb(10, 40, 15));
}

void blueCrate(Canvas& canvas)
{
    wall(canvas);
    glow(canvas, 125.f, 160.f, 118.f, rgb(60, 140, 255), 0.6f);
    // A lead-lined crate seen face on, with a lighter top edge.
    rect(canvas, 55, 90, 195, 246, rgb(30, 70, 160));
    rect(canvas, 55, 90, 195, 100, rgb(90, 140, 230));
    rect(canvas, 55, 90, 63, 246, rgb(20, 45, 110));
    rect(canvas, 187, 90, 195, 246, rgb(20, 45, 110));
    rect(canvas, 55, 238, 195, 246, rgb(20, 45, 110));
    // Its mark: a white diamond.
    canvas.paint(0.f, 0.f, Tile, Tile, [](float x, float y) {
        const float fromCentre = std::abs(x - 125.f) + std::abs(y - 168.f);
        if (fromCentre < 22.f)
            return rgb(30, 70, 160);
        return fromCentre < 44.f ? rgb(235, 240, 255) : transparent;
    });
}

void orangeFlask(Canvas& canvas)
{
    wall(canvas);
    glow(canvas, 125.f, 150.f, 118.f, rgb(255, 130, 20), 0.65f);
    // A round flask on a tripod stand.
    rect(canvas, 90, 200, 96, 246, rgb(40, 40, 40));
    rect(canvas, 154, 200, 160, 246, rgb(40, 40, 40));
    rect(canvas, 118, 60, 132, 95, rgb(200, 110, 40));
    canvas.paint(0.f, 0.f, Tile, Tile, [](float x, float y) {
        if (std::hypot(x - 125.f, y - 150.f) >= 62.f)
            return transparent;
        const float d = std::hypot(x - 105.f, y - 128.f) / 90.f;
        return mix(rgb(255, 200, 90), rgb(200, 80, 10), std::min(d, 1.f));
    });
    // Its mark: a black ring with a dot.
    canvas.paint(0.f, 0.f, Tile, Tile, [](float x, float y) {
        const float d = std::hypot(x - 125.f, y - 150.f);
        return (d > 26.f && d < 36.f) || d < 9.f ? rgb(25, 15, 5) : transparent;
    });
}

void purpleCrystals(Canvas& canvas)
{
    wall(canvas);
    glow(canvas, 125.f, 165.f, 118.f, rgb(190, 60, 255), 0.7f);
    // A glass case holding a cluster of crystals.
    rect(canvas, 60, 70, 190, 246, rgb(40, 30, 50));
    rect(canvas, 66, 76, 184, 240, rgb(70, 50, 90));
    const float tips[5][3] = {{90.f, 150.f, 16.f},
                              {110.f, 105.f, 18.f},
                              {128.f, 90.f, 20.f},
                              {148.f, 115.f, 17.f},
                              {166.f, 160.f, 14.f}};
    for (const auto& tip : tips) {
        canvas.paint(0.f, 0.f, Tile, Tile, [&](float x, float y) {
            if (y <= tip[1] || y >= 236.f ||
                std::abs(x - tip[0]) >= std::min((y - tip[1]) * 0.5f, tip[2]))
                return transparent;
            return x < tip[0] ? rgb(220, 150, 255) : rgb(150, 60, 210);
        });
    }
    // Its mark: a white cross on the plinth.
    rect(canvas, 66, 206, 184, 240, rgb(45, 30, 60));
    rect(canvas, 117, 208, 133, 238, rgb(245, 235, 255));
    rect(canvas, 103, 216, 147, 230, rgb(245, 235, 255));
}

// The doorway common to the doors and the exit: a frame with hazard stripes and a lintel.
void doorFrame(Canvas& canvas)
{
    wall(canvas);
    rect(canvas, 26, 30, 224, Tile, rgb(45, 47, 50));
    for (int y = 62; y < Tile; ++y)
        for (int x = 26; x < 224; ++x) {
            if (x >= 44 && x < 206)
                continue;
            const bool stripe = ((x + y) / 14) % 2 == 0;
            canvas.set(x, y, stripe ? rgb(215, 175, 20) : rgb(25, 25, 25));
        }
    rect(canvas, 26, 30, 224, 62, rgb(60, 62, 66));
    rect(canvas, 26, 60, 224, 62, rgb(20, 20, 20));
}

void lamps(Canvas& canvas, Colour light)
{
    for (float cx : {52.f, 198.f}) {
        glow(canvas, cx, 46.f, 45.f, light, 0.6f);
        disc(canvas, cx, 46.f, 10.f, rgb(20, 20, 20));
        disc(canvas, cx, 46.f, 8.f, light);
        disc(canvas, cx - 2.f, 44.f, 3.f, rgb(255, 255, 255, 0.7f));
    }
}

void openDoor(Canvas& canvas, int number)
{
    doorFrame(canvas);
    // The dark passage beyond, fading into the distance.
    for (int y = 62; y < Tile; ++y)
        for (int x = 44; x < 206; ++x) {
            const float depth = std::abs(static_cast<float>(y) - 150.f) / 100.f;
            canvas.set(x, y, rgb(30, 38, 34) * (0.25f + 0.75f * depth * depth));
        }
    rect(canvas, 70, 130, 180, 175, rgb(4, 6, 5));
    // The blast door, slid up into the lintel, shows its lower edge.
    rect(canvas, 44, 62, 206, 74, rgb(80, 84, 88));
    for (int x = 44; x < 206; x += 20)
        rect(canvas, x, 66, x + 10, 74, rgb(215, 175, 20));
    lamps(canvas, rgb(60, 255, 90));
    PixelFont::write(canvas, std::string(1, static_cast<char>('0' + number)), 125, 32, 4,
                     rgb(240, 240, 230));
}

void closedDoor(Canvas& canvas, int number)
{
    doorFrame(canvas);
    // Heavy steel leaves meeting in the middle.
    for (int y = 62; y < Tile; ++y)
        for (int x = 44; x < 206; ++x) {
            const float grain = noise(static_cast<float>(x), static_cast<float>(y), 10, 11);
            canvas.set(x, y, rgb(105, 110, 112) * (0.8f + 0.25f * grain));
        }
    rect(canvas, 123, 62, 127, Tile, rgb(25, 25, 25));
    for (int y = 212; y < Tile; ++y)
        for (int x = 44; x < 206; ++x)
            if (((x - y + 400) / 12) % 2 == 0)
                canvas.set(x, y, rgb(200, 40, 30));
    lamps(canvas, rgb(255, 40, 30));
    PixelFont::write(canvas, std::string(1, static_cast<char>('0' + number)), 125, 32, 4,
                     rgb(240, 240, 230));
    // The door's number, stencilled large across both leaves.
    rect(canvas, 95, 100, 155, 190, rgb(30, 30, 32));
    PixelFont::write(canvas, std::string(1, static_cast<char>('0' + number)), 125, 110, 10,
                     rgb(245, 200, 30));
}

void exitDoor(Canvas& canvas)
{
    doorFrame(canvas);
    // Daylight beyond the way out.
    for (int y = 62; y < Tile; ++y)
        for (int x = 44; x < 206; ++x) {
            const float d =
                std::hypot(static_cast<float>(x) - 125.f, static_cast<float>(y) - 150.f) / 120.f;
            canvas.set(x, y, mix(rgb(255, 250, 225), rgb(150, 170, 150), std::min(d, 1.f)));
        }
    // The lit EXIT sign across the lintel.
    glow(canvas, 125.f, 46.f, 110.f, rgb(80, 255, 120), 0.8f);
    rect(canvas, 55, 28, 195, 64, rgb(10, 40, 20));
    rect(canvas, 59, 32, 191, 60, rgb(30, 200, 90));
    PixelFont::write(canvas, "EXIT", 125, 35, 3, rgb(250, 255, 250));
}

} // namespace

void writeWallAtlas(const std::string& dataDir)
{
    // The five objects in the order of their cell values.
    void (*const objects[])(Canvas&) = {yellowDrum, greenRods, blueCrate, orangeFlask,
                                        purpleCrystals};
    static_assert(std::size(objects) == Cell::LastObject - Cell::FirstObject + 1);
    sf::Image atlas;
    atlas.create(Cell::Exit * Tile, Tile, sf::Color::Black);
    for (int value = Cell::Wall; value <= Cell::Exit; ++value) {
        Canvas canvas(Tile, Tile);
        // Doors are numbered from 1, one number a pair.
        const int door = (Cell::openDoor(value) - Cell::FirstDoor) / 2 + 1;
        if (value == Cell::Wall)
            wall(canvas);
        else if (value == Cell::Spent)
            spentContainer(canvas);
        else if (Cell::isObject(value))
            objects[value - Cell::FirstObject](canvas);
        else if (value == Cell::Exit)
            exitDoor(canvas);
        else if (Cell::isOpenValue(value))
            openDoor(canvas, door);
        else
            closedDoor(canvas, door);
        canvas.copyTo(atlas, static_cast<unsigned>((value - Cell::Wall) * Tile));
    }
    saveImage(atlas, dataFile(dataDir, assets::textureFile("wall")));
}
