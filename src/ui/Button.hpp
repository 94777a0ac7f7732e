#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

// A menu widget. Pages own widgets through Button pointers, give them the page font, place
// them, and pass them every window event with the pointer position sampled from the window.
class Button {
public:
    virtual ~Button() = default;
    // Places the widget at the top-left of its row; false when it takes no row of the layout.
    virtual bool setPosition(const sf::Vector2f& position) = 0;
    virtual void setFont(const sf::Font& font) = 0;
    virtual void handleEvent(const sf::Event& event, sf::Vector2i pointer) = 0;
    virtual void draw(sf::RenderTarget& target) = 0;
};

// The layout every widget shares: rows of one height, most of them wide, and each text set in
// from the left edge of its row or box.
constexpr float RowHeight = 40.f;
constexpr float RowWidth = 500.f;
constexpr float ShortRowWidth = 150.f;
constexpr float TextInset = 20.f;

// The palette every widget shares.
inline const sf::Color PanelColor(35, 35, 40, 115);
inline const sf::Color HoverColor(60, 60, 60, 115);
inline const sf::Color LabelColor(163, 181, 203, 255);
inline const sf::Color ActiveColor(150, 220, 255, 255);
inline const sf::Color TrackColor(83, 101, 123, 255);
