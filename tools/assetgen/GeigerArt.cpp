#include "Assets.hpp"
#include "Shapes.hpp"
#include "common/AssetList.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// The Geiger counter held in the player's hand, five frames of 196 by 360 side by side: the
// needle climbs the dial, the count display rises and the warning lamp lights on the last one.
// Each frame is drawn at four times its size and averaged down, which smooths every edge.

namespace {

using namespace picture;

const int FrameWidth = 196;
const int FrameHeight = 360;
const int FrameSupersample = 4;

// The yellow casing, lit from the upper left, with a bevel along its edge.
void drawCasing(Canvas& canvas)
{
    const float x0 = 14.f, y0 = 34.f, x1 = 182.f, y1 = 306.f;
    canvas.paint(x0, y0, x1, y1, [=](float x, float y) {
        if (!inRoundedBox(x, y, x0, y0, x1, y1, 20.f))
            return transparent;
        float light = 1.08f - 0.22f * (x - x0) / (x1 - x0) - 0.12f * (y - y0) / (y1 - y0);
        const float edge = std::min({x - x0, x1 - x, y - y0, y1 - y});
        if (edge < 5.f)
            light += (x - x0 < 5.f || y - y0 < 5.f) ? 0.18f : -0.25f;
        return lit(rgb(214, 166, 36), light);
    });
    // Two screws hold the face plate.
    for (float sx : {28.f, 168.f}) {
        disc(canvas, sx, 44.f, 4.f, rgb(120, 112, 96));
        canvas.paint(sx - 3.f, 43.f, sx + 3.f, 45.f, [](float, float) { return rgb(60, 56, 48); });
    }
}

// The detector tube on top and the rubber grip below, which the hand closes around.
void drawTubeAndGrip(Canvas& canvas)
{
    canvas.paint(120.f, 4.f, 170.f, 40.f, [](float x, float y) {
        if (!inRoundedBox(x, y, 124.f, 6.f, 166.f, 40.f, 6.f))
            return transparent;
        const float across = (x - 124.f) / 42.f;
        const float light = 0.55f + 0.7f * std::sin(across * pi) - 0.15f * across;
        if (y < 13.f)
            return lit(rgb(70, 70, 76), light);
        if (static_cast<int>(y) % 6 == 0)
            return lit(rgb(110, 112, 118), light);
        return lit(rgb(168, 170, 176), light);
    });
    canvas.paint(62.f, 296.f, 134.f, 360.f, [](float x, float y) {
        if (!inRoundedBox(x, y, 64.f, 296.f, 132.f, 380.f, 10.f))
            return transparent;
        const float across = (x - 64.f) / 68.f;
        return lit(rgb(48, 48, 54), 0.6f + 0.8f * std::sin(across * pi));
    });
}

void drawHand(Canvas& canvas)
{
    // Four fingers wrap the grip from the left, each a rounded capsule shaded as a cylinder.
    for (int finger = 0; finger < 4; ++finger) {
        const float top = 312.f + finger * 15.f;
        const float bottom = top + 14.f;
        const float right = 132.f - finger * 2.f;
        canvas.paint(40.f, top, right + 1.f, bottom + 1.f, [=](float x, float y) {
            if (!inRoundedBox(x, y, 40.f, top, right, bottom, 7.f))
                return transparent;
            const float across = (y - top) / (bottom - top);
            float light = 0.62f + 0.55f * std::sin(across * pi);
            // The nail sits at the tip of each finger.
            if (x > right - 9.f && across > 0.22f && across < 0.78f)
                return lit(rgb(232, 196, 180), light);
            light -= 0.15f * (x - 40.f) / (right - 40.f);
            return lit(rgb(212, 154, 124), light);
        });
    }
    // The heel of the palm and the base of the thumb close the hand on the left.
    canvas.paint(10.f, 300.f, 62.f, 360.f, [](float x, float y) {
        const float dx = (x - 34.f) / 25.f;
        const float dy = (y - 356.f) / 50.f;
        const float reach = dx * dx + dy * dy;
        if (reach > 1.f)
            return transparent;
        return lit(rgb(200, 142, 112), 0.7f + 0.3f * (x - 10.f) / 52.f + 0.2f * (1.f - reach));
    });
}

// The dial: a cream scale from green to red with its needle at the given fraction.
void drawDial(Canvas& canvas, float reading)
{
    const float cx = 98.f, cy = 158.f;
    roundedBox(canvas, 34.f, 60.f, 162.f, 172.f, 9.f, rgb(22, 22, 24));
    canvas.paint(37.f, 63.f, 159.f, 169.f, [=](float x, float y) {
        if (!inRoundedBox(x, y, 37.f, 63.f, 159.f, 169.f, 7.f))
            return transparent;
        const float fromCentre = std::hypot(x - cx, y - 110.f) / 90.f;
        return lit(rgb(238, 231, 206), 1.02f - 0.2f * fromCentre * fromCentre);
    });

    const float low = 145.f * pi / 180.f;
    const float high = 35.f * pi / 180.f;
    // The coloured band under the scale.
    canvas.paint(30.f, 70.f, 166.f, 160.f, [=](float x, float y) {
        const float radius = std::hypot(x - cx, y - cy);
        const float angle = std::atan2(cy - y, x - cx);
        if (radius < 50.f || radius > 55.f || angle > low || angle < high)
            return transparent;
        const float along = (low - angle) / (low - high);
        if (along < 0.5f)
            return rgb(70, 160, 80);
        if (along < 0.75f)
            return rgb(230, 170, 40);
        return rgb(205, 45, 35);
    });
    // Eleven long ticks with four short ones between each pair.
    for (int tick = 0; tick <= 50; ++tick) {
        const float angle = low + (high - low) * tick / 50.f;
        const bool major = tick % 5 == 0;
        const float inner = major ? 58.f : 62.f;
        const float ax = cx + inner * std::cos(angle), ay = cy - inner * std::sin(angle);
        const float bx = cx + 68.f * std::cos(angle), by = cy - 68.f * std::sin(angle);
        const float half = major ? 0.9f : 0.5f;
        canvas.paint(std::min(ax, bx) - 2.f, std::min(ay, by) - 2.f, std::max(ax, bx) + 2.f,
                     std::max(ay, by) + 2.f, [=](float x, float y) {
                         return distanceToSegment(x, y, ax, ay, bx, by) <= half ? rgb(30, 30, 32)
                                                                                : transparent;
                     });
    }

    // The needle, its soft shadow first.
    const float angle = low + (high - low) * reading;
    const float tipX = cx + 66.f * std::cos(angle), tipY = cy - 66.f * std::sin(angle);
    for (int pass = 0; pass < 2; ++pass) {
        const float shift = pass == 0 ? 2.5f : 0.f;
        const Colour ink = pass == 0 ? rgb(0, 0, 0, 0.25f) : rgb(150, 20, 20);
        canvas.paint(std::min(cx, tipX) - 4.f, std::min(cy, tipY) - 4.f, std::max(cx, tipX) + 8.f,
                     std::max(cy, tipY) + 8.f, [=](float x, float y) {
                         const float along =
                             clamp01(std::hypot(x - cx - shift, y - cy - shift) / 66.f);
                         const float half = 1.8f - 1.1f * along;
                         return distanceToSegment(x, y, cx + shift, cy + shift, tipX + shift,
                                                  tipY + shift) <= half
                                    ? ink
                                    : transparent;
                     });
    }
    disc(canvas, cx, cy, 6.5f, rgb(35, 35, 38));
    disc(canvas, cx - 1.5f, cy - 1.5f, 2.f, rgb(150, 150, 155));

    // A glint across the glass.
    canvas.paint(37.f, 63.f, 159.f, 169.f, [](float x, float y) {
        if (!inRoundedBox(x, y, 37.f, 63.f, 159.f, 169.f, 7.f))
            return transparent;
        const float band = x + 0.8f * y;
        return band > 118.f && band < 140.f ? rgb(255, 255, 255, 0.16f) : transparent;
    });
}

// Four seven-segment digits on a dark green display.
void drawCountDisplay(Canvas& canvas, const char* digits)
{
    roundedBox(canvas, 42.f, 180.f, 154.f, 218.f, 5.f, rgb(16, 18, 18));
    roundedBox(canvas, 45.f, 183.f, 151.f, 215.f, 3.f, rgb(26, 46, 34));

    // Segments a to g, as boxes relative to a digit of 18 by 24.
    const float boxes[7][4] = {{2, 0, 16, 3},        {15, 2, 18, 11}, {15, 13, 18, 22},
                               {2, 21, 16, 24},      {0, 13, 3, 22},  {0, 2, 3, 11},
                               {2, 10.5f, 16, 13.5f}};
    const char* const lit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                 "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    for (int place = 0; place < 4; ++place) {
        const float left = 52.f + place * 24.f;
        const float top = 187.f;
        const int digit = digits[place] - '0';
        for (int segment = 0; segment < 7; ++segment) {
            const bool on =
                std::string(lit[digit]).find(static_cast<char>('a' + segment)) != std::string::npos;
            const float* box = boxes[segment];
            roundedBox(canvas, left + box[0], top + box[1], left + box[2], top + box[3], 1.2f,
                       on ? rgb(130, 255, 150) : rgb(38, 64, 48));
        }
    }
}

