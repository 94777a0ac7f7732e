#include "Assets.hpp"
#include "Canvas.hpp"
#include "Lattice.hpp"
#include "common/AssetList.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

// The two menu layers, stretched by the menu over 1290 by 740 rectangles. The back layer is a
// dim corridor of the plant seen in perspective; the front layer holds the title and the dark
// fittings nearest the viewer, transparent elsewhere. The widget column on the left (x 130 to
// 780, y 300 to 640) is kept dark and free of foreground shapes so that its labels read.

namespace {

using namespace picture;

constexpr int Width = 1290;
constexpr int Height = 740;

struct Vec3 {
    double x, y, z;
};

Vec3 operator+(Vec3 a, Vec3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, double k)
{
    return {a.x * k, a.y * k, a.z * k};
}
double dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double length(Vec3 a)
{
    return std::sqrt(dot(a, a));
}
Vec3 normalized(Vec3 a)
{
    return a * (1.0 / length(a));
}

double grime(double u, double v, int seed)
{
    return 0.5 * valueNoise(u, v, seed) + 0.3 * valueNoise(u * 3.1, v * 3.1, seed + 1) +
           0.2 * valueNoise(u * 9.7, v * 9.7, seed + 2);
}

// Yellow and black bands at 45 degrees, the plant's hazard marking.
Colour hazard(double u, double v, double bandWidth)
{
    const double phase = std::fmod(std::fabs(u + v) / bandWidth, 2.0);
    return phase < 1.0 ? rgb(196, 150, 28) : rgb(22, 20, 18);
}

// ---------------------------------------------------------------- the corridor, ray cast

// The camera stands in a corridor running away along +z. Each surface answers its colour,
// normal and glow at the point a ray meets it.
struct Hit {
    double distance = 1e9;
    Vec3 point{0, 0, 0};
    Vec3 normal{0, 0, 0};
    Colour albedo;
    Colour glow;
};

constexpr double HalfWidth = 2.3;
constexpr double FloorY = -1.55;
constexpr double CeilingY = 1.95;
constexpr double EndZ = 46.0;

struct Pipe {
    double x, y, radius;
    Colour colour;
};

const Pipe pipes[] = {
    {-2.05, 1.35, 0.17, rgb(92, 84, 70)},  {-2.1, 0.98, 0.1, rgb(70, 84, 88)},
    {-2.12, -1.15, 0.13, rgb(88, 62, 44)}, {2.0, 1.5, 0.24, rgb(80, 86, 90)},
    {2.12, 0.92, 0.08, rgb(120, 90, 40)},  {-0.95, 1.78, 0.13, rgb(74, 78, 80)},
    {0.7, 1.72, 0.19, rgb(84, 80, 72)},
};

struct Light {
    Vec3 position;
    Colour colour;
    double strength;
};

// The warning beacon on the right-hand wall, and the few ceiling lamps that still work.
const Vec3 beaconPosition{2.12, 1.05, 11.0};
const Light lights[] = {
    {beaconPosition + Vec3{-0.25, 0, 0}, rgb(255, 70, 25), 3.2},
    {{0.0, 1.7, 4.0}, rgb(150, 180, 200), 0.9},
    {{0.0, 1.7, 16.0}, rgb(150, 180, 200), 1.0},
    {{0.0, 1.7, 22.0}, rgb(150, 180, 200), 1.2},
    {{0.0, 1.7, 34.0}, rgb(150, 180, 200), 0.9},
    {{0.3, 0.2, 44.5}, rgb(60, 200, 120), 0.9},
};

void hitPlane(const Vec3& dir, double t, Vec3 normal, Hit& hit)
{
    if (t > 0 && t < hit.distance) {
        hit.distance = t;
        hit.point = dir * t;
        hit.normal = normal;
    }
}

void shadeWall(Hit& hit)
{
    const Vec3& p = hit.point;
    const double side = p.x < 0 ? -1.0 : 1.0;
    const double seam =
        std::min(std::fabs(std::fmod(p.z, 3.0)), 3.0 - std::fabs(std::fmod(p.z, 3.0)));
    Colour base = p.y < -0.4 ? rgb(46, 50, 52) : rgb(62, 66, 66);
    base = base * (0.75 + 0.45 * grime(p.z * 0.9, p.y * 1.3, side < 0 ? 11 : 12));
    if (seam < 0.04 || std::fabs(p.y + 0.4) < 0.03)
        base = base * 0.45;
    // A kick strip of darker steel along the foot of the walls.
    if (p.y < -1.3)
        base = rgb(30, 32, 33) * (0.8 + 0.4 * grime(p.z * 2.0, p.y * 4.0, 13));
    hit.albedo = base;
}

void shadeFloor(Hit& hit)
{
    const Vec3& p = hit.point;
    const double plate = std::fmod(std::fabs(p.z), 1.5);
    Colour base = rgb(40, 42, 43) * (0.7 + 0.5 * grime(p.x * 1.7, p.z * 0.8, 21));
    if (plate < 0.04 || std::fabs(p.x) < 0.03)
        base = base * 0.5;
    // Grating holes: a fine grid that fades with distance before it can shimmer.
    const double gx = std::fmod(std::fabs(p.x) * 8.0, 1.0);
    const double gz = std::fmod(std::fabs(p.z) * 8.0, 1.0);
    const double fade = smoothstep(8.0, 3.0, p.z);
    if ((gx < 0.25 || gz < 0.25) && fade > 0)
        base = base * (1.0 - 0.35 * fade);
    if (std::fabs(p.x) > HalfWidth - 0.3 && std::fabs(p.x) < HalfWidth - 0.12)
        base = hazard(p.z, 0.0, 0.3) * 0.55;
    hit.albedo = base;
}

void shadeCeiling(Hit& hit)
{
    const Vec3& p = hit.point;
    Colour base = rgb(34, 36, 38) * (0.7 + 0.4 * grime(p.x, p.z * 0.5, 31));
    if (std::fmod(p.z, 4.0) < 0.5)
        base = rgb(26, 27, 28);
    // Lamp housings every six units; only some still glow.
    const double lampZ = std::fmod(p.z + 1.0, 6.0);
    if (std::fabs(p.x) < 0.22 && lampZ < 1.2) {
        const int lamp = static_cast<int>((p.z + 1.0) / 6.0);
        const bool lit = lamp == 0 || lamp == 2 || lamp == 3 || lamp == 5;
        base = rgb(50, 52, 54);
        if (lit)
            hit.glow = rgb(170, 200, 215) * 0.9;
    }
    hit.albedo = base;
}

void shadeEndWall(Hit& hit)
{
    const Vec3& p = hit.point;
    Colour base = rgb(52, 56, 58) * (0.8 + 0.4 * grime(p.x * 2, p.y * 2, 41));
    // A blast door in a hazard-striped frame, with a green lamp above it.
    if (std::fabs(p.x) < 1.3 && p.y < 1.0) {
        base = rgb(58, 62, 60);
        if (std::fabs(p.x) > 1.05 || p.y > 0.8)
            base = hazard(p.x, p.y, 0.25) * 0.8;
        else if (std::fabs(p.x) < 0.02)
            base = rgb(15, 15, 15);
    }
    if (std::fabs(p.x - 0.3) < 0.25 && std::fabs(p.y - 1.25) < 0.08)
        hit.glow = rgb(60, 230, 130) * 1.6;
    hit.albedo = base;
}

void hitPipes(const Vec3& dir, Hit& hit)
{
    for (const Pipe& pipe : pipes) {
        // A cylinder along z: solve |t * dir.xy - centre| = radius.
        const double a = dir.x * dir.x + dir.y * dir.y;
        const double b = -2.0 * (dir.x * pipe.x + dir.y * pipe.y);
        const double c = pipe.x * pipe.x + pipe.y * pipe.y - pipe.radius * pipe.radius;
        const double disc = b * b - 4 * a * c;
        if (disc < 0)
            continue;
        const double t = (-b - std::sqrt(disc)) / (2 * a);
        if (t <= 0 || t >= hit.distance)
            continue;
        hit.distance = t;
        hit.point = dir * t;
        hit.normal = normalized({hit.point.x - pipe.x, hit.point.y - pipe.y, 0});
        Colour colour = pipe.colour * (0.75 + 0.4 * grime(hit.point.z * 0.7, pipe.x * 5, 51));
        // Flanges every five units, brighter where the paint is fresh.
        if (std::fmod(hit.point.z + pipe.x * 3.0, 5.0) < 0.18)
            colour = colour * 1.35;
        hit.albedo = colour;
        hit.glow = Colour();
    }
}

Hit castRay(const Vec3& dir)
{
    Hit hit;
    if (dir.x < 0)
        hitPlane(dir, -HalfWidth / dir.x, {1, 0, 0}, hit);
    if (dir.x > 0)
        hitPlane(dir, HalfWidth / dir.x, {-1, 0, 0}, hit);
    if (dir.y < 0)
        hitPlane(dir, FloorY / dir.y, {0, 1, 0}, hit);
    if (dir.y > 0)
        hitPlane(dir, CeilingY / dir.y, {0, -1, 0}, hit);
    hitPlane(dir, EndZ / dir.z, {0, 0, -1}, hit);

    if (hit.normal.x != 0)
        shadeWall(hit);
    else if (hit.normal.y > 0)
        shadeFloor(hit);
    else if (hit.normal.y < 0)
        shadeCeiling(hit);
    else
        shadeEndWall(hit);
    hitPipes(dir, hit);
    return hit;
}

Colour lightAt(const Hit& hit, const Vec3& dir)
{
    Colour light = rgb(40, 45, 50);
    for (const Light& lamp : lights) {
        const Vec3 toLight = lamp.position - hit.point;
        const double distance = length(toLight);
        const Vec3 l = toLight * (1.0 / distance);
        const double diffuse = std::max(0.0, dot(hit.normal, l));
        const double falloff = lamp.strength / (1.0 + 0.35 * distance * distance);
        light = light + lamp.colour * (diffuse * falloff);
        // A wet sheen on the floor catches the lamps.
        if (hit.normal.y > 0) {
            const Vec3 half = normalized(l - normalized(dir));
            const double specular = std::pow(std::max(0.0, dot(hit.normal, half)), 40.0);
            light = light + lamp.colour * (specular * falloff * 1.5);
        }
    }
    return light;
}

Colour traceCorridor(double px, double py)
{
    // Vanishing point right of the widget column, so the deep end shows beside it.
    constexpr double vanishX = 905.0;
    constexpr double vanishY = 345.0;
    constexpr double focal = 600.0;
    const Vec3 dir{(px - vanishX) / focal, (vanishY - py) / focal, 1.0};
    const Hit hit = castRay(dir);
    Colour colour = hit.albedo * lightAt(hit, dir) + hit.glow;
    // Haze thickens with depth.
    const double haze = 1.0 - std::exp(-hit.distance / 20.0);
    return mix(colour, rgb(16, 22, 26), haze);
}

// Where a point of the corridor lands on the picture.
sf::Vector2<double> project(const Vec3& p)
{
    return {905.0 + 600.0 * p.x / p.z, 345.0 - 600.0 * p.y / p.z};
}

sf::Image paintBackLayer()
{
    Canvas picture(Width, Height);
    // Four rays per pixel smooth the pipe edges and the distant seams.
    const double offsets[4][2] = {{0.25, 0.25}, {0.75, 0.25}, {0.25, 0.75}, {0.75, 0.75}};
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            Colour sum = rgb(0, 0, 0);
            for (const auto& o : offsets)
                sum = sum + traceCorridor(x + o[0], y + o[1]);
            picture.set(x, y, sum * 0.25f);
        }
    }

    // The beacon's halo and the two beams of its rotating mirror, added in screen space.
    const sf::Vector2<double> beacon = project(beaconPosition);
    const double beamAngles[2] = {2.55, 3.55};
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const double dx = x - beacon.x;
            const double dy = y - beacon.y;
            const double r = std::sqrt(dx * dx + dy * dy);
            picture.brighten(x, y,
                             rgb(255, 90, 40) * static_cast<float>(1.1 * std::exp(-r * r / 60.0) +
                                                                   0.35 * std::exp(-r / 38.0)));
            const double angle = std::atan2(dy, dx) + pi;
            for (double beam : beamAngles) {
                const double off = std::fabs(std::remainder(angle - beam, 2 * pi));
                const double spread = 0.09 + 0.0001 * r;
                if (off < spread)
                    picture.brighten(
                        x, y,
                        rgb(255, 80, 35) *
                            static_cast<float>(0.16 * (1 - off / spread) * std::exp(-r / 520.0)));
            }
        }
    }

    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            // Keep the picture dim, darkest under the widget column and towards the corners.
            const double nx = (x - Width * 0.6) / Width;
            const double ny = (y - Height * 0.45) / Height;
            const double vignette = 1.0 - 0.9 * (nx * nx + ny * ny);
            const double column =
                1.0 - 0.45 * smoothstep(880.f, 300.f, x) * smoothstep(200.f, 330.f, y);
            const Colour c = picture.get(x, y) * static_cast<float>(vignette * column);
            const float grain = (hash(x, y, 77) - 0.5f) * 0.025f;
            // A gentle filmic curve keeps the glow from clipping harshly.
            const auto filmic = [grain](float v) { return v / (1.f + 0.6f * v) * 1.45f + grain; };
            picture.set(x, y, {filmic(c.r), filmic(c.g), filmic(c.b)});
        }
    }
    return picture.toImage();
}

