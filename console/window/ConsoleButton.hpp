#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

// One clickable action of the operator's window, showing its label and the key that does the
// same. Greyed while the action is not possible; highlighted for the chosen level.
class ConsoleButton {
public:
    ConsoleButton(const sf::Font& font, const sf::FloatRect& area, const std::string& label,
                  const std::string& key);

    // Restyles the button only when something changed.
    void setState(bool enabled, bool highlighted);
    void setLabel(const std::string& label);
    bool contains(const sf::Vector2f& point) const;
    bool isEnabled() const;
    void draw(sf::RenderTarget& target) const;

private:
    void restyle();

    sf::FloatRect area;
    sf::RectangleShape panel;
    sf::Text label;
    sf::Text key;
    bool enabled;
    bool highlighted;
};
