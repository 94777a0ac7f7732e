#include "ui/Menu.hpp"

Menu::Menu(Game* game) : currentPage(0), game(game) {}

void Menu::build() {}
void Menu::update() {}
void Menu::handleEvent(const sf::Event&) {}
void Menu::draw(sf::RenderTarget&) {}
void Menu::setPage(int page) { currentPage = page; }
int Menu::getPage() const { return currentPage; }
