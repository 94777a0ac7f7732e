#include "ui/MenuBackground.hpp"

#include <algorithm>
#include <cstdlib>

MenuBackground::MenuBackground()
    : back({1290.f, 740.f}), front({1290.f, 740.f}), veil({1280.f, 720.f})
{
    front.setPosition(-10.f, 0.f);
    veil.setFillColor(sf::Color::Transparent);
}

void MenuBackground::setBackTexture(const sf::Texture& texture) { back.setTexture(&texture); }
void MenuBackground::setFrontTexture(const sf::Texture& texture) { front.setTexture(&texture); }

void MenuBackground::update(int x, int)
{
    // The layers drift in opposite directions, the front one twice as far, so they read as depth.
    const int clamped = std::clamp(x, 0, 1280);
    back.setPosition(static_cast<float>(clamped * -0.005), 0.f);
    front.setPosition(static_cast<float>(clamped * 0.01), 0.f);
    veil.setFillColor(sf::Color(135, 135, 135, static_cast<sf::Uint8>(std::rand() % 8)));
}

void MenuBackground::draw(sf::RenderTarget& target)
{
    target.draw(back);
    target.draw(front);
    target.draw(veil);
}

sf::Vector2f MenuBackground::getBackPosition() const { return back.getPosition(); }
sf::Vector2f MenuBackground::getFrontPosition() const { return front.getPosition(); }
sf::Color MenuBackground::getVeilColor() const { return veil.getFillColor(); }
