#include "ui/WidgetInput.hpp"

#include "audio/SFX.hpp"
#include "ui/Button.hpp"

bool isInside(const sf::RectangleShape& shape, sf::Vector2i pointer)
{
    return shape.getGlobalBounds().contains(static_cast<float>(pointer.x),
                                            static_cast<float>(pointer.y));
}

bool isLeftPress(const sf::Event& event)
{
    return event.type == sf::Event::MouseButtonPressed &&
           event.mouseButton.button == sf::Mouse::Left;
}

bool isLeftRelease(const sf::Event& event)
{
    return event.type == sf::Event::MouseButtonReleased &&
           event.mouseButton.button == sf::Mouse::Left;
}

void initLabel(sf::Text& text, const std::string& string)
{
    text.setString(string);
    text.setCharacterSize(30);
    text.setFillColor(LabelColor);
}

bool hoverAndClick(int& hoverState, sf::RectangleShape& shape, const sf::Event& event,
                   sf::Vector2i pointer, Sfx& sfx)
{
    const bool inside = isInside(shape, pointer);
    if (hoverState == HoverState::Idle) {
        if (inside) {
            shape.setFillColor(HoverColor);
            hoverState = HoverState::Hovered;
            sfx.playMenuHover();
        }
        return false;
    }
    if (hoverState != HoverState::Hovered)
        return false;
    if (!inside) {
        shape.setFillColor(PanelColor);
        hoverState = HoverState::Idle;
        return false;
    }
    if (!isLeftPress(event))
        return false;
    shape.setFillColor(PanelColor);
    hoverState = HoverState::Idle;
    return true;
}
