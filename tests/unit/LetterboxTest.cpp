#include "core/Letterbox.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <utility>

namespace {

struct Fit {
    sf::Vector2u window;
    sf::FloatRect viewport;
};

TEST(LetterboxTest, ThePictureFillsTheWindowScaledToFitAndCentredBetweenBars)
{
    const Fit fits[] = {
        {{1280, 720}, {0.f, 0.f, 1.f, 1.f}},       {{1920, 1080}, {0.f, 0.f, 1.f, 1.f}},
        {{1920, 1200}, {0.f, 0.05f, 1.f, 0.9f}},   {{1024, 768}, {0.f, 0.125f, 1.f, 0.75f}},
        {{2560, 1080}, {0.125f, 0.f, 0.75f, 1.f}}, {{640, 480}, {0.f, 0.125f, 1.f, 0.75f}},
    };
    for (const Fit& fit : fits) {
        SCOPED_TRACE(testing::Message() << fit.window.x << "x" << fit.window.y);
        const sf::FloatRect viewport = letterboxViewport(fit.window);
        EXPECT_FLOAT_EQ(viewport.left, fit.viewport.left);
        EXPECT_FLOAT_EQ(viewport.top, fit.viewport.top);
        EXPECT_FLOAT_EQ(viewport.width, fit.viewport.width);
        EXPECT_FLOAT_EQ(viewport.height, fit.viewport.height);
    }
}

TEST(LetterboxTest, PixelsOfAFittedTargetMapIntoThePictureAndItsBarsOutside)
{
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