// ---------------------------------------------------------------- shapes for the front layer

// Coverage of a shape over a box of pixels, 4 by 4 samples each, merged into a mask.
struct Mask {
    std::vector<float> cover = std::vector<float>(static_cast<std::size_t>(Width * Height), 0.f);

    float& at(int x, int y) { return cover[static_cast<std::size_t>(y * Width + x)]; }
    float get(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= Width || y >= Height)
            return 0.f;
        return cover[static_cast<std::size_t>(y * Width + x)];
    }

    void add(double left, double top, double right, double bottom,
             const std::function<bool(double, double)>& inside)
    {
        const int x0 = std::max(0, static_cast<int>(std::floor(left)));
        const int y0 = std::max(0, static_cast<int>(std::floor(top)));
        const int x1 = std::min(Width - 1, static_cast<int>(std::ceil(right)));
        const int y1 = std::min(Height - 1, static_cast<int>(std::ceil(bottom)));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                int count = 0;
                for (int sy = 0; sy < 4; ++sy) {
                    for (int sx = 0; sx < 4; ++sx) {
                        if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0))
                            ++count;
                    }
                }
                at(x, y) = std::max(at(x, y), count / 16.f);
            }
        }
    }

    void rect(double left, double top, double right, double bottom)
    {
        add(left, top, right, bottom,
            [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; });
    }

    void ring(double cx, double cy, double inner, double outer)
    {
        add(cx - outer, cy - outer, cx + outer, cy + outer, [=](double x, double y) {
            const double r = std::hypot(x - cx, y - cy);
            return r >= inner && r < outer;
        });
    }

    // A straight bar of the given width between two points, with square ends.
    void bar(double ax, double ay, double bx, double by, double width)
    {
        const double len = std::hypot(bx - ax, by - ay);
        const double ux = (bx - ax) / len;
        const double uy = (by - ay) / len;
        const double pad = width;
        add(std::min(ax, bx) - pad, std::min(ay, by) - pad, std::max(ax, bx) + pad,
            std::max(ay, by) + pad, [=](double x, double y) {
                const double along = (x - ax) * ux + (y - ay) * uy;
                const double across = -(x - ax) * uy + (y - ay) * ux;
                return along >= 0 && along <= len && std::fabs(across) <= width / 2;
            });
    }
};

