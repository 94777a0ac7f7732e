#include "ui/MenuBackground.hpp"

#include "actors/RayCaster.hpp"

#include <algorithm>
#include <cstdlib>

namespace {
// The layers overhang the picture, so that they still cover it as they drift.
const sf::Vector2f LayerSize(ViewWidth + 10.f, ViewHeight + 20.f);
}

MenuBackground::MenuBackground()
    : back(LayerSize), front(LayerSize),
      veil({static_cast<float>(ViewWidth), static_cast<float>(ViewHeight)})
{
    front.setPosition(-10.f, 0.f);
    veil.setFillColor(sf::Color::Transparent);
}

void MenuBackground::setBackTexture(const sf::Texture& texture) { back.setTexture(&texture); }
void MenuBackground::setFrontTexture(const sf::Texture& texture) { front.setTexture(&texture); }

void MenuBackground::update(int x, int)
{
    // The layers drift in opposite directions, the front one twice as far, so they read as depth.
    const int clamped = std::clamp(x, 0, ViewWidth);
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
