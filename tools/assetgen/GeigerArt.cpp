#include "Assets.hpp"
#include "core/AssetList.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

// The Geiger counter held in the player's hand, five frames of 196 by 360 side by side: the
// needle climbs the dial, the count display rises and the warning lamp lights on the last one.
// Each frame is drawn at four times its size and averaged down, which smooths every edge.

namespace {
const unsigned FrameWidth = 196;
const unsigned FrameHeight = 360;
const int Supersample = 4;
const float Pi = 3.14159265f;

// A colour with coverage, premultiplied so that painting and averaging are plain sums.
struct Paint {
    float r = 0.f;
    float g = 0.f;
    float b = 0.f;
    float a = 0.f;
};

Paint colour(float r, float g, float b, float a = 1.f)
{
    return {r / 255.f * a, g / 255.f * a, b / 255.f * a, a};
}

Paint scaled(const Paint& paint, float light)
{
    return {std::min(paint.r * light, paint.a), std::min(paint.g * light, paint.a),
            std::min(paint.b * light, paint.a), paint.a};
}

float clamp01(float value) { return std::min(1.f, std::max(0.f, value)); }

// One frame at the supersampled size; shapes are given in frame pixels.
class Canvas {
public:
    Canvas()
        : width(FrameWidth * Supersample), height(FrameHeight * Supersample),
          pixels(static_cast<std::size_t>(width) * height)
    {
    }

    // Paints over the box (x0, y0)-(x1, y1) whatever shade gives at each sample point;
    // a shade with no coverage leaves the sample as it is.
    template <typename Shade>
    void paint(float x0, float y0, float x1, float y1, Shade shade)
    {
        const int left = std::max(0, static_cast<int>(std::floor(x0 * Supersample)));
        const int top = std::max(0, static_cast<int>(std::floor(y0 * Supersample)));
        const int right = std::min(width, static_cast<int>(std::ceil(x1 * Supersample)));
        const int bottom = std::min(height, static_cast<int>(std::ceil(y1 * Supersample)));
        for (int sy = top; sy < bottom; ++sy) {
            for (int sx = left; sx < right; ++sx) {
                const float x = (sx + 0.5f) / Supersample;
                const float y = (sy + 0.5f) / Supersample;
                const Paint source = shade(x, y);
                if (source.a <= 0.f)
                    continue;
                Paint& target = pixels[static_cast<std::size_t>(sy) * width + sx];
                const float keep = 1.f - source.a;
                target = {source.r + target.r * keep, source.g + target.g * keep,
                          source.b + target.b * keep, source.a + target.a * keep};
            }
        }
    }

