#pragma once

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <string>

class Sfx;

// The input tests and the hover cycle that the menu widgets share.

// Where a widget stands with the pointer. Active is the widget's own held state: a knob being
// dragged, a box being typed into, a key box listening.
namespace HoverState {
enum : int {
    Idle = 0,
    Hovered = 1,
    Active = 2,
};
}

// Whether the pointer lies on the shape: closed on the left and top, open on the right and
// bottom. Window pixels and shape coordinates agree because the menu keeps the default view.
bool isInside(const sf::RectangleShape& shape, sf::Vector2i pointer);
bool isLeftPress(const sf::Event& event);
bool isLeftRelease(const sf::Event& event);

// A widget label: size 30 in the label colour.
void initLabel(sf::Text& text, const std::string& string);

// One event of a push button's cycle. Idle: the pointer coming on hovers the shape with the
// hover sound. Hovered: leaving goes back to idle silently; a left press on it leaves it idle
// and returns true, so the caller performs its click. A press while idle only hovers.
bool hoverAndClick(int& hoverState, sf::RectangleShape& shape, const sf::Event& event,
                   sf::Vector2i pointer, Sfx& sfx);
