#include "Assets.hpp"

// Five frames of 196 by 360 side by side: the counter with its needle at rising positions.
void writeGeigerStrip(const std::string& dataDir)
{
    sf::Image strip;
    strip.create(980, 360, sf::Color::Transparent);
    for (unsigned frame = 0; frame < 5; ++frame)
        for (unsigned y = 40; y < 360; ++y)
            for (unsigned x = 20; x < 176; ++x)
                strip.setPixel(frame * 196 + x, y, sf::Color(200, 180, 60 + frame * 40));
    saveImage(strip, dataDir + "/Texture/Geiger.png");
}
