#include "ui/MenuBackground.hpp"

MenuBackground::MenuBackground()
    : back({1290.f, 740.f}), front({1290.f, 740.f}), veil({1280.f, 720.f})
{
    front.setPosition(-10.f, 0.f);
    veil.setFillColor(sf::Color::Transparent);
}

void MenuBackground::setBackTexture(const sf::Texture& texture) { back.setTexture(&texture); }
void MenuBackground::setFrontTexture(const sf::Texture& texture) { front.setTexture(&texture); }
void MenuBackground::update(int, int) {}

void MenuBackground::draw(sf::RenderTarget& target)
{
    target.draw(back);
    target.draw(front);
    target.draw(veil);
}