// Block capitals on a grid seven units high, built from straight strokes clipped to the
// letter's box, some with chamfered corners. Units are strokes' centre lines.
struct Stroke {
    double ax, ay, bx, by;
};

struct Glyph {
    double width;
    std::vector<Stroke> strokes;
    bool chamfered;
};

constexpr double StrokeWidth = 1.3;
constexpr double H = StrokeWidth / 2;

Glyph glyph(char letter)
{
    switch (letter) {
    case 'K':
        return {5.0, {{H, 0, H, 7}, {5.3, -0.3, 1.0, 4.3}, {2.3, 3.0, 5.3, 7.3}}, false};
    case 'E':
        return {
            4.4, {{H, 0, H, 7}, {0, H, 4.4, H}, {0, 3.5, 3.7, 3.5}, {0, 7 - H, 4.4, 7 - H}}, false};
    case 'S':
        return {4.6,
                {{0, H, 4.6, H},
                 {H, 0, H, 3.5},
                 {0, 3.5, 4.6, 3.5},
                 {4.6 - H, 3.5, 4.6 - H, 7},
                 {0, 7 - H, 4.6, 7 - H}},
                true};
    case 'T':
        return {5.0, {{0, H, 5.0, H}, {2.5, 0, 2.5, 7}}, false};
    case 'R':
        return {4.8,
                {{H, 0, H, 7},
                 {0, H, 4.6, H},
                 {4.6 - H, 0, 4.6 - H, 3.9},
                 {0, 3.6, 4.6, 3.6},
                 {2.4, 3.6, 4.9, 7.4}},
                true};
    case 'I':
        return {StrokeWidth, {{H, 0, H, 7}}, false};
    case 'V':
        return {5.4, {{0.55, -0.2, 2.7, 7.4}, {4.85, -0.2, 2.7, 7.4}}, false};
    case 'O':
        return {4.6,
                {{H, 0, H, 7}, {4.6 - H, 0, 4.6 - H, 7}, {0, H, 4.6, H}, {0, 7 - H, 4.6, 7 - H}},
                true};
    case 'N':
        return {4.8, {{H, 0, H, 7}, {4.8 - H, 0, 4.8 - H, 7}, {H, 0.2, 4.8 - H, 6.8}}, false};
    default:
        return {3.0, {}, false};
    }
}

