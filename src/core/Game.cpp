#include "core/Game.hpp"

#include "core/Letterbox.hpp"

#include <SFML/Window/Event.hpp>

#include <iostream>

Game::Game()
    : state(GameState::EnterMenu),
      textures(this),
      fonts(this),
      network(this),
      menu(this),
      level(this),
      player(this),
      monster(this),
      geiger(this)
{
}

void Game::run()
{
    openGameWindow(window, false);
    init();
    while (window.isOpen()) {
        update();
        render();
    }
}

void Game::init()
{
    score.loadTable();
    textures.load();
    fonts.load();
    menu.build();
    player.init();
    geiger.init();
}

void Game::update()
{
    const float dt = clock.restart().asSeconds();
    music.update(dt);
    network.poll();

    switch (state) {
    case GameState::EnterMenu:
        music.setState(Music::MenuTheme);
        state = GameState::InMenu;
        break;
    case GameState::InMenu:
        menu.update();
        break;
    case GameState::StartGame:
        score.resetCurrent();
        music.setState(Music::GameLayers);
        state = GameState::InGame;
        break;
    case GameState::InGame:
        player.update(dt);
        geiger.update(dt);
        break;
    case GameState::GameWon:
        state = GameState::EnterMenu;
        menu.setPage(Page::EndOfGame);
        break;
    case GameState::GameLost:
        std::cout << "lose\n";
        state = GameState::EnterMenu;
        menu.setPage(Page::EndOfGame);
        break;
    default:
        break;
    }

    sf::Event event;
    while (window.pollEvent(event))
        handleEvent(event);
}

void Game::handleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::Closed)
        window.close();

    switch (state) {
    case GameState::InMenu:
        menu.handleEvent(event);
        break;
    case GameState::Quit:
        window.close();
        break;
    case GameState::InGame:
        player.handleEvent(event);
        break;
    default:
        break;
    }
}

void Game::render()
{
    window.clear(sf::Color::Black);
    if (state == GameState::InMenu) {
        menu.draw(window);
    } else if (state == GameState::InGame) {
        player.draw(window);
        geiger.draw(window);
    }
    window.display();
}

void Game::setState(int newState)
{
    state = newState;
}

int& Game::getState()
{
    return state;
}

sf::RenderWindow& Game::getWindow() { return window; }
Textures& Game::getTextures() { return textures; }
Fonts& Game::getFonts() { return fonts; }
Music& Game::getMusic() { return music; }
Sfx& Game::getSfx() { return sfx; }
Network& Game::getNetwork() { return network; }
Menu& Game::getMenu() { return menu; }
Level& Game::getLevel() { return level; }
Player& Game::getPlayer() { return player; }
Monster& Game::getMonster() { return monster; }
Geiger& Game::getGeiger() { return geiger; }
Score& Game::getScore() { return score; }
