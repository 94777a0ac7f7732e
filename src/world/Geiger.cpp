#include "world/Geiger.hpp"

#include "core/Game.hpp"

Geiger::Geiger(Game* game)
    : game(game), blinkOn(false), blinkTimer(0.f), bobPhase(0.f), objectCount(0),
      frame(0, 0, 196, 360)
{
}

void Geiger::init()
{
    shape.setSize({326.f, 600.f});
    shape.setPosition(954.f, 120.f);
    shape.setTexture(&game->getTextures().get("geiger"), false);
    shape.setTextureRect(frame);
}

void Geiger::reset() {}
void Geiger::objectTaken() {}
void Geiger::update(float) {}
void Geiger::draw(sf::RenderTarget& target) { target.draw(shape); }
