#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

// The menu's backdrop: two picture layers that drift apart as the pointer crosses the window,
// under a faintly flickering veil.
class MenuBackground {
public:
    MenuBackground();

    void setBackTexture(const sf::Texture& texture);
    void setFrontTexture(const sf::Texture& texture);
    // Places the layers for the pointer's x, clamped to the window, and redraws the veil's flicker.
    void update(int x, int y);
    void draw(sf::RenderTarget& target);

    sf::Vector2f getBackPosition() const;
    sf::Vector2f getFrontPosition() const;
    sf::Color getVeilColor() const;

private:
    sf::RectangleShape back;
    sf::RectangleShape front;
    sf::RectangleShape veil;
};
