#include "core/Letterbox.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(LetterboxTest, ThePictureIsScaledToFitCentredBetweenBarsAndPixelsMapIntoIt)
{
    const std::pair<sf::Vector2u, sf::FloatRect> fits[] = {
        {{1280, 720}, {0.f, 0.f, 1.f, 1.f}},       {{1920, 1080}, {0.f, 0.f, 1.f, 1.f}},
        {{1920, 1200}, {0.f, 0.05f, 1.f, 0.9f}},   {{1024, 768}, {0.f, 0.125f, 1.f, 0.75f}},
        {{2560, 1080}, {0.125f, 0.f, 0.75f, 1.f}}, {{640, 480}, {0.f, 0.125f, 1.f, 0.75f}},
    };
    for (const auto& [window, expected] : fits) {
        SCOPED_TRACE(testing::Message() << window.x << "x" << window.y);
        const sf::FloatRect viewport = letterboxViewport(window);
        EXPECT_FLOAT_EQ(viewport.left, expected.left);
        EXPECT_FLOAT_EQ(viewport.top, expected.top);
        EXPECT_FLOAT_EQ(viewport.width, expected.width);
        EXPECT_FLOAT_EQ(viewport.height, expected.height);
    }

    // On a fitted target, pixels map into the picture and those of its bars outside.
    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(1920, 1200));
    fitPicture(screen);
    const std::pair<sf::Vector2i, sf::Vector2i> pixels[] = {
        {{960, 600}, {640, 360}}, {{0, 60}, {0, 0}},       {{1919, 1139}, {1279, 719}},
        {{300, 540}, {200, 320}}, {{960, 30}, {640, -20}},
    };
    for (const auto& [pixel, inPicture] : pixels)
        EXPECT_EQ(pictureCoordinates(screen, pixel), inPicture) << pixel.x << "," << pixel.y;
}

} // namespace
