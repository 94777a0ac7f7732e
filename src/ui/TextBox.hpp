#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

class Sfx;

// A one-line text field bound to a string owned elsewhere (the console's address, the player's
// name). Click the box to edit; typing appends printable ASCII up to the length limit, Backspace
// removes from the end, Enter or a click elsewhere ends editing.
class TextBox final : public Button {
public:
    TextBox(std::string text, std::string* target, int maxLength, Sfx* sfx);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

private:
    void stopEditing();

    int maxLength;
    std::string* target;
    int hoverState;
    sf::RectangleShape shape;
    sf::RectangleShape box;
    sf::Text label;
    sf::Text valueText;
    Sfx* sfx;
};
