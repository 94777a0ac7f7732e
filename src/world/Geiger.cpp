#include "world/Geiger.hpp"

#include "core/Game.hpp"
#include "world/Cell.hpp"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {
const int FrameWidth = 196;
const float ScreenX = 954.f;
}

Geiger::Geiger(Game* game)
    : game(game), blinkOn(false), blinkTimer(0.f), bobPhase(0.f), objectCount(0),
      frame(0, 0, FrameWidth, 360)
{
}

void Geiger::init()
{
    shape.setSize({326.f, 600.f});
    shape.setPosition(ScreenX, 120.f);
    shape.setTexture(&game->getTextures().get("geiger"), false);
    shape.setTextureRect(frame);
}

void Geiger::reset()
{
    blinkOn = false;
    blinkTimer = 0.f;
    objectCount = 0;
    frame.left = 0;
    shape.setTextureRect(frame);
}

void Geiger::objectTaken()
{
    ++objectCount;
    if (objectCount < Cell::ObjectCount)
        frame.left = objectCount * FrameWidth;
    shape.setTextureRect(frame);

    // From the third object on, each one raises the music a layer and quickens the monster,
    // so what the player hears rises with the danger.
    Sfx& sfx = game->getSfx();
    switch (objectCount) {
    case 1:
        sfx.playVoiceLevel0();
        break;
    case 2:
        sfx.playVoiceLevel1();
        break;
    case 3:
        sfx.playVoiceLevel2();
        std::cout << "[Geiger Log] >> Starting layer 2 musique\n";
        game->getMusic().playLayer2();
        game->getMonster().addWanderStep();
        break;
    case 4:
        sfx.playVoiceLevel3();
        std::cout << "[Geiger Log] >> Starting layer 3 musique\n";
        game->getMusic().playLayer3();
        game->getMonster().addWanderStep();
        break;
    case 5:
        sfx.playVoiceLevel4();
        std::cout << "[Geiger Log] >> Starting layer 4 musique\n";
        game->getMusic().playLayer4();
        game->getMonster().addWanderStep();
        break;
    default:
        break;
    }
}

void Geiger::update(float dt)
{
    const float y = 150.f + 30.f * std::sin(bobPhase);
    const bool stepping = *game->getPlayer().getMoveState() == MoveState::Stepping;
    bobPhase += (stepping ? 9.f : 0.3f) * dt;
    shape.setPosition(ScreenX, y);

    // With all five objects the display flashes between the empty and the full dial.
    blinkTimer += 8.f * dt;
    if (blinkTimer >= 1.f && objectCount == Cell::ObjectCount) {
        frame.left = blinkOn ? (Cell::ObjectCount - 1) * FrameWidth : 0;
        shape.setTextureRect(frame);
        blinkOn = !blinkOn;
        blinkTimer = 0.f;
    }
}

void Geiger::draw(sf::RenderTarget& target)
{
    const sf::Uint8 channel = shade(game->getPlayer().getDarkness());
    shape.setFillColor(sf::Color(channel, channel, channel, 255));
    target.draw(shape);
}

const sf::RectangleShape& Geiger::getShape() const { return shape; }

sf::Uint8 Geiger::shade(float darkness)
{
    // Clamped like the walls: a darkness below 0.5 must not wrap the channels to dark.
    const float level = std::clamp(255.f / (2.f * darkness), 0.f, 255.f);
    return static_cast<sf::Uint8>(level);
}
