#pragma once

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <map>
#include <string>

class Game;

// What the player is doing; a key press is taken only while Still.
namespace MoveState {
enum : int {
    Still = 0,
    Stepping = 1,
    TurningLeft = 2,
    TurningRight = 3,
    // Caught: the five seconds before the game is lost.
    Dying = 4,
    // Frozen while the view brightens at the start of a level.
    Starting = 5,
};
}

// The view's light: steady, or fading toward the other steady state.
namespace LightState {
enum : int {
    Lit = 0,
    Darkening = 1,
    Brightening = 2,
    Dark = 3,
};
}

// The first-person player: steps one cell and turns a quarter turn per key press, animated
// over time, walks through open doors, uses the cell in front, and is caught by the monster.
// Also draws the ray-cast view and owns the key bindings the menu edits in place.
class Player {
public:
    explicit Player(Game* game);

    // Takes the wall atlas; called once after the textures are loaded.
    void init();
    void update(float dt);
    void handleEvent(const sf::Event& event);
    void draw(sf::RenderTarget& target);

    // The binding of an action ("up", "left", "right", "action"), editable in place.
    int& getKey(std::string action);
    // The cell the player stands on or is stepping into.
    sf::Vector2i getTile() const;
    int* getMoveState();
    float getDarkness() const;

    void setPosition(sf::Vector2f newPosition);
    void setAngle(float angle);
    void setDark();
    // Freezes the player for ten seconds while the view brightens, and resets the counter.
    void startLevel();
    void setLightState(int state);
    // Starts the five-second death sequence.
    void caught();

private:
    // Darkens or brightens the view while a fade runs.
    void updateLight(float dt);
    void updateStep(float dt);
    void updateTurn(float dt);
    // One frame of the five-second sequence between being caught and losing the game.
    void updateDeath(float dt);
    // Whether the player may step into the cell; entering an open door clears its cell.
    bool canEnter(sf::Vector2i cell);

    Game* game;
    int moveState;
    int lightState;
    float fovScale;
    sf::Vector2f plane;
    sf::Vector2f targetPlane;
    sf::Vector2f position;
    sf::Vector2f targetPosition;
    float stepSpeed;
    sf::Vector2f direction;
    sf::Vector2f targetDirection;
    float turnSpeed;
    int stepSoundCountdown;
    float darkness;
    float timer;
    std::map<std::string, int> keys;
    sf::VertexArray walls;
    sf::RenderStates renderStates;
};
