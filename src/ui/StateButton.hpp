#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

class Sfx;

// A push button that writes a fixed value into an integer owned elsewhere: the menu's current
// page, the game state (to quit) or the network status (to ask for a connection).
class StateButton final : public Button {
public:
    StateButton(std::string text, int* target, int value, Sfx* sfx);

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
