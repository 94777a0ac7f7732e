#include "ui/MenuBackground.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <tuple>

namespace {

// The back layer drifts left a two-hundredth of the pointer's x, the front one right a hundredth;
// a pointer beyond the window counts as on its nearest edge. Each redraw gives the grey veil a
// fresh alpha from 0 to 7.
TEST(MenuBackgroundTest, LayersDriftApartWithThePointerUpToTheEdgesUnderAFlickeringVeil)
{
    MenuBackground background;
    EXPECT_EQ(background.getFrontPosition(), sf::Vector2f(-10.f, 0.f));
    const std::tuple<int, float, float> drifts[] = {
        {0, 0.f, 0.f},    {640, -3.2f, 6.4f},   {1280, -6.4f, 12.8f},
        {-300, 0.f, 0.f}, {5000, -6.4f, 12.8f}, {1, -0.005f, 0.01f},
    };
    for (const auto& [x, back, front] : drifts) {
        background.update(x, 400);
        EXPECT_EQ(background.getBackPosition(), sf::Vector2f(back, 0.f)) << x;
        EXPECT_EQ(background.getFrontPosition(), sf::Vector2f(front, 0.f)) << x;
    }
    std::srand(3);
    std::set<int> alphas;
    for (int frame = 0; frame < 200; ++frame) {
        background.update(640, 400);
        const sf::Color veil = background.getVeilColor();
        EXPECT_EQ(veil, sf::Color(135, 135, 135, veil.a));
        alphas.insert(veil.a);
    }
    EXPECT_EQ(alphas, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

} // namespace
