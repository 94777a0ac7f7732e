#include "actors/RayCaster.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Grid = std::vector<std::vector<int>>;

// A corridor running east from the viewer's cell (1;1), closed by `end` at (2;1).
Grid corridorEndingIn(int end)
{
    return {{1, 1, 1, 1}, {1, 0, end, 1}, {1, 1, 1, 1}};
}

Camera facingEast(sf::Vector2f position, float darkness = 0.7f)
{
    Camera camera;
    camera.position = position;
    camera.direction = {1.f, 0.f};
    camera.plane = {0.f, 1.f};
    camera.darkness = darkness;
    return camera;
}

struct Line {
    sf::Vertex top;
    sf::Vertex bottom;
};

Line cast(const Grid& grid, const Camera& camera, int column)
{
    sf::Vertex line[2];
    castColumn(grid, camera, AtlasLayout(), column, line);
    return {line[0], line[1]};
}

TEST(RayCasterTest, WallOneCellAheadFillsTheMiddleColumn)
{
    const Line line = cast(corridorEndingIn(1), facingEast({1.5f, 1.5f}), 640);
    EXPECT_EQ(line.top.position, sf::Vector2f(640.f, -72.f));
    EXPECT_EQ(line.bottom.position, sf::Vector2f(640.f, 792.f));
    EXPECT_EQ(line.top.color, sf::Color(242, 242, 242, 255));
    EXPECT_EQ(line.bottom.color, line.top.color);
    EXPECT_EQ(line.top.texCoords.y, 1.f);
    EXPECT_EQ(line.bottom.texCoords.y, 249.f);
    EXPECT_GE(line.top.texCoords.x, 0.f);
    EXPECT_LT(line.top.texCoords.x, 250.f);

    const Line dark = cast(corridorEndingIn(1), facingEast({1.5f, 1.5f}, 3.5f), 640);
    EXPECT_EQ(dark.top.color, sf::Color(48, 48, 48, 255));
}

TEST(RayCasterTest, CellValuesPickTheirAtlasTile)
{
    for (int column : {300, 640, 1000}) {
        const Line exit = cast(corridorEndingIn(24), facingEast({1.5f, 1.5f}), column);
        EXPECT_GE(exit.top.texCoords.x, 5750.f) << column;
        EXPECT_LT(exit.top.texCoords.x, 6000.f) << column;
        EXPECT_EQ(exit.top.texCoords.x, exit.bottom.texCoords.x);
    }
    const Line door = cast(corridorEndingIn(11), facingEast({1.5f, 1.5f}), 640);
    EXPECT_GE(door.top.texCoords.x, 2500.f);
    EXPECT_LT(door.top.texCoords.x, 2750.f);
}

TEST(RayCasterTest, EveryColumnOfATurningViewStaysFinite)
{
    const Grid room = {{1, 1, 1, 1, 1},
                       {1, 0, 0, 0, 1},
                       {1, 0, 0, 0, 1},
                       {1, 0, 0, 0, 1},
                       {1, 1, 1, 1, 1}};
    for (float angle = 0.f; angle < 6.3f; angle += 0.05f) {
        Camera camera = facingEast({2.5f, 2.5f});
        camera.direction = {std::cos(angle), std::sin(angle)};
        camera.plane = {-std::sin(angle), std::cos(angle)};
        for (int column = 0; column < ViewWidth; ++column) {
            const Line line = cast(room, camera, column);
            ASSERT_TRUE(std::isfinite(line.top.position.y)) << angle << " " << column;
            // Every wall of this room is between half a cell and three cells away.
            ASSERT_GE(line.top.position.y, -72.f) << angle << " " << column;
            ASSERT_LE(line.top.position.y, 360.f - 72.f * 0.99f) << angle << " " << column;
            ASSERT_LT(line.top.texCoords.x, 250.f);
            ASSERT_GE(line.top.texCoords.x, 0.f);
        }
    }
}

TEST(RayCasterTest, RayThroughAnOpenBorderStopsAtTheEdge)
{
    const Grid open = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    const Line east = cast(open, facingEast({1.5f, 1.5f}), 640);
    EXPECT_EQ(east.top.position.y, 360.f - 144.f);
    EXPECT_EQ(east.bottom.position.y, 360.f + 144.f);
    EXPECT_LT(east.top.texCoords.x, 250.f);

    Camera west = facingEast({0.5f, 0.5f});
    west.direction = {-1.f, 0.f};
    west.plane = {0.f, -1.f};
    for (int column : {0, 640, 1279})
        EXPECT_TRUE(std::isfinite(cast(open, west, column).top.position.y));
}

TEST(RayCasterTest, WallsAtArmsLengthSaturateInsteadOfWrapping)
{
    const Line close = cast(corridorEndingIn(1), facingEast({1.95f, 1.5f}), 640);
    EXPECT_EQ(close.top.color, sf::Color::White);

    // A viewer inside a wall cell sees that wall across the whole column.
    const Line inside = cast(corridorEndingIn(1), facingEast({2.5f, 1.5f}), 640);
    EXPECT_LT(inside.top.position.y, 0.f);
    EXPECT_GT(inside.bottom.position.y, 720.f);
}

}
