#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <cstddef>

// Where the panel's lines stand; the score rows put each figure on its label's line. The
// monospace labels take 13 characters, which at this size end before the figures begin.
namespace statsPanel {
// The eight counters, a line of dashes, the revenue and the bills.
constexpr std::size_t LineCount = 11;
constexpr unsigned LineSize = 26;
constexpr float LabelX = 785.f;
constexpr float FigureX = 1000.f;
constexpr float FirstLineY = 200.f;
constexpr float LineStep = 40.f;
}

// The fixed panel on the right of the statistics pages that lists the labels of the detailed
// figures; the score rows write their figures beside these labels. Takes no row of the layout.
class InfoBox final : public Button {
public:
    InfoBox();

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

private:
    sf::RectangleShape shape;
    sf::Text text;
    // Built once, so drawing the panel every frame allocates nothing.
    std::array<sf::Text, statsPanel::LineCount> lines;
};
