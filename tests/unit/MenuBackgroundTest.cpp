#include "ui/MenuBackground.hpp"

#include <gtest/gtest.h>

namespace {

TEST(MenuBackgroundTest, LayersDriftApartAcrossTheWindowAndStopAtItsEdges)
{
    MenuBackground background;
    const struct {
        int pointerX;
        float backX;
        float frontX;
    } cases[] = {{0, 0.f, 0.f}, {640, -3.2f, 6.4f}, {1280, -6.4f, 12.8f},
                 {-300, 0.f, 0.f}, {5000, -6.4f, 12.8f}};
    for (const auto& c : cases) {
        background.update(c.pointerX, 400);
        EXPECT_FLOAT_EQ(background.getBackPosition().x, c.backX) << c.pointerX;
        EXPECT_FLOAT_EQ(background.getFrontPosition().x, c.frontX) << c.pointerX;
        EXPECT_EQ(background.getBackPosition().y, 0.f);
        EXPECT_EQ(background.getFrontPosition().y, 0.f);
    }
}

TEST(MenuBackgroundTest, VeilFlickersFaintlyInGrey)
{
    MenuBackground background;
    for (int frame = 0; frame < 50; ++frame) {
        background.update(100, 100);
        const sf::Color veil = background.getVeilColor();
        EXPECT_EQ(veil.r, 135);
        EXPECT_EQ(veil.g, 135);
        EXPECT_EQ(veil.b, 135);
        EXPECT_LT(veil.a, 8);
    }
}

}
