#include "actors/Player.hpp"

#include "core/Game.hpp"

Player::Player(Game* game)
    : game(game), moveState(0), lightState(0), fovScale(1.5f), plane(0.f, 1.f),
      targetPlane(0.f, 1.f), position(1.5f, 1.5f), targetPosition(1.5f, 1.5f), stepSpeed(1.6f),
      direction(1.f, 0.f), targetDirection(1.f, 0.f), turnSpeed(2.3f), stepSoundCountdown(0),
      darkness(0.7f), timer(0.f)
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

void Player::update(float) {}
void Player::handleEvent(const sf::Event&) {}
void Player::draw(sf::RenderTarget&) {}
int& Player::getKey(std::string action) { return keys[action]; }

sf::Vector2i Player::getTile() const
{
    return sf::Vector2i(static_cast<int>(targetPosition.x), static_cast<int>(targetPosition.y));
}

int* Player::getMoveState() { return &moveState; }
float Player::getDarkness() const { return darkness; }
void Player::setPosition(sf::Vector2f newPosition) { position = targetPosition = newPosition; }
void Player::setAngle(float) {}
void Player::setDark() {}
void Player::startLevel() {}
void Player::setLightState(int state) { lightState = state; }
void Player::caught() {}
bool Player::canEnter(sf::Vector2i) { return false; }