// The radiation sign: three black blades on a yellow disc.
void drawTrefoil(Canvas& canvas, float cx, float cy)
{
    disc(canvas, cx, cy, 19.f, rgb(20, 20, 20));
    disc(canvas, cx, cy, 17.5f, rgb(236, 196, 40));
    trefoil(canvas, cx, cy, 15.5f, rgb(20, 20, 20));
}

void drawLamp(Canvas& canvas, float cx, float cy, bool on)
{
    if (on) {
        canvas.paint(cx - 34.f, cy - 34.f, cx + 34.f, cy + 34.f, [=](float x, float y) {
            const float fade = clamp01(1.f - (std::hypot(x - cx, y - cy) - 12.f) / 22.f);
            return rgb(255, 80, 40, 0.6f * fade * fade);
        });
    }
    disc(canvas, cx, cy, 14.f, rgb(150, 150, 156));
    disc(canvas, cx, cy, 12.f, rgb(60, 60, 64));
    canvas.paint(cx - 11.f, cy - 11.f, cx + 11.f, cy + 11.f, [=](float x, float y) {
        const float radius = std::hypot(x - cx, y - cy) / 10.5f;
        if (radius > 1.f)
            return transparent;
        if (on) {
            const float heat = 1.f - radius;
            return rgb(255, 70 + 170 * heat * heat, 40 + 160 * heat * heat);
        }
        return lit(rgb(110, 24, 20), 1.f - 0.4f * radius);
    });
    disc(canvas, cx - 4.f, cy - 4.f, 2.5f, rgb(255, 255, 255, on ? 0.8f : 0.35f));
}

void drawFrame(Canvas& canvas, int frame)
{
    const float readings[5] = {0.03f, 0.27f, 0.5f, 0.74f, 0.96f};
    const char* const counts[5] = {"0007", "0142", "0586", "2310", "9999"};

    drawTubeAndGrip(canvas);
    drawCasing(canvas);
    roundedBox(canvas, 24.f, 52.f, 172.f, 294.f, 12.f, rgb(44, 46, 50));
    drawDial(canvas, readings[frame]);
    drawCountDisplay(canvas, counts[frame]);
    drawTrefoil(canvas, 70.f, 258.f);
    drawLamp(canvas, 132.f, 258.f, frame == 4);
    drawHand(canvas);
}
} // namespace

void writeGeigerStrip(const std::string& dataDir)
{
    sf::Image strip;
    strip.create(5 * FrameWidth, FrameHeight, sf::Color::Transparent);
    for (int frame = 0; frame < 5; ++frame) {
        Canvas canvas(FrameWidth, FrameHeight, FrameSupersample);
        drawFrame(canvas, frame);
        canvas.copyTo(strip, static_cast<unsigned>(frame) * FrameWidth);
    }
    saveImage(strip, dataFile(dataDir, assets::textureFile("geiger")));
}