bool insideGlyph(const Glyph& g, double u, double v)
{
    if (u < 0 || u >= g.width || v < 0 || v >= 7)
        return false;
    if (g.chamfered) {
        const double c = 1.0;
        if (u + v < c || (g.width - u) + v < c || u + (7 - v) < c || (g.width - u) + (7 - v) < c)
            return false;
    }
    for (const Stroke& s : g.strokes) {
        const double len = std::hypot(s.bx - s.ax, s.by - s.ay);
        const double ux = (s.bx - s.ax) / len;
        const double uy = (s.by - s.ay) / len;
        const double along = (u - s.ax) * ux + (v - s.ay) * uy;
        const double across = -(u - s.ax) * uy + (v - s.ay) * ux;
        if (along >= -H && along <= len + H && std::fabs(across) <= H)
            return true;
    }
    return false;
}

// Writes the word into the mask with its top-left corner at (left, top); returns its right edge.
double writeWord(Mask& mask, const char* word, double left, double top, double unit)
{
    double x = left;
    for (const char* c = word; *c; ++c) {
        const Glyph g = glyph(*c);
        const double originX = x;
        mask.add(originX, top, originX + g.width * unit, top + 7 * unit, [&](double px, double py) {
            return insideGlyph(g, (px - originX) / unit, (py - top) / unit);
        });
        x += (g.width + 1.05) * unit;
    }
    return x - 1.05 * unit;
}

