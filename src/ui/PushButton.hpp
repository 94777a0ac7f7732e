#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/String.hpp>

#include <string>

class Sfx;

// A labelled panel of one row that hovers, with its sound, when the pointer comes on it and is
// clicked by a left press while hovered. Each push button says only what its click does.
class PushButton : public Button {
public:
    bool setPosition(const sf::Vector2f& position) final;
    void setFont(const sf::Font& font) final;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) final;
    void draw(sf::RenderTarget& target) final;

    const sf::String& getLabel() const;

protected:
    PushButton(const std::string& text, float width, Sfx* sfx);

    // Performs a click, once the panel is idle again; the button plays its own click sound.
    virtual void click(Sfx& sfx) = 0;
    void setLabel(const std::string& text);

private:
    Sfx* sfx;
    int hoverState;
    sf::RectangleShape shape;
    sf::Text label;
};
