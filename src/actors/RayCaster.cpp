#include "actors/RayCaster.hpp"

#include "world/Cell.hpp"

#include <cmath>

namespace {
// Beyond this a wall line is far taller than any screen; the bound keeps the integer
// conversion defined when the viewer touches a wall.
constexpr double MaxLineHeight = 1.0e6;

int cellAt(const std::vector<std::vector<int>>& grid, int x, int y)
{
    if (y < 0 || y >= static_cast<int>(grid.size()) || x < 0 ||
        x >= static_cast<int>(grid[y].size()))
        return Cell::Wall;
    return grid[y][x];
}
}

void castColumn(const std::vector<std::vector<int>>& grid, const Camera& camera,
                const AtlasLayout& atlas, int column, sf::Vertex* line)
{
    const sf::Vector2f& position = camera.position;
    const float cameraX = 2.f * static_cast<float>(column) / static_cast<float>(ViewWidth) - 1.f;
    const sf::Vector2f rayDir = camera.direction + camera.plane * camera.fovScale * cameraX;

    // A zero ray component gives an infinite delta on that axis: the march never takes it.
    const sf::Vector2f deltaDist(std::sqrt(1.f + (rayDir.y * rayDir.y) / (rayDir.x * rayDir.x)),
                                 std::sqrt(1.f + (rayDir.x * rayDir.x) / (rayDir.y * rayDir.y)));
    int mapX = static_cast<int>(position.x);
    int mapY = static_cast<int>(position.y);
    int stepX = 1;
    int stepY = 1;
    sf::Vector2f sideDist;
    if (rayDir.x < 0.f) {
        stepX = -1;
        sideDist.x = (position.x - static_cast<float>(mapX)) * deltaDist.x;
    } else {
        sideDist.x = (static_cast<float>(mapX) + 1.f - position.x) * deltaDist.x;
    }
    if (rayDir.y < 0.f) {
        stepY = -1;
        sideDist.y = (position.y - static_cast<float>(mapY)) * deltaDist.y;
    } else {
        sideDist.y = (static_cast<float>(mapY) + 1.f - position.y) * deltaDist.y;
    }

    // Step into the next cell on whichever axis reaches a grid line first; ties go along y.
    int side = 0;
    bool moved = false;
    int value = cellAt(grid, mapX, mapY);
    while (value == Cell::Floor) {
        if (sideDist.y > sideDist.x) {
            sideDist.x += deltaDist.x;
            mapX += stepX;
            side = 1;
        } else {
            sideDist.y += deltaDist.y;
            mapY += stepY;
            side = 0;
        }
        moved = true;
        value = cellAt(grid, mapX, mapY);
    }
    // Distance to the wall's face, perpendicular to the view; 0 when the viewer is in it.
    float perpDist = 0.f;
    if (moved && side == 1)
        perpDist = (static_cast<float>(mapX) - position.x + static_cast<float>((1 - stepX) / 2)) /
                   rayDir.x;
    else if (moved)
        perpDist = (static_cast<float>(mapY) - position.y + static_cast<float>((1 - stepY) / 2)) /
                   rayDir.y;

    double lineHeight = static_cast<double>(static_cast<float>(ViewHeight) / perpDist) * 0.3;
    if (!(lineHeight < MaxLineHeight))
        lineHeight = MaxLineHeight;
    const int height = static_cast<int>(lineHeight);
    const float top = static_cast<float>(-height + ViewHeight / 2);
    const float bottom = static_cast<float>(height + ViewHeight / 2);

    const int tile = (value - 1) * atlas.tileSize;
    const int originX = tile % atlas.width;
    const int originY = (tile / atlas.width) * atlas.tileSize;

    float wallX = side == 1 ? position.y + perpDist * rayDir.y : position.x + perpDist * rayDir.x;
    wallX -= std::floor(wallX);
    int texX = static_cast<int>(static_cast<float>(atlas.tileSize) * wallX);
    // Rounding can bring a tiny negative wallX up to exactly 1: stay on this tile.
    if (texX >= atlas.tileSize)
        texX = atlas.tileSize - 1;
    if ((side == 1 && rayDir.x <= 0.f) || (side == 0 && rayDir.y >= 0.f))
        texX = atlas.tileSize - texX - 1;

    // Brighter when near and lit; a very short side distance saturates instead of wrapping.
    const float distance = side == 1 ? sideDist.x : sideDist.y;
    float level = 255.f / (distance * camera.darkness);
    if (!(level < 255.f))
        level = 255.f;
    const auto channel = static_cast<sf::Uint8>(static_cast<int>(level));
    const sf::Color colour(channel, channel, channel, 255);

    const float x = static_cast<float>(column);
    const float texLeft = static_cast<float>(originX + texX);
    line[0] = sf::Vertex({x, top}, colour, {texLeft, static_cast<float>(originY + 1)});
    line[1] = sf::Vertex({x, bottom}, colour,
                         {texLeft, static_cast<float>(originY + atlas.tileSize - 1)});
}

void castView(const std::vector<std::vector<int>>& grid, const Camera& camera,
              const AtlasLayout& atlas, sf::VertexArray& walls)
{
    walls.resize(2 * ViewWidth);
    for (int column = 0; column < ViewWidth; ++column)
        castColumn(grid, camera, atlas, column, &walls[2 * column]);
}
