#pragma once

#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

class Score;
class Sfx;

// "Submit" on the end-of-game page: ranks the current entry into the score table, saves the
// table and opens the statistics page. Refuses an entry without a name.
class SaveButton final : public Button {
public:
    SaveButton(int* target, int value, Score* score, Sfx* sfx);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;

private:
    int* target;
    int value;
    Score* score;
    Sfx* sfx;
    int hoverState;
    sf::RectangleShape shape;
    sf::Text label;
};
