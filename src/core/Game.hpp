#pragma once

#include "actors/Monster.hpp"
#include "actors/Player.hpp"
#include "audio/Music.hpp"
#include "audio/SFX.hpp"
#include "core/Fonts.hpp"
#include "core/GameState.hpp"
#include "core/Textures.hpp"
#include "net/Network.hpp"
#include "score/Score.hpp"
#include "ui/Menu.hpp"
#include "world/Geiger.hpp"
#include "world/Level.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>

// The root of the program: owns the window, the frame clock and one instance of every
// subsystem, by value and in construction order, and runs the frame loop. Subsystems reach
// their siblings only through the accessors below. Not copyable: every back-pointer names
// this one instance.
class Game {
public:
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    Game(Game&&) = delete;
    Game& operator=(Game&&) = delete;

    // Opens the game's window, loads everything and runs frames until the window closes.
    void run();
    void init();
    // One frame of logic: music, network, the state machine, then the window's events.
    void update();
    // One frame of drawing for the current state.
    void render();
    // Routes one window event by the state at that moment.
    void handleEvent(const sf::Event& event);

    void setState(int newState);
    int& getState();

    sf::RenderWindow& getWindow();
    Textures& getTextures();
    Fonts& getFonts();
    Music& getMusic();
    Sfx& getSfx();
    Network& getNetwork();
    Menu& getMenu();
    Level& getLevel();
    Player& getPlayer();
    Monster& getMonster();
    Geiger& getGeiger();
    Score& getScore();

private:
    int state;
    sf::Clock clock;
    sf::RenderWindow window;
    Textures textures;
    Fonts fonts;
    Music music;
    Sfx sfx;
    Network network;
    Menu menu;
    Level level;
    Player player;
    Monster monster;
    Geiger geiger;
    Score score;
};
