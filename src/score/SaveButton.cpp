#include "score/SaveButton.hpp"

#include "audio/SFX.hpp"
#include "score/Score.hpp"
#include "ui/WidgetInput.hpp"

SaveButton::SaveButton(int* target, int value, Score* score, Sfx* sfx)
    : target(target), value(value), score(score), sfx(sfx), hoverState(HoverState::Idle),
      shape({150.f, 40.f})
{
    shape.setFillColor(PanelColor);
    initLabel(label, "Submit");
}

bool SaveButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    label.setPosition(position.x + 20.f, position.y);
    return true;
}

void SaveButton::setFont(const sf::Font& font) { label.setFont(font); }

void SaveButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    if (!hoverAndClick(hoverState, shape, event, pointer, *sfx))
        return;
    if (score->currentEntry().getName().empty()) {
        sfx->playInvalid();
        return;
    }
    *target = value;
    score->scoreSort();
    score->saveTable();
    sfx->playValid();
}

void SaveButton::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(label);
}
