#include "actors/Player.hpp"

#include "actors/RayCaster.hpp"
#include "core/Game.hpp"
#include "common/Cell.hpp"

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {
constexpr float LitDarkness = 0.7f;
constexpr float DarkDarkness = 3.5f;
// Darkness change per second: a full fade takes four seconds.
constexpr float FadeSpeed = 0.7f;
// Frames between two footstep sounds.
constexpr int StepSoundFrames = 320;
constexpr float Pi = 3.141592f;
constexpr float TwoPi = 6.283185f;
constexpr float QuarterTurn = 1.57f;

sf::Vector2f rotate(sf::Vector2f v, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {c * v.x - s * v.y, s * v.x + c * v.y};
}

// A quarter turn of an axis-aligned vector, landing exactly on the next axis.
sf::Vector2f turnExactly(sf::Vector2f v, float angle)
{
    const sf::Vector2f turned = rotate(v, angle);
    return {std::round(turned.x), std::round(turned.y)};
}

sf::Vector2i truncate(sf::Vector2f v)
{
    return {static_cast<int>(v.x), static_cast<int>(v.y)};
}
}

Player::Player(Game* game)
    : game(game), moveState(MoveState::Still), lightState(LightState::Lit), fovScale(1.5f),
      plane(0.f, 1.f), targetPlane(0.f, 1.f), position(1.5f, 1.5f), targetPosition(1.5f, 1.5f),
      stepSpeed(1.6f), direction(1.f, 0.f), targetDirection(1.f, 0.f), turnSpeed(2.3f),
      stepSoundCountdown(0), darkness(LitDarkness), timer(0.f)
{
    keys["up"] = sf::Keyboard::W;
    keys["left"] = sf::Keyboard::A;
    keys["right"] = sf::Keyboard::D;
    keys["action"] = sf::Keyboard::E;
}

void Player::init()
{
    walls.setPrimitiveType(sf::Lines);
    renderStates.texture = &game->getTextures().get("wall");
}

void Player::update(float dt)
{
    updateLight(dt);
    switch (moveState) {
    case MoveState::Stepping:
        updateStep(dt);
        break;
    case MoveState::TurningLeft:
    case MoveState::TurningRight:
        updateTurn(dt);
        break;
    case MoveState::Dying:
        updateDeath(dt);
        break;
    case MoveState::Starting:
        timer -= dt;
        if (timer <= 0.f)
            moveState = MoveState::Still;
        break;
    default:
        break;
    }
}

void Player::updateLight(float dt)
{
    if (lightState == LightState::Darkening) {
        darkness += FadeSpeed * dt;
        if (darkness >= DarkDarkness) {
            darkness = DarkDarkness;
            lightState = LightState::Dark;
        }
    } else if (lightState == LightState::Brightening) {
        darkness -= FadeSpeed * dt;
        if (darkness <= LitDarkness) {
            darkness = LitDarkness;
            lightState = LightState::Lit;
        }
    }
}

void Player::updateStep(float dt)
{
    const float s = stepSpeed * dt;
    // The step ends in the frame that would reach or pass the target, never beyond it.
    if (std::abs(s) > std::abs(targetPosition.x - position.x) &&
        std::abs(s) > std::abs(targetPosition.y - position.y)) {
        position = targetPosition;
        game->getNetwork().sendPlayerMoved();
        const sf::Vector2i left = truncate(targetPosition - targetDirection);
        game->getLevel().restoreDoorAt(left.x, left.y);
        moveState = MoveState::Still;
        game->getMonster().takeTurn();
        return;
    }
    if (stepSoundCountdown <= 0) {
        game->getSfx().playSteps();
        stepSoundCountdown = StepSoundFrames;
    }
    --stepSoundCountdown;
    position += sf::Vector2f(s * targetDirection.x, s * targetDirection.y);
}

void Player::updateTurn(float dt)
{
    const float angle = (moveState == MoveState::TurningLeft ? -turnSpeed : turnSpeed) * dt;
    float left = std::atan2(targetDirection.y, targetDirection.x) -
                 std::atan2(direction.y, direction.x);
    if (left > Pi)
        left -= TwoPi;
    if (left < -Pi)
        left += TwoPi;
    if (std::abs(angle) > std::abs(left)) {
        direction = targetDirection;
        plane = targetPlane;
        moveState = MoveState::Still;
    } else {
        direction = rotate(direction, angle);
        plane = rotate(plane, angle);
    }
}

