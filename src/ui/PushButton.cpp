#include "ui/PushButton.hpp"

#include "ui/WidgetInput.hpp"

PushButton::PushButton(const std::string& text, float width, Sfx* sfx)
    : sfx(sfx), hoverState(HoverState::Idle), shape({width, RowHeight})
{
    shape.setFillColor(PanelColor);
    initLabel(label, text);
}

bool PushButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    label.setPosition(position.x + TextInset, position.y);
    return true;
}

void PushButton::setFont(const sf::Font& font) { label.setFont(font); }

void PushButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    if (hoverAndClick(hoverState, shape, event, pointer, *sfx))
        click(*sfx);
}

void PushButton::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(label);
}

const sf::String& PushButton::getLabel() const { return label.getString(); }

void PushButton::setLabel(const std::string& text) { label.setString(text); }
