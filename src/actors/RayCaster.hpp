#pragma once

#include <SFML/Graphics/Vertex.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>

#include <vector>

// The first-person view is one textured vertical line per screen column, found by marching a
// ray through the level grid to the first non-floor cell. These functions take plain data so
// the picture can be checked and measured without a window.

// The picture the view fills, whatever the window's size.
constexpr int ViewWidth = 1280;
constexpr int ViewHeight = 720;

// Where the viewer stands and looks, as drawn this frame.
struct Camera {
    sf::Vector2f position;
    sf::Vector2f direction;
    sf::Vector2f plane;
    float fovScale = 1.5f;
    // Divisor of the wall brightness: 0.7 fully lit, 3.5 dark.
    float darkness = 0.7f;
};

// The wall atlas: square tiles side by side, row after row; cell value v uses tile v - 1.
struct AtlasLayout {
    int width = 6000;
    int tileSize = 250;
};

// Fills line[0] (top) and line[1] (bottom) with the wall seen through screen column `column`.
// A ray that would leave the grid stops on its edge as if it met a wall (value 1). The grid
// must not be empty and the viewer must stand inside it.
void castColumn(const std::vector<std::vector<int>>& grid, const Camera& camera,
                const AtlasLayout& atlas, int column, sf::Vertex* line);

// Fills `walls` with the whole view, two vertices per column. The array keeps its storage
// from frame to frame, so after the first frame nothing is allocated.
void castView(const std::vector<std::vector<int>>& grid, const Camera& camera,
              const AtlasLayout& atlas, sf::VertexArray& walls);