// A soft copy of a mask: box blur of the given radius, run twice.
Mask blurred(const Mask& source, int radius)
{
    Mask a = source;
    Mask b;
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += a.get(x + k, y);
                b.at(x, y) = sum / (2 * radius + 1);
            }
        }
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                float sum = 0;
                for (int k = -radius; k <= radius; ++k)
                    sum += b.get(x, y + k);
                a.at(x, y) = sum / (2 * radius + 1);
            }
        }
    }
    return a;
}

void paintSilhouettes(Canvas& canvas)
{
    Mask shapes;
    // A steel column at the left edge, with bolted plates.
    shapes.rect(0, 0, 44, Height);
    shapes.rect(44, 0, 58, Height);
    for (int y = 120; y < Height; y += 210)
        shapes.rect(0, y, 66, y + 22);

    // The handrail of the walkway the viewer stands on.
    shapes.bar(58, 652, Width, 646, 11);
    shapes.bar(58, 700, Width, 696, 7);
    for (double x : {58.0, 330.0, 610.0, 890.0, 1170.0})
        shapes.rect(x, 646, x + 13, Height);
    shapes.rect(0, 726, Width, Height);

    // A heavy pipe overhead on the right, hung from straps, and its vertical return.
    shapes.rect(540, 0, Width, 34);
    for (double x : {600.0, 840.0, 1080.0})
        shapes.rect(x - 8, 0, x + 26, 42);
    for (double x : {720.0, 960.0})
        shapes.rect(x, 30, x + 8, 52);
    shapes.rect(1214, 0, 1262, Height);
    for (double y : {80.0, 420.0, 610.0})
        shapes.rect(1206, y, 1270, y + 16);
    // Its valve: a hand wheel with four spokes.
    shapes.ring(1188, 300, 40, 50);
    shapes.bar(1148, 300, 1228, 300, 7);
    shapes.bar(1188, 260, 1188, 340, 7);
    shapes.ring(1188, 300, 0, 11);
    shapes.rect(1188, 294, 1214, 306);

    // A cable sagging from the overhead pipe.
    shapes.add(560, 20, 1220, 130, [](double x, double y) {
        const double t = (x - 580) / 600;
        if (t < 0 || t > 1)
            return false;
        const double sag = 34 + 80 * 4 * t * (1 - t);
        return std::fabs(y - sag) < 3.2;
    });

    // Near-black fittings, shaded as if embossed: the soft mask's slope gives a normal, lit from
    // the warning light up on the right and filled coolly from the other side.
    const Mask soft = blurred(shapes, 3);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const float cover = shapes.get(x, y);
            if (cover <= 0)
                continue;
            const double nx = soft.get(x - 1, y) - soft.get(x + 1, y);
            const double ny = soft.get(x, y - 1) - soft.get(x, y + 1);
            const double facing = (nx * 0.8 + ny * 0.6) * 4.0;
            Colour colour = rgb(12, 14, 16) + rgb(120, 58, 34) * std::clamp(facing, 0.0, 1.0) +
                            rgb(30, 40, 48) * std::clamp(-facing, 0.0, 1.0);
            colour = colour * (0.85 + 0.3 * valueNoise(x / 9.0, y / 9.0, 91));
            canvas.blend(x, y, colour, cover);
        }
    }
}

