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
    // Back to no object and the first frame at the start of a level.
    void reset();
    // One more object: the needle moves on, a voice speaks, and from the third object the
    // music rises a layer and the monster quickens.
    void objectTaken();
    void update(float dt);
    // Draws the picture dimmed by the player's darkness, as the walls are.
    void draw(sf::RenderTarget& target);
    const sf::RectangleShape& getShape() const;

    // The grey level of the picture under a darkness: 255 / (2 darkness), at most 255.
    static sf::Uint8 shade(float darkness);

private:
    Game* game;
    bool blinkOn;
    float blinkTimer;
    float bobPhase;
    int objectCount;
    sf::RectangleShape shape;
    sf::IntRect frame;
};
