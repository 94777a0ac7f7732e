#include "ui/BackButton.hpp"

#include "audio/SFX.hpp"
#include "ui/WidgetInput.hpp"

BackButton::BackButton(int* target, int value, Sfx* sfx)
    : target(target), value(value), sfx(sfx), hoverState(HoverState::Idle), shape({150.f, 40.f})
{
    shape.setFillColor(PanelColor);
    initLabel(label, "<-Back");
}

bool BackButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    label.setPosition(position.x + 20.f, position.y);
    return true;
}

void BackButton::setFont(const sf::Font& font) { label.setFont(font); }

void BackButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    if (hoverAndClick(hoverState, shape, event, pointer, *sfx)) {
        *target = value;
        sfx->playMenuCloseWindow();
    }
}

void BackButton::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(label);
}