void paintTitle(Canvas& canvas)
{
    // Small enough to end left of the statistics panel (x 760) wherever the parallax puts it.
    constexpr double left = 130.0;
    constexpr double top = 150.0;
    constexpr double unit = 12.5;
    Mask letters;
    const double right = writeWord(letters, "KESTRIVON", left, top, unit);

    // A soft shadow under the letters and a dark rim around them keep them legible anywhere.
    const Mask shadow = blurred(letters, 6);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const float s = shadow.get(x - 6, y - 7);
            if (s > 0)
                canvas.blend(x, y, rgb(0, 0, 0), 0.75 * s);
        }
    }
    const Mask rim = blurred(letters, 2);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const float r = std::min(1.f, rim.get(x, y) * 3.f);
            if (r > 0)
                canvas.blend(x, y, rgb(4, 6, 8), r);
        }
    }

    // Brushed steel: light at the top of each letter, darker below, with a bevel and wear.
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const float cover = letters.get(x, y);
            if (cover <= 0)
                continue;
            const double v = (y - top) / (7 * unit);
            Colour colour = mix(rgb(228, 234, 240), rgb(112, 126, 140), smoothstep(0.05, 1.0, v));
            if (v > 0.48 && v < 0.53)
                colour = colour * 1.1;
            const double brushed = valueNoise(x / 40.0, y * 1.5, 61);
            colour = colour * (0.9 + 0.16 * brushed);
            if (letters.get(x, y - 2) < cover)
                colour = mix(colour, rgb(255, 255, 255), 0.6);
            if (letters.get(x, y + 2) < cover)
                colour = colour * 0.55;
            if (grime(x / 7.0, y / 7.0, 71) > 0.78)
                colour = colour * 0.8;
            canvas.blend(x, y, colour, cover);
        }
    }

    // A hazard strip under the title, worn at the edges.
    const double stripTop = top + 7 * unit + 18;
    for (int y = static_cast<int>(stripTop); y < static_cast<int>(stripTop) + 10; ++y) {
        for (int x = static_cast<int>(left); x < static_cast<int>(right); ++x) {
            const double wear = grime(x / 11.0, y / 5.0, 81);
            const double fadeOut = smoothstep(right, right - 160, x);
            canvas.blend(x, y, hazard(x, y, 14) * (0.85 + 0.2 * wear),
                         0.92 * fadeOut * (wear < 0.7 ? 1.0 : 0.4));
        }
    }
}

sf::Image paintFrontLayer()
{
    Canvas canvas(Width, Height);
    paintSilhouettes(canvas);
    paintTitle(canvas);
    return canvas.toImage();
}

} // namespace

void writeMenuLayers(const std::string& dataDir)
{
    saveImage(paintBackLayer(), dataFile(dataDir, assets::textureFile("menuBG")));
    saveImage(paintFrontLayer(), dataFile(dataDir, assets::textureFile("menuFG")));
}
