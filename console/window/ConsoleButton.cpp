#include "window/ConsoleButton.hpp"

ConsoleButton::ConsoleButton(const sf::Font& font, const sf::FloatRect& area,
                             const std::string& text, const std::string& keyName)
    : area(area), label(text, font, 15), key(keyName, font, 13), enabled(true), highlighted(false)
{
    panel.setPosition(area.left, area.top);
    panel.setSize(sf::Vector2f(area.width, area.height));
    panel.setOutlineThickness(1.f);
    label.setPosition(area.left + 8.f, area.top + (area.height - 20.f) / 2.f);
    sf::FloatRect bounds = key.getLocalBounds();
    key.setPosition(area.left + area.width - bounds.width - 8.f,
                    area.top + (area.height - 16.f) / 2.f);
    restyle();
}

void ConsoleButton::setState(bool isEnabled, bool isHighlighted)
{
    if (isEnabled == enabled && isHighlighted == highlighted)
        return;
    enabled = isEnabled;
    highlighted = isHighlighted;
    restyle();
}

void ConsoleButton::setLabel(const std::string& text)
{
    if (label.getString() != text)
        label.setString(text);
}

bool ConsoleButton::contains(const sf::Vector2f& point) const
{
    return area.contains(point);
}
bool ConsoleButton::isEnabled() const
{
    return enabled;
}

void ConsoleButton::draw(sf::RenderTarget& target) const
{
    target.draw(panel);
    target.draw(label);
    target.draw(key);
}

void ConsoleButton::restyle()
{
    panel.setFillColor(highlighted ? sf::Color(46, 84, 140) : sf::Color(44, 48, 58));
    panel.setOutlineColor(enabled ? sf::Color(130, 136, 150) : sf::Color(64, 68, 78));
    label.setFillColor(enabled ? sf::Color(236, 236, 236) : sf::Color(110, 112, 120));
    key.setFillColor(enabled ? sf::Color(250, 210, 90) : sf::Color(100, 96, 80));
}
