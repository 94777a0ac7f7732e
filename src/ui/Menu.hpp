#pragma once

#include "ui/MenuBackground.hpp"
#include "ui/MenuPage.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Event.hpp>

#include <memory>
#include <vector>

class Game;

// The menu's pages, in the order build() creates them.
namespace Page {
enum : int {
    Main = 0,
    Join = 1,
    Settings = 2,
    Controls = 3,
    Stats = 4,
    EndOfGame = 5,
};
}

// What the player sees in the menu state: the animated backdrop and one of six pages of
// widgets. Pages change only when a widget writes currentPage, or after a game (EndOfGame).
class Menu {
public:
    explicit Menu(Game* game);

    // Creates the six pages and every widget; called once after textures and fonts are loaded.
    void build();
    // Moves the backdrop after the pointer.
    void update();
    // Passes the event to the widgets of the current page, with the pointer read from the window.
    void handleEvent(const sf::Event& event);
    void handleEvent(const sf::Event& event, sf::Vector2i pointer);
    void draw(sf::RenderTarget& target);
    void setPage(int page);
    int getPage() const;

private:
    // The page at currentPage, or null when there is none (before build, or a number out of range).
    MenuPage* page();

    int currentPage;
    Game* game;
    MenuBackground background;
    std::vector<std::unique_ptr<MenuPage>> pages;
};
