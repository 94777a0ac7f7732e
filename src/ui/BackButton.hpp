#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class Sfx;

// "<-Back": a short push button that writes a fixed page number into the menu's current page.
class BackButton final : public Button {
public:
    BackButton(int* target, int value, Sfx* sfx);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

private:
    int* target;
    int value;
    Sfx* sfx;
    int hoverState;
    sf::RectangleShape shape;
    sf::Text label;
};
