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

struct Line {
    sf::Vertex top;
    sf::Vertex bottom;
};

// What screen column `column` shows from `position`, facing east unless told otherwise.
Line cast(const Grid& grid, sf::Vector2f position, int column, float darkness = 0.7f,
          sf::Vector2f direction = {1.f, 0.f})
{
    const Camera camera{position, direction, {-direction.y, direction.x}, 1.5f, darkness};
    sf::Vertex line[2];
    castColumn(grid, camera, AtlasLayout(), column, line);
    return {line[0], line[1]};
}

TEST(RayCasterTest, WallOneCellAheadFillsTheMiddleColumnDimmedByTheDark)
{
    const Line line = cast(corridorEndingIn(1), {1.5f, 1.5f}, 640);
    EXPECT_EQ(line.top.position, sf::Vector2f(640.f, -72.f));
    EXPECT_EQ(line.bottom.position, sf::Vector2f(640.f, 792.f));
    EXPECT_EQ(line.top.color, sf::Color(242, 242, 242, 255));
    EXPECT_EQ(line.bottom.color, line.top.color);
    EXPECT_EQ(line.top.texCoords.y, 1.f);
    EXPECT_EQ(line.bottom.texCoords.y, 249.f);
    EXPECT_EQ(cast(corridorEndingIn(1), {1.5f, 1.5f}, 640, 3.5f).top.color,
              sf::Color(48, 48, 48, 255));
    // Within arm's length the light saturates instead of wrapping.
    EXPECT_EQ(cast(corridorEndingIn(1), {1.95f, 1.5f}, 640).top.color, sf::Color::White);
}

TEST(RayCasterTest, EachCellValueShowsItsOwnAtlasTile)
{
    // A wall, an open and a closed door, the exit.
    for (int value : {1, 10, 11, 24}) {
        for (int column : {300, 640, 1000}) {
            const Line line = cast(corridorEndingIn(value), {1.5f, 1.5f}, column);
            EXPECT_GE(line.top.texCoords.x, (value - 1) * 250.f) << value << " " << column;
            EXPECT_LT(line.top.texCoords.x, value * 250.f) << value << " " << column;
            EXPECT_EQ(line.top.texCoords.x, line.bottom.texCoords.x);
        }
    }
}

TEST(RayCasterTest, EveryColumnOfATurningViewStaysWithinTheRoom)
{
    const Grid room = {
        {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}, {1, 0, 0, 0, 1}, {1, 0, 0, 0, 1}, {1, 1, 1, 1, 1}};
    for (float angle = 0.f; angle < 6.3f; angle += 0.05f) {
        for (int column = 0; column < ViewWidth; ++column) {
            const Line line =
                cast(room, {2.5f, 2.5f}, column, 0.7f, {std::cos(angle), std::sin(angle)});
            // Every wall of this room is between half a cell and three cells away.
            ASSERT_GE(line.top.position.y, -72.f) << angle << " " << column;
            ASSERT_LE(line.top.position.y, 360.f - 72.f * 0.99f) << angle << " " << column;
            ASSERT_LT(line.top.texCoords.x, 250.f);
            ASSERT_GE(line.top.texCoords.x, 0.f);
        }
    }
}

TEST(RayCasterTest, RayLeavingAnOpenGridStopsAtItsEdge)
{
    const Grid open = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    const Line east = cast(open, {1.5f, 1.5f}, 640);
    EXPECT_EQ(east.top.position.y, 360.f - 144.f);
    EXPECT_EQ(east.bottom.position.y, 360.f + 144.f);
    EXPECT_LT(east.top.texCoords.x, 250.f);
    for (int column : {0, 640, 1279})
        EXPECT_TRUE(
            std::isfinite(cast(open, {0.5f, 0.5f}, column, 0.7f, {-1.f, 0.f}).top.position.y));

    // A viewer inside a wall cell sees that wall across the whole column.
    const Line inside = cast(corridorEndingIn(1), {2.5f, 1.5f}, 640);
    EXPECT_LT(inside.top.position.y, 0.f);
    EXPECT_GT(inside.bottom.position.y, 720.f);
}

} // namespace
