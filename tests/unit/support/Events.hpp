#pragma once

#include <SFML/Window/Event.hpp>

// Window events as the game receives them, for tests that drive the menu, the player or the game.
namespace events {

inline sf::Event ofType(sf::Event::EventType type)
{
    sf::Event event;
    event.type = type;
    return event;
}

inline sf::Event keyPressed(sf::Keyboard::Key code)
{
    sf::Event event = ofType(sf::Event::KeyPressed);
    event.key = {code, false, false, false, false};
    return event;
}

inline sf::Event textEntered(sf::Uint32 character)
{
    sf::Event event = ofType(sf::Event::TextEntered);
    event.text.unicode = character;
    return event;
}

inline sf::Event moved(sf::Vector2i pointer)
{
    sf::Event event = ofType(sf::Event::MouseMoved);
    event.mouseMove = {pointer.x, pointer.y};
    return event;
}

inline sf::Event press(sf::Vector2i pointer, sf::Mouse::Button button = sf::Mouse::Left,
                       sf::Event::EventType type = sf::Event::MouseButtonPressed)
{
    sf::Event event = ofType(type);
    event.mouseButton = {button, pointer.x, pointer.y};
    return event;
}

inline sf::Event release(sf::Vector2i pointer)
{
    return press(pointer, sf::Mouse::Left, sf::Event::MouseButtonReleased);
}

// Moves the pointer onto p, then presses the left button there: a full click, since a press on
// an idle menu widget only hovers it. Anything with handleEvent(event, pointer): a widget, a menu.
template <class Target> void click(Target& target, sf::Vector2i p)
{
    target.handleEvent(moved(p), p);
    target.handleEvent(press(p), p);
}

} // namespace events
