#include "Canvas.hpp"

namespace picture {

Canvas::Canvas(int width, int height, int supersample)
    : width(width), height(height), supersample(supersample), columns(width * supersample),
      rows(height * supersample), samples(static_cast<std::size_t>(columns) * rows, transparent)
{
}

Colour Canvas::get(int sx, int sy) const
{
    const Colour& stored = samples[static_cast<std::size_t>(sy) * columns + sx];
    if (stored.a <= 0.f)
        return transparent;
    return {stored.r / stored.a, stored.g / stored.a, stored.b / stored.a, stored.a};
}

void Canvas::set(int sx, int sy, Colour colour)
{
    sample(sx, sy) = {colour.r * colour.a, colour.g * colour.a, colour.b * colour.a, colour.a};
}

void Canvas::blend(int sx, int sy, Colour colour, float cover)
{
    const float alpha = std::min(colour.a * cover, 1.f);
    if (sx < 0 || sy < 0 || sx >= columns || sy >= rows || alpha <= 0.f)
        return;
    Colour& target = sample(sx, sy);
    const float keep = 1.f - alpha;
    target = {colour.r * alpha + target.r * keep, colour.g * alpha + target.g * keep,
              colour.b * alpha + target.b * keep, alpha + target.a * keep};
}

void Canvas::brighten(int sx, int sy, Colour light)
{
    Colour& target = sample(sx, sy);
    target = {target.r + light.r, target.g + light.g, target.b + light.b, target.a};
}

void Canvas::copyTo(sf::Image& image, unsigned left, unsigned top) const
{
    const float count = static_cast<float>(supersample * supersample);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum = transparent;
            for (int dy = 0; dy < supersample; ++dy) {
                for (int dx = 0; dx < supersample; ++dx) {
                    const Colour& s =
                        samples[static_cast<std::size_t>(y * supersample + dy) * columns +
                                x * supersample + dx];
                    sum = {sum.r + s.r, sum.g + s.g, sum.b + s.b, sum.a + s.a};
                }
            }
            const float alpha = sum.a / count;
            sf::Color pixel = sf::Color::Transparent;
            if (alpha > 0.f) {
                const auto byte = [](float value) {
                    return static_cast<sf::Uint8>(std::lround(255.f * clamp01(value)));
                };
                const float unpremultiply = 1.f / (count * alpha);
                pixel = sf::Color(byte(sum.r * unpremultiply), byte(sum.g * unpremultiply),
                                  byte(sum.b * unpremultiply), byte(alpha));
            }
            image.setPixel(left + static_cast<unsigned>(x), top + static_cast<unsigned>(y), pixel);
        }
    }
}

sf::Image Canvas::toImage() const
{
    sf::Image image;
    image.create(static_cast<unsigned>(width), static_cast<unsigned>(height),
                 sf::Color::Transparent);
    copyTo(image);
    return image;
}

} // namespace picture