    // Averages each block of samples into one pixel of the strip.
    void copyTo(sf::Image& strip, unsigned frameLeft) const
    {
        for (unsigned y = 0; y < FrameHeight; ++y) {
            for (unsigned x = 0; x < FrameWidth; ++x) {
                Paint sum;
                for (int dy = 0; dy < Supersample; ++dy) {
                    for (int dx = 0; dx < Supersample; ++dx) {
                        const Paint& sample =
                            pixels[static_cast<std::size_t>(y * Supersample + dy) * width +
                                   x * Supersample + dx];
                        sum = {sum.r + sample.r, sum.g + sample.g, sum.b + sample.b,
                               sum.a + sample.a};
                    }
                }
                const float count = Supersample * Supersample;
                const float alpha = sum.a / count;
                sf::Color pixel = sf::Color::Transparent;
                if (alpha > 0.f) {
                    const auto channel = [&](float value) {
                        return static_cast<sf::Uint8>(
                            std::lround(255.f * clamp01(value / count / alpha)));
                    };
                    pixel = sf::Color(channel(sum.r), channel(sum.g), channel(sum.b),
                                      static_cast<sf::Uint8>(std::lround(255.f * alpha)));
                }
                strip.setPixel(frameLeft + x, y, pixel);
            }
        }
    }

private:
    int width;
    int height;
    std::vector<Paint> pixels;
};

bool inRoundedBox(float x, float y, float x0, float y0, float x1, float y1, float radius)
{
    const float cx = std::clamp(x, x0 + radius, x1 - radius);
    const float cy = std::clamp(y, y0 + radius, y1 - radius);
    return x >= x0 && x < x1 && y >= y0 && y < y1 &&
           (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

float distanceToSegment(float x, float y, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax;
    const float dy = by - ay;
    const float t = clamp01(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

void roundedBox(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Paint fill)
{
    canvas.paint(x0, y0, x1, y1, [=](float x, float y) {
        return inRoundedBox(x, y, x0, y0, x1, y1, radius) ? fill : Paint();
    });
}

void disc(Canvas& canvas, float cx, float cy, float radius, Paint fill)
{
    canvas.paint(cx - radius, cy - radius, cx + radius, cy + radius, [=](float x, float y) {
        return std::hypot(x - cx, y - cy) <= radius ? fill : Paint();
    });
}

// The yellow casing, lit from the upper left, with a bevel along its edge.
void drawCasing(Canvas& canvas)
{
    const float x0 = 14.f, y0 = 34.f, x1 = 182.f, y1 = 306.f;
    canvas.paint(x0, y0, x1, y1, [=](float x, float y) {
        if (!inRoundedBox(x, y, x0, y0, x1, y1, 20.f))
            return Paint();
        float light = 1.08f - 0.22f * (x - x0) / (x1 - x0) - 0.12f * (y - y0) / (y1 - y0);
        const float edge = std::min({x - x0, x1 - x, y - y0, y1 - y});
        if (edge < 5.f)
            light += (x - x0 < 5.f || y - y0 < 5.f) ? 0.18f : -0.25f;
        return scaled(colour(214, 166, 36), light);
    });
    // Two screws hold the face plate.
    for (float sx : {28.f, 168.f}) {
        disc(canvas, sx, 44.f, 4.f, colour(120, 112, 96));
        canvas.paint(sx - 3.f, 43.f, sx + 3.f, 45.f,
                     [](float, float) { return colour(60, 56, 48); });
    }
}

// The detector tube on top and the rubber grip below, which the hand closes around.
void drawTubeAndGrip(Canvas& canvas)
{
    canvas.paint(120.f, 4.f, 170.f, 40.f, [](float x, float y) {
        if (!inRoundedBox(x, y, 124.f, 6.f, 166.f, 40.f, 6.f))
            return Paint();
        const float across = (x - 124.f) / 42.f;
        const float light = 0.55f + 0.7f * std::sin(across * Pi) - 0.15f * across;
        if (y < 13.f)
            return scaled(colour(70, 70, 76), light);
        if (static_cast<int>(y) % 6 == 0)
            return scaled(colour(110, 112, 118), light);
        return scaled(colour(168, 170, 176), light);
    });
    canvas.paint(62.f, 296.f, 134.f, 360.f, [](float x, float y) {
        if (!inRoundedBox(x, y, 64.f, 296.f, 132.f, 380.f, 10.f))
            return Paint();
        const float across = (x - 64.f) / 68.f;
        return scaled(colour(48, 48, 54), 0.6f + 0.8f * std::sin(across * Pi));
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
                return Paint();
            const float across = (y - top) / (bottom - top);
            float light = 0.62f + 0.55f * std::sin(across * Pi);
            // The nail sits at the tip of each finger.
            if (x > right - 9.f && across > 0.22f && across < 0.78f)
                return scaled(colour(232, 196, 180), light);
            light -= 0.15f * (x - 40.f) / (right - 40.f);
            return scaled(colour(212, 154, 124), light);
        });
    }
    // The heel of the palm and the base of the thumb close the hand on the left.
    canvas.paint(10.f, 300.f, 62.f, 360.f, [](float x, float y) {
        const float dx = (x - 34.f) / 25.f;
        const float dy = (y - 356.f) / 50.f;
        const float reach = dx * dx + dy * dy;
        if (reach > 1.f)
            return Paint();
        return scaled(colour(200, 142, 112), 0.7f + 0.3f * (x - 10.f) / 52.f + 0.2f * (1.f - reach));
    });
}

// The dial: a cream scale from green to red with its needle at the given fraction.
void drawDial(Canvas& canvas, float reading)
{
    const float cx = 98.f, cy = 158.f;
    roundedBox(canvas, 34.f, 60.f, 162.f, 172.f, 9.f, colour(22, 22, 24));
    canvas.paint(37.f, 63.f, 159.f, 169.f, [=](float x, float y) {
        if (!inRoundedBox(x, y, 37.f, 63.f, 159.f, 169.f, 7.f))
            return Paint();
        const float fromCentre = std::hypot(x - cx, y - 110.f) / 90.f;
        return scaled(colour(238, 231, 206), 1.02f - 0.2f * fromCentre * fromCentre);
    });

    const float low = 145.f * Pi / 180.f;
    const float high = 35.f * Pi / 180.f;
    // The coloured band under the scale.
    canvas.paint(30.f, 70.f, 166.f, 160.f, [=](float x, float y) {
        const float radius = std::hypot(x - cx, y - cy);
        const float angle = std::atan2(cy - y, x - cx);
        if (radius < 50.f || radius > 55.f || angle > low || angle < high)
            return Paint();
        const float along = (low - angle) / (low - high);
        if (along < 0.5f)
            return colour(70, 160, 80);
        if (along < 0.75f)
            return colour(230, 170, 40);
        return colour(205, 45, 35);
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
                         return distanceToSegment(x, y, ax, ay, bx, by) <= half
                                    ? colour(30, 30, 32)
                                    : Paint();
                     });
    }

    // The needle, its soft shadow first.
    const float angle = low + (high - low) * reading;
    const float tipX = cx + 66.f * std::cos(angle), tipY = cy - 66.f * std::sin(angle);
    for (int pass = 0; pass < 2; ++pass) {
        const float shift = pass == 0 ? 2.5f : 0.f;
        const Paint ink = pass == 0 ? colour(0, 0, 0, 0.25f) : colour(150, 20, 20);
        canvas.paint(std::min(cx, tipX) - 4.f, std::min(cy, tipY) - 4.f,
                     std::max(cx, tipX) + 8.f, std::max(cy, tipY) + 8.f, [=](float x, float y) {
                         const float along =
                             clamp01(std::hypot(x - cx - shift, y - cy - shift) / 66.f);
                         const float half = 1.8f - 1.1f * along;
                         return distanceToSegment(x, y, cx + shift, cy + shift, tipX + shift,
                                                  tipY + shift) <= half
                                    ? ink
                                    : Paint();
                     });
    }
    disc(canvas, cx, cy, 6.5f, colour(35, 35, 38));
    disc(canvas, cx - 1.5f, cy - 1.5f, 2.f, colour(150, 150, 155));

    // A glint across the glass.
    canvas.paint(37.f, 63.f, 159.f, 169.f, [](float x, float y) {
        if (!inRoundedBox(x, y, 37.f, 63.f, 159.f, 169.f, 7.f))
            return Paint();
        const float band = x + 0.8f * y;
        return band > 118.f && band < 140.f ? colour(255, 255, 255, 0.16f) : Paint();
    });
}

// Four seven-segment digits on a dark green display.
void drawCountDisplay(Canvas& canvas, const char* digits)
{
    roundedBox(canvas, 42.f, 180.f, 154.f, 218.f, 5.f, colour(16, 18, 18));
    roundedBox(canvas, 45.f, 183.f, 151.f, 215.f, 3.f, colour(26, 46, 34));

    // Segments a to g, as boxes relative to a digit of 18 by 24.
    const float boxes[7][4] = {{2, 0, 16, 3},  {15, 2, 18, 11}, {15, 13, 18, 22}, {2, 21, 16, 24},
                               {0, 13, 3, 22}, {0, 2, 3, 11},   {2, 10.5f, 16, 13.5f}};
    const char* const lit[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                 "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    for (int place = 0; place < 4; ++place) {
        const float left = 52.f + place * 24.f;
        const float top = 187.f;
        const int digit = digits[place] - '0';
        for (int segment = 0; segment < 7; ++segment) {
            const bool on = std::string(lit[digit]).find(static_cast<char>('a' + segment)) !=
                            std::string::npos;
            const float* box = boxes[segment];
            roundedBox(canvas, left + box[0], top + box[1], left + box[2], top + box[3], 1.2f,
                       on ? colour(130, 255, 150) : colour(38, 64, 48));
        }
    }
}

// The radiation sign: three black blades on a yellow disc.
void drawTrefoil(Canvas& canvas, float cx, float cy)
{
    disc(canvas, cx, cy, 19.f, colour(20, 20, 20));
    disc(canvas, cx, cy, 17.5f, colour(236, 196, 40));
    canvas.paint(cx - 17.f, cy - 17.f, cx + 17.f, cy + 17.f, [=](float x, float y) {
        const float radius = std::hypot(x - cx, y - cy);
        if (radius <= 3.2f)
            return colour(20, 20, 20);
        if (radius < 5.5f || radius > 15.5f)
            return Paint();
        const float degrees = std::atan2(cy - y, x - cx) * 180.f / Pi;
        const float turned = std::fmod(degrees - 30.f + 720.f, 120.f);
        return turned < 60.f ? colour(20, 20, 20) : Paint();
    });
}

void drawLamp(Canvas& canvas, float cx, float cy, bool lit)
{
    if (lit) {
        canvas.paint(cx - 34.f, cy - 34.f, cx + 34.f, cy + 34.f, [=](float x, float y) {
            const float fade = clamp01(1.f - (std::hypot(x - cx, y - cy) - 12.f) / 22.f);
            return colour(255, 80, 40, 0.6f * fade * fade);
        });
    }
    disc(canvas, cx, cy, 14.f, colour(150, 150, 156));
    disc(canvas, cx, cy, 12.f, colour(60, 60, 64));
    canvas.paint(cx - 11.f, cy - 11.f, cx + 11.f, cy + 11.f, [=](float x, float y) {
        const float radius = std::hypot(x - cx, y - cy) / 10.5f;
        if (radius > 1.f)
            return Paint();
        if (lit) {
            const float heat = 1.f - radius;
            return colour(255, 70 + 170 * heat * heat, 40 + 160 * heat * heat);
        }
        return scaled(colour(110, 24, 20), 1.f - 0.4f * radius);
    });
    disc(canvas, cx - 4.f, cy - 4.f, 2.5f, colour(255, 255, 255, lit ? 0.8f : 0.35f));
}

void drawFrame(Canvas& canvas, int frame)
{
    const float readings[5] = {0.03f, 0.27f, 0.5f, 0.74f, 0.96f};
    const char* const counts[5] = {"0007", "0142", "0586", "2310", "9999"};

    drawTubeAndGrip(canvas);
    drawCasing(canvas);
    roundedBox(canvas, 24.f, 52.f, 172.f, 294.f, 12.f, colour(44, 46, 50));
    drawDial(canvas, readings[frame]);
    drawCountDisplay(canvas, counts[frame]);
    drawTrefoil(canvas, 70.f, 258.f);
    drawLamp(canvas, 132.f, 258.f, frame == 4);
    drawHand(canvas);
}
}

void writeGeigerStrip(const std::string& dataDir)
{
    sf::Image strip;
    strip.create(5 * FrameWidth, FrameHeight, sf::Color::Transparent);
    for (int frame = 0; frame < 5; ++frame) {
        Canvas canvas;
        drawFrame(canvas, frame);
        canvas.copyTo(strip, frame * FrameWidth);
    }
    saveImage(strip, dataFile(dataDir, assets::textureFile("geiger")));
}
