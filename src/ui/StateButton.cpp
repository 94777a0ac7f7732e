#include "ui/StateButton.hpp"

#include "audio/SFX.hpp"
#include "ui/WidgetInput.hpp"

StateButton::StateButton(std::string text, int* target, int value, Sfx* sfx)
    : target(target), value(value), sfx(sfx), hoverState(HoverState::Idle), shape({500.f, 40.f})
{
    shape.setFillColor(PanelColor);
    initLabel(label, text);
}

bool StateButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    label.setPosition(position.x + 20.f, position.y);
    return true;
}

void StateButton::setFont(const sf::Font& font) { label.setFont(font); }

void StateButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    if (hoverAndClick(hoverState, shape, event, pointer, *sfx)) {
        *target = value;
        sfx->playMenuNewWindow();
    }
}

void StateButton::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(label);
}
