#include "ui/MenuPage.hpp"

MenuPage::MenuPage(const sf::Font* font) : font(font), layoutCursor(130.f, 300.f) {}

void MenuPage::add(std::unique_ptr<Button> widget)
{
    widgets.push_back(std::move(widget));
    widgets.back()->setFont(*font);
    if (widgets.back()->setPosition(layoutCursor))
        layoutCursor.y += 60.f;
}

void MenuPage::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    for (auto& widget : widgets)
        widget->handleEvent(event, pointer);
}

void MenuPage::draw(sf::RenderTarget& target)
{
    for (auto& widget : widgets)
        widget->draw(target);
}
