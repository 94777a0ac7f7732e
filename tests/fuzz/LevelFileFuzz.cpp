#include "actors/RayCaster.hpp"
#include "common/LevelFile.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

// Reads an input as a level file (the first byte says whether it carries the tutorial's
// start). A file the checks accept must be safe to play: rays cast from every floor cell, in
// the four directions the player can face, stay inside the grid.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool withStart = data[0] & 1;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const LevelFile level = LevelFile::parse(text, withStart);
    if (!level.check().empty())
        return 0;

    const sf::Vector2f facings[] = {{1.f, 0.f}, {0.f, 1.f}, {-1.f, 0.f}, {0.f, -1.f}};
    sf::Vertex line[2];
    for (int y = 0; y < level.height; ++y) {
        for (int x = 0; x < level.width; ++x) {
            if (level.cells[y][x] != 0)
                continue;
            for (const sf::Vector2f& facing : facings) {
                const Camera camera{
                    {x + 0.5f, y + 0.5f}, facing, {-facing.y, facing.x}, 1.5f, 0.7f};
                for (int column : {0, 1, 640, 1279})
                    castColumn(level.cells, camera, AtlasLayout{}, column, line);
            }
        }
    }
    return 0;
}
