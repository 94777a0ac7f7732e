#include "actors/RayCaster.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

using Grid = std::vector<std::vector<int>>;

// A corridor running east from the viewer's cell (1;1), closed by `end` at (2;1).
Grid corridorEndingIn(int end)
{
    return {{1, 1, 1, 1}, {1, 0, end, 1}, {1, 1, 1, 1}};
}

TEST(RayCasterTest, MiddleColumnShowsTheTileAheadByItsDistanceDimmedByTheDark)
{
    const Grid open = {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}};
    const sf::Vector2f east(1.f, 0.f);
    // The viewer on (x;1.5) facing a way; the top of the line and its light.
    const std::tuple<Grid, float, sf::Vector2f, float, float, sf::Uint8> cases[] = {
        {corridorEndingIn(1), 1.5f, east, 0.7f, -72.f, 242},
        {corridorEndingIn(1), 1.5f, east, 3.5f, -72.f, 48},
        // An open and a closed door, the exit: each shows its own tile of the atlas.
        {corridorEndingIn(10), 1.5f, east, 0.7f, -72.f, 242},
        {corridorEndingIn(11), 1.5f, east, 0.7f, -72.f, 242},
        {corridorEndingIn(24), 1.5f, east, 0.7f, -72.f, 242},
        // Within arm's length the light saturates instead of wrapping.
        {corridorEndingIn(1), 1.95f, east, 0.7f, -3960.f, 255},
        // A ray leaving an open grid stops at its edge, across a row of cells or a column.
        {open, 1.5f, east, 0.7f, 216.f, 145},
        {open, 1.5f, {0.f, -1.f}, 0.7f, 216.f, 145},
        // A viewer inside a wall cell (a door shut on the player) sees it across the column.
        {corridorEndingIn(1), 2.5f, east, 0.7f, -999640.f, 0},
    };
    for (const auto& [grid, x, direction, darkness, top, light] : cases) {
        SCOPED_TRACE(top);
        const Camera camera{{x, 1.5f}, direction, {-direction.y, direction.x}, 1.5f, darkness};
        sf::Vertex line[2];
        castColumn(grid, camera, AtlasLayout(), 640, line);
        EXPECT_EQ(line[0].position, sf::Vector2f(640.f, top));
        EXPECT_EQ(line[1].position, sf::Vector2f(640.f, 720.f - top));
        for (const sf::Vertex& end : line)
            EXPECT_EQ(end.color, sf::Color(light, light, light));
        // The cell met, or the grid's edge, which shows as a wall.
        const float tile = static_cast<float>(std::max(grid[1][2], 1) - 1) * 250.f;
        EXPECT_GE(line[0].texCoords.x, tile);
        EXPECT_LT(line[0].texCoords.x, tile + 250.f);
        EXPECT_EQ(line[1].texCoords, line[0].texCoords + sf::Vector2f(0.f, 248.f));
        EXPECT_EQ(line[0].texCoords.y, 1.f);
    }
}

// North of the corridor's middle is on the viewer's left facing east and on the right facing
// west: the ray meets that side of the tile, so no face shows mirrored.
TEST(RayCasterTest, FacesShowTheirTileTheRightWayRoundFromEitherSide)
{
    const Grid corridor = {{1, 1, 1, 1}, {1, 0, 0, 1}, {1, 1, 1, 1}};
    const AtlasLayout atlas;
    for (const float way : {1.f, -1.f}) {
        const Camera camera{{2.f - 0.5f * way, 1.3f}, {way, 0.f}, {0.f, way}, 1.5f, 0.7f};
        sf::Vertex line[2];
        castColumn(corridor, camera, atlas, 640, line);
        const bool leftHalf = line[0].texCoords.x < static_cast<float>(atlas.tileSize) / 2.f;
        EXPECT_EQ(leftHalf, way > 0.f) << way;
    }
}

TEST(RayCasterTest, EveryColumnOfATurningViewStaysWithinTheRoom)
{
    const Grid room = {
        {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}, {1, 0, 0, 0, 1}, {1, 0, 0, 0, 1}, {1, 1, 1, 1, 1}};
    for (float angle = 0.f; angle < 6.3f; angle += 0.05f) {
        const sf::Vector2f direction(std::cos(angle), std::sin(angle));
        const Camera camera{{2.5f, 2.5f}, direction, {-direction.y, direction.x}, 1.5f, 0.7f};
        for (int column = 0; column < ViewWidth; ++column) {
            sf::Vertex line[2];
            castColumn(room, camera, AtlasLayout(), column, line);
            // Every wall of this room is between half a cell and three cells away.
            ASSERT_GE(line[0].position.y, -72.f) << angle << " " << column;
            ASSERT_LE(line[0].position.y, 360.f - 72.f * 0.99f) << angle << " " << column;
            ASSERT_GE(line[0].texCoords.x, 0.f);
            ASSERT_LT(line[0].texCoords.x, 250.f);
        }
    }
}

} // namespace
