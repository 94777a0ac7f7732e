#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

class Sfx;

// Switches the game's own window between windowed and full screen by re-creating it, so every
// holder of the window keeps working. The label names the mode the window is in.
class FullScreenButton final : public Button {
public:
    FullScreenButton(std::string text, sf::RenderWindow* window, Sfx* sfx);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

    const sf::String& getLabel() const;

private:
    bool fullScreen;
    sf::RenderWindow* window;
    int hoverState;
    sf::RectangleShape shape;
    sf::Text label;
    Sfx* sfx;
};
