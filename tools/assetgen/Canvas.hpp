#pragma once

#include "Colour.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace picture {

// A picture being painted: premultiplied colours on a grid of samples, supersample by
// supersample per pixel, averaged into pixels when written out. Shapes are placed in pixel
// units; the per-sample operations address the sample grid, which is the pixel grid when the
// canvas is not supersampled.
class Canvas {
public:
    Canvas(int width, int height, int supersample = 1);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getSupersample() const { return supersample; }

    // Paints over the box (x0, y0)-(x1, y1) whatever shade(x, y) gives at each sample centre;
    // a transparent shade leaves the sample as it is.
    template <typename Shade> void paint(float x0, float y0, float x1, float y1, Shade shade)
    {
        const int left = std::max(0, static_cast<int>(std::floor(x0 * supersample)));
        const int top = std::max(0, static_cast<int>(std::floor(y0 * supersample)));
        const int right = std::min(columns, static_cast<int>(std::ceil(x1 * supersample)));
        const int bottom = std::min(rows, static_cast<int>(std::ceil(y1 * supersample)));
        for (int sy = top; sy < bottom; ++sy) {
            for (int sx = left; sx < right; ++sx) {
                const Colour source = shade((sx + 0.5f) / supersample, (sy + 0.5f) / supersample);
                if (source.a > 0.f)
                    blend(sx, sy, source, 1.f);
            }
        }
    }

    // The straight colour of one sample.
    Colour get(int sx, int sy) const;
    void set(int sx, int sy, Colour colour);
    // Lays colour over the sample at its opacity times cover; samples off the canvas are skipped.
    void blend(int sx, int sy, Colour colour, float cover);
    // Adds light to the sample without changing its opacity.
    void brighten(int sx, int sy, Colour light);

    // Averages the samples into pixels and writes them at (left, top) of the image.
    void copyTo(sf::Image& image, unsigned left = 0, unsigned top = 0) const;
    sf::Image toImage() const;

private:
    Colour& sample(int sx, int sy) { return samples[static_cast<std::size_t>(sy) * columns + sx]; }

    int width;
    int height;
    int supersample;
    int columns;
    int rows;
    std::vector<Colour> samples;
};

} // namespace picture
