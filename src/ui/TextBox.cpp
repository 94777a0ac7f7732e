#include "ui/TextBox.hpp"

#include "audio/SFX.hpp"
#include "ui/WidgetInput.hpp"

TextBox::TextBox(std::string text, std::string* target, int maxLength, Sfx* sfx)
    : maxLength(maxLength), target(target), hoverState(HoverState::Idle),
      shape({RowWidth, RowHeight}), box({300.f, RowHeight}), sfx(sfx)
{
    shape.setFillColor(PanelColor);
    box.setFillColor(PanelColor);
    box.setOutlineThickness(2.f);
    box.setOutlineColor(LabelColor);
    initLabel(label, text);
    initLabel(valueText, *target);
}

bool TextBox::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    const float boxX = position.x + 200.f;
    box.setPosition(boxX, position.y);
    valueText.setPosition(boxX + TextInset, position.y);
    label.setPosition(position.x + TextInset, position.y);
    return true;
}

void TextBox::setFont(const sf::Font& font)
{
    valueText.setFont(font);
    label.setFont(font);
}

void TextBox::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    // The string may also change elsewhere (a new game empties the name): show what it holds.
    valueText.setString(*target);

    if (hoverState != HoverState::Active) {
        if (hoverAndClick(hoverState, box, event, pointer, *sfx)) {
            box.setOutlineColor(ActiveColor);
            valueText.setFillColor(ActiveColor);
            hoverState = HoverState::Active;
            sfx->playMenuClick();
        }
        return;
    }

    if (isLeftPress(event) && !isInside(box, pointer)) {
        stopEditing();
    } else if (event.type == sf::Event::TextEntered) {
        const sf::Uint32 character = event.text.unicode;
        if (static_cast<int>(target->size()) < maxLength && character >= 32 && character <= 126) {
            target->push_back(static_cast<char>(character));
            sfx->playBip();
        }
    } else if (event.type == sf::Event::KeyPressed) {
        if (event.key.code == sf::Keyboard::BackSpace && !target->empty()) {
            target->pop_back();
            sfx->playBip();
        } else if (event.key.code == sf::Keyboard::Return) {
            stopEditing();
        }
    }
}

void TextBox::stopEditing()
{
    box.setFillColor(PanelColor);
    box.setOutlineColor(LabelColor);
    valueText.setFillColor(LabelColor);
    hoverState = HoverState::Idle;
    sfx->playValid();
}

void TextBox::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(box);
    target.draw(valueText);
    target.draw(label);
}
