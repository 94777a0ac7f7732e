#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

class Game;

// The counter in the player's hand: counts the objects taken in this level, raises the music
// and speeds the monster up, bobs with the steps and dims with the light. Owned by Game.
class Geiger {
public:
    explicit Geiger(Game* game);

    void init();
    void reset();
    void objectTaken();
    void update(float dt);
    void draw(sf::RenderTarget& target);

private:
    Game* game;
    bool blinkOn;
    float blinkTimer;
    float bobPhase;
    int objectCount;
    sf::RectangleShape shape;
    sf::IntRect frame;
};
