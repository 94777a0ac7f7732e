#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

// Every desktop icon is a square of its nominal size: a shape on a transparent ground, so the
// desktop's own background shows at the corners.
TEST(IconArtTest, EveryIconIsAnOpaqueShapeOnATransparentSquareOfItsSize)
{
    for (const char* name : {"kestrivon", "kestrivon-console"}) {
        for (unsigned size : {16u, 24u, 32u, 48u, 64u, 128u, 256u}) {
            const std::string path =
                "data/icons/" + std::string(name) + "-" + std::to_string(size) + ".png";
            sf::Image icon;
            ASSERT_TRUE(icon.loadFromFile(path)) << path;
            EXPECT_EQ(icon.getSize(), sf::Vector2u(size, size)) << path;
            EXPECT_EQ(icon.getPixel(0, 0).a, 0) << path;
            EXPECT_EQ(icon.getPixel(size / 2, size / 2 - 1).a, 255) << path;
        }
    }
}

} // namespace