void Player::updateDeath(float dt)
{
    const float t = timer;
    std::cout << t << "\n";

    // The caught player stands still, hears the death, is jerked about, loses the light and
    // spins before the game is lost.
    float angle = dt;
    if (t <= 0.f) {
        moveState = MoveState::Still;
        game->setState(GameState::GameLost);
        game->getNetwork().sendPlayerLost();
    } else if (t <= 0.15f) {
        angle = 10.f * dt;
    } else if (t <= 2.0f) {
        angle = static_cast<float>(std::rand() % 6 - 3) * dt;
    } else if (t <= 2.3f) {
        angle = 0.5f * dt;
        if (lightState != LightState::Dark && t - dt <= 2.0f)
            lightState = LightState::Darkening;
    } else if (t <= 2.8f) {
        angle = -1.5f * dt;
    } else if (t <= 3.3f) {
        angle = 1.0f * dt;
    } else if (t <= 4.0f) {
        angle = static_cast<float>(std::rand() % 3 - 1) * dt;
    } else if (t <= 5.0f) {
        angle = 0.f;
        if (t - dt <= 4.0f)
            game->getSfx().playPlayerDeath();
    }

    timer -= dt;
    direction = rotate(direction, angle);
    plane = rotate(plane, angle);
}

void Player::handleEvent(const sf::Event& event)
{
    if (event.type != sf::Event::KeyPressed || moveState != MoveState::Still)
        return;
    const int code = event.key.code;

    if (code == keys["up"]) {
        const sf::Vector2i ahead = truncate(targetPosition + targetDirection);
        if (!canEnter(ahead))
            return;
        targetPosition += targetDirection;
        stepSoundCountdown = 0;
        std::cout << "[Player] Position : (" << position.x << ";" << position.y << ")\n";
        moveState = MoveState::Stepping;
        game->getScore().currentEntry().addStep();
    } else if (code == keys["left"]) {
        targetDirection = turnExactly(targetDirection, -QuarterTurn);
        targetPlane = turnExactly(targetPlane, -QuarterTurn);
        moveState = MoveState::TurningLeft;
    } else if (code == keys["right"]) {
        targetDirection = turnExactly(targetDirection, QuarterTurn);
        targetPlane = turnExactly(targetPlane, QuarterTurn);
        moveState = MoveState::TurningRight;
    } else if (code == keys["action"]) {
        const sf::Vector2i ahead = truncate(targetPosition + targetDirection);
        game->getLevel().interact(ahead.x, ahead.y);
    }
}

void Player::draw(sf::RenderTarget& target)
{
    const Level& level = game->getLevel();
    const std::vector<std::vector<int>>& grid = level.getGrid();
    const sf::Vector2i cell = truncate(position);
    // Before the first level, or if the viewer were ever outside the grid, there is no view.
    if (grid.empty() || position.x < 0.f || position.y < 0.f ||
        cell.y >= static_cast<int>(grid.size()) || cell.x >= static_cast<int>(grid[0].size())) {
        walls.clear();
        return;
    }

    const Camera camera{position, direction, plane, fovScale, darkness};
    const AtlasLayout atlas{level.getAtlasWidth(), level.getTileSize()};
    castView(grid, camera, atlas, walls);
    target.draw(walls, renderStates);
}

int& Player::getKey(std::string action) { return keys[action]; }

sf::Vector2i Player::getTile() const
{
    return truncate(targetPosition);
}

int* Player::getMoveState() { return &moveState; }
float Player::getDarkness() const { return darkness; }
void Player::setPosition(sf::Vector2f newPosition) { position = targetPosition = newPosition; }

void Player::setAngle(float angle)
{
    direction = targetDirection = rotate({1.f, 0.f}, angle);
    plane = targetPlane = rotate({0.f, 1.f}, angle);
}

void Player::setDark()
{
    darkness = DarkDarkness;
    lightState = LightState::Dark;
}

void Player::startLevel()
{
    timer = 10.f;
    lightState = LightState::Brightening;
    moveState = MoveState::Starting;
    game->getGeiger().reset();
    game->getSfx().playVoiceStart();
}

void Player::setLightState(int state) { lightState = state; }

void Player::caught()
{
    timer = 5.f;
    moveState = MoveState::Dying;
    game->getMusic().stopMusic();
}

bool Player::canEnter(sf::Vector2i cell)
{
    Level& level = game->getLevel();
    if (!level.isInside(cell.x, cell.y))
        return false;
    const int value = level.getCell(cell.x, cell.y);
    if (value == Cell::Floor)
        return true;
    if (Cell::isOpenDoor(value)) {
        game->getSfx().playDoorOpenClose();
        level.clearDoorCell(value);
        return true;
    }
    return false;
}
