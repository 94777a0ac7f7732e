#include "Assets.hpp"

// The wall atlas: 24 tiles of 250 by 250 side by side, tile n for cell value n + 1.
void writeWallAtlas(const std::string& dataDir)
{
    sf::Image atlas;
    atlas.create(6000, 250, sf::Color(90, 90, 95));
    for (unsigned tile = 0; tile < 24; ++tile) {
        const sf::Color tint(60 + tile * 7, 90, 140 - tile * 4);
        for (unsigned y = 20; y < 230; ++y)
            for (unsigned x = 20; x < 230; ++x)
                atlas.setPixel(tile * 250 + x, y, tint);
    }
    saveImage(atlas, dataDir + "/Texture/Wall.jpg");
}
