#include "actors/RayCaster.hpp"

#include "common/Cell.hpp"

#include <cmath>

namespace {
// Beyond this a wall line is far taller than any screen; the bound keeps the integer
// conversion defined when the viewer touches a wall.
constexpr double MaxLineHeight = 1.0e6;

// Where a ray met the first cell that is not floor.
struct Hit {
    int value = Cell::Wall;
    // The ray entered the cell across a vertical grid line (a step along x).
    bool crossedX = false;
    // Distance to the wall's face, perpendicular to the view; 0 when the viewer is in it.
    float perpDist = 0.f;
    // How far the ray ran along itself to the wall, for the shade.
    float distance = 0.f;
};

int cellAt(const std::vector<std::vector<int>>& grid, int x, int y)
{
    if (y < 0 || y >= static_cast<int>(grid.size()) || x < 0 ||
        x >= static_cast<int>(grid[y].size()))
        return Cell::Wall;
    return grid[y][x];
}

// The ray through screen column `column`, spread across the field of view.
sf::Vector2f rayThrough(const Camera& camera, int column)
{
    const float cameraX = 2.f * static_cast<float>(column) / static_cast<float>(ViewWidth) - 1.f;
    return camera.direction + camera.plane * camera.fovScale * cameraX;
}

Hit march(const std::vector<std::vector<int>>& grid, sf::Vector2f position, sf::Vector2f rayDir)
{
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
    Hit hit;
    bool moved = false;
    hit.value = cellAt(grid, mapX, mapY);
    while (hit.value == Cell::Floor) {
        if (sideDist.y > sideDist.x) {
            sideDist.x += deltaDist.x;
            mapX += stepX;
            hit.crossedX = true;
        } else {
            sideDist.y += deltaDist.y;
            mapY += stepY;
            hit.crossedX = false;
        }
        moved = true;
        hit.value = cellAt(grid, mapX, mapY);
    }
    if (moved && hit.crossedX)
        hit.perpDist =
            (static_cast<float>(mapX) - position.x + static_cast<float>((1 - stepX) / 2)) /
            rayDir.x;
    else if (moved)
        hit.perpDist =
            (static_cast<float>(mapY) - position.y + static_cast<float>((1 - stepY) / 2)) /
            rayDir.y;
    hit.distance = hit.crossedX ? sideDist.x : sideDist.y;
    return hit;
}

// Half the height of the wall line on screen.
int halfLineHeight(float perpDist)
{
    double lineHeight = static_cast<double>(static_cast<float>(ViewHeight) / perpDist) * 0.3;
    if (!(lineHeight < MaxLineHeight))
        lineHeight = MaxLineHeight;
    return static_cast<int>(lineHeight);
}

// The column of the wall's tile the ray meets, counted so that no face shows mirrored.
int textureColumn(const Hit& hit, sf::Vector2f position, sf::Vector2f rayDir, int tileSize)
{
    float wallX =
        hit.crossedX ? position.y + hit.perpDist * rayDir.y : position.x + hit.perpDist * rayDir.x;
    wallX -= std::floor(wallX);
    int texX = static_cast<int>(static_cast<float>(tileSize) * wallX);
    // Rounding can bring a tiny negative wallX up to exactly 1: stay on this tile.
    if (texX >= tileSize)
        texX = tileSize - 1;
    if ((hit.crossedX && rayDir.x <= 0.f) || (!hit.crossedX && rayDir.y >= 0.f))
        texX = tileSize - texX - 1;
    return texX;
}

// Brighter when near and lit; a very short distance saturates instead of wrapping.
sf::Color shade(float distance, float darkness)
{
    float level = 255.f / (distance * darkness);
    if (!(level < 255.f))
        level = 255.f;
    const auto channel = static_cast<sf::Uint8>(static_cast<int>(level));
    return sf::Color(channel, channel, channel, 255);
}
} // namespace

void castColumn(const std::vector<std::vector<int>>& grid, const Camera& camera,
                const AtlasLayout& atlas, int column, sf::Vertex* line)
{
    const sf::Vector2f rayDir = rayThrough(camera, column);
    const Hit hit = march(grid, camera.position, rayDir);

    const int height = halfLineHeight(hit.perpDist);
    const float top = static_cast<float>(-height + ViewHeight / 2);
    const float bottom = static_cast<float>(height + ViewHeight / 2);

    const int tile = (hit.value - 1) * atlas.tileSize;
    const int originX = tile % atlas.width;
    const int originY = (tile / atlas.width) * atlas.tileSize;
    const int texX = textureColumn(hit, camera.position, rayDir, atlas.tileSize);
    const sf::Color colour = shade(hit.distance, camera.darkness);

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
