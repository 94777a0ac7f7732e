#include "Assets.hpp"

#include "Shapes.hpp"
#include "common/AssetList.hpp"

#include <cmath>
#include <string>

// The desktop icons of the game and of the operator console, drawn afresh at every size so the
// smallest stays sharp: the game is the plant's radiation marker, the console a monitor
// showing the operator's green text.

namespace {

using namespace picture;

const int IconSupersample = 4;
const Colour Ink = rgb(20, 18, 12);
const Colour Marker = rgb(240, 200, 40);

// A yellow disc with a dark rim and the three blades, lit from the upper left.
Canvas gameIcon(int size)
{
    const float s = static_cast<float>(size);
    const float centre = s / 2.f;
    Canvas canvas(size, size, IconSupersample);
    disc(canvas, centre, centre, s * 0.48f, Ink);
    canvas.paint(0.f, 0.f, s, s, [=](float x, float y) {
        const float d = std::hypot(x - centre, y - centre) / (s * 0.41f);
        if (d > 1.f)
            return transparent;
        const float light = 1.08f - 0.18f * ((x + y) / s) - 0.1f * d * d;
        return Marker * light;
    });
    // The classic upright marker: one blade down, two up.
    trefoil(canvas, centre, centre, s * 0.37f, Ink, pi / 6.f);
    return canvas;
}

// A monitor on a stand, its screen showing lines of text and the cursor.
Canvas consoleIcon(int size)
{
    const float s = static_cast<float>(size);
    // Edges fall on whole pixels so the small sizes stay crisp.
    const auto at = [s](float fraction) { return std::round(fraction * s); };
    Canvas canvas(size, size, IconSupersample);
    rect(canvas, at(0.38f), at(0.78f), at(0.62f), at(0.9f), rgb(70, 72, 76));
    rect(canvas, at(0.22f), at(0.88f), at(0.78f), at(0.97f), rgb(90, 92, 96));
    roundedBox(canvas, at(0.03f), at(0.1f), at(0.97f), at(0.82f), s * 0.08f, rgb(120, 124, 130));
    roundedBox(canvas, at(0.03f), at(0.1f), at(0.97f), at(0.78f), s * 0.08f, rgb(58, 60, 66));
    const float left = at(0.12f), top = at(0.18f), right = at(0.88f), bottom = at(0.7f);
    canvas.paint(left, top, right, bottom, [=](float x, float y) {
        const float d =
            std::hypot((x - s / 2.f) / (right - left), (y - s * 0.44f) / (bottom - top));
        return mix(rgb(14, 60, 30), rgb(4, 22, 10), clamp01(d * 1.4f));
    });
    // Three lines of text of different lengths, then the cursor.
    const float line = std::max(1.f, at(0.07f));
    const float lengths[3] = {0.62f, 0.44f, 0.54f};
    for (int row = 0; row < 3; ++row) {
        const float y = at(0.24f + 0.12f * static_cast<float>(row));
        rect(canvas, at(0.18f), y, at(0.18f + lengths[row]), y + line, rgb(120, 255, 150));
    }
    const float cursorTop = at(0.6f);
    rect(canvas, at(0.18f), cursorTop, at(0.18f) + std::max(1.f, at(0.1f)), cursorTop + line,
         rgb(200, 255, 210));
    return canvas;
}

} // namespace

void writeIcons(const std::string& dataDir)
{
    for (const assets::Icon& icon : assets::icons) {
        saveImage(gameIcon(icon.size).toImage(), dataFile(dataDir, icon.game));
        saveImage(consoleIcon(icon.size).toImage(), dataFile(dataDir, icon.console));
    }
}
