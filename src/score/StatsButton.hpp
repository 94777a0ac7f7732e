#pragma once

#include "common/ScoreEntry.hpp"
#include "score/InfoBox.hpp"
#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>
#include <string>

class Sfx;

// A score row: one entry's name and total. While the pointer is on it, or always when it is
// highlighted (the result of the game just played), it writes the entry's detailed figures into
// the statistics panel beside their labels. Shows the entry's present content, not a copy.
class StatsButton final : public Button {
public:
    StatsButton(ScoreEntry* entry, Sfx* sfx, bool highlighted);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

    // "ACE, Total : 1215.94$": the name, then the total with two decimals.
    static std::string title(const ScoreEntry& entry);

private:
    // Rewrites the texts from the entry, only when its figures have changed since last time.
    void refresh();

    ScoreEntry* entry;
    Sfx* sfx;
    bool highlighted;
    int hoverState;
    sf::RectangleShape shape;
    sf::Text titleText;
    // One per line of the panel; the line of dashes has an empty one.
    std::array<sf::Text, statsPanel::LineCount> detailTexts;
    ScoreEntry shown;
    bool built;
};
