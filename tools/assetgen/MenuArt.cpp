#include "Assets.hpp"

// The two menu layers, stretched by the menu over 1290 by 740 rectangles.
void writeMenuLayers(const std::string& dataDir)
{
    sf::Image back;
    back.create(1290, 740, sf::Color(20, 24, 28));
    saveImage(back, dataDir + "/Texture/MenuBG.jpg");

    sf::Image front;
    front.create(1290, 740, sf::Color::Transparent);
    saveImage(front, dataDir + "/Texture/MenuFG.png");
}
