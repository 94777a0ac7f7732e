#pragma once

#include "ui/MenuBackground.hpp"
#include "ui/MenuPage.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Event.hpp>

#include <memory>
#include <vector>

class Game;

// What the player sees in the menu state: the animated backdrop and one of six pages of
// widgets. Pages change only when a widget writes currentPage, or after a game (page 5).
class Menu {
public:
    explicit Menu(Game* game);

    // Creates the six pages and every widget; called once after textures and fonts are loaded.
    void build();
    void update();
    void handleEvent(const sf::Event& event);
    void draw(sf::RenderTarget& target);
    void setPage(int page);
    int getPage() const;

private:
    int currentPage;
    Game* game;
    MenuBackground background;
    std::vector<std::unique_ptr<MenuPage>> pages;
};
