#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Event.hpp>

#include <memory>
#include <vector>

// One page of the menu: its widgets in one left-hand column, laid out 60 pixels apart.
class MenuPage {
public:
    explicit MenuPage(const sf::Font* font);

    // Takes the widget over, gives it the page font and places it at the layout cursor.
    void add(std::unique_ptr<Button> widget);
    void handleEvent(const sf::Event& event, sf::Vector2i pointer);
    void draw(sf::RenderTarget& target);

private:
    const sf::Font* font;
    std::vector<std::unique_ptr<Button>> widgets;
    sf::Vector2f layoutCursor;
};
