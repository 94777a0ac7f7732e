#include "Shapes.hpp"

#include <cmath>

namespace picture {

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

void rect(Canvas& canvas, float x0, float y0, float x1, float y1, Colour fill)
{
    canvas.paint(x0, y0, x1, y1, [=](float x, float y) {
        return x >= x0 && x < x1 && y >= y0 && y < y1 ? fill : transparent;
    });
}

void roundedBox(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, Colour fill)
{
    canvas.paint(x0, y0, x1, y1, [=](float x, float y) {
        return inRoundedBox(x, y, x0, y0, x1, y1, radius) ? fill : transparent;
    });
}

void disc(Canvas& canvas, float cx, float cy, float radius, Colour fill)
{
    const float samples = static_cast<float>(canvas.getSupersample());
    canvas.paint(cx - radius - 1.f, cy - radius - 1.f, cx + radius + 1.f, cy + radius + 1.f,
                 [=](float x, float y) {
                     Colour edge = fill;
                     edge.a *= clamp01((radius - std::hypot(x - cx, y - cy)) * samples + 0.5f);
                     return edge;
                 });
}

void glow(Canvas& canvas, float cx, float cy, float radius, Colour light, float strength)
{
    const float scale = static_cast<float>(canvas.getSupersample());
    for (int sy = 0; sy < canvas.getHeight() * canvas.getSupersample(); ++sy) {
        for (int sx = 0; sx < canvas.getWidth() * canvas.getSupersample(); ++sx) {
            const float d = std::hypot(sx / scale - cx, sy / scale - cy) / radius;
            if (d < 1.f)
                canvas.brighten(sx, sy, light * (strength * (1.f - d) * (1.f - d)));
        }
    }
}

void trefoil(Canvas& canvas, float cx, float cy, float radius, Colour ink, float turn)
{
    canvas.paint(cx - radius, cy - radius, cx + radius, cy + radius, [=](float x, float y) {
        const float dx = x - cx;
        const float dy = y - cy;
        const float d = std::hypot(dx, dy);
        if (d < radius * 0.18f)
            return ink;
        if (d < radius * 0.3f || d > radius)
            return transparent;
        const float angle = std::atan2(dy, dx) + pi / 2.f - turn;
        const float sector = std::fmod(angle + 4.f * pi, 2.f * pi / 3.f);
        return sector < pi / 3.f ? ink : transparent;
    });
}

} // namespace picture
