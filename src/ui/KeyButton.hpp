#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

class Sfx;

// One row of the controls page: the action's label and a box with the name of its key. A click
// on the box makes it listen; the next key pressed is written straight into the player's key map.
// Escape or a click elsewhere cancels.
class KeyButton final : public Button {
public:
    KeyButton(std::string text, int* key, Sfx* sfx);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

    const sf::String& getKeyText() const;

private:
    // Back from listening to idle, whatever ended it.
    void stopListening();

    int* key;
    int hoverState;
    sf::RectangleShape shape;
    sf::RectangleShape box;
    sf::Text label;
    sf::Text keyText;
    Sfx* sfx;
};
