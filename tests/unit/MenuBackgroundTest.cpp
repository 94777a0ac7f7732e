#include "ui/MenuBackground.hpp"

#include <gtest/gtest.h>

namespace {

// The backdrop (1290 pixels wide) must cover the 1280-pixel picture wherever the pointer is; the
// front layer drifts the other way, twice as far, and both stop at the window's edges.
TEST(MenuBackgroundTest, LayersDriftApartWithThePointerAndNeverUncoverThePicture)
{
    MenuBackground background;
    background.update(0, 400);
    float previousBack = background.getBackPosition().x;
    EXPECT_EQ(previousBack, 0.f);
    for (int x : {320, 640, 1280}) {
        background.update(x, 400);
        const sf::Vector2f back = background.getBackPosition();
        const sf::Vector2f front = background.getFrontPosition();
        EXPECT_LT(back.x, previousBack) << x;
        EXPECT_LE(back.x, 0.f) << x;
        EXPECT_GE(back.x + 1290.f, 1280.f) << x;
        EXPECT_FLOAT_EQ(front.x, -2.f * back.x) << x;
        EXPECT_EQ(back.y + front.y, 0.f) << x;
        previousBack = back.x;
    }
    for (const auto& [beyond, edge] : {std::pair{-300, 0}, std::pair{5000, 1280}}) {
        background.update(edge, 400);
        const sf::Vector2f atEdge = background.getBackPosition();
        background.update(beyond, 400);
        EXPECT_EQ(background.getBackPosition(), atEdge) << beyond;
    }
}

} // namespace
