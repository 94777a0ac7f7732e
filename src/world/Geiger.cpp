#include "world/Geiger.hpp"

#include "core/Game.hpp"
#include "common/Cell.hpp"

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

    // Each object has its voice. From the third on, each also starts the next music layer
    // (layer n at n + 1 objects) and quickens the monster, so what the player hears rises with
    // the danger.
    static void (Sfx::*const voices[Cell::ObjectCount])() = {
        &Sfx::playVoiceLevel0, &Sfx::playVoiceLevel1, &Sfx::playVoiceLevel2, &Sfx::playVoiceLevel3,
        &Sfx::playVoiceLevel4};
    static void (Music::*const layers[Cell::ObjectCount])() = {
        nullptr, nullptr, &Music::playLayer2, &Music::playLayer3, &Music::playLayer4};
    if (objectCount < 1 || objectCount > Cell::ObjectCount)
        return;
    const std::size_t taken = static_cast<std::size_t>(objectCount - 1);
    (game->getSfx().*voices[taken])();
    if (layers[taken] == nullptr)
        return;
    std::cout << "[Geiger Log] >> Starting layer " << objectCount - 1 << " musique\n";
    (game->getMusic().*layers[taken])();
    game->getMonster().addWanderStep();
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
