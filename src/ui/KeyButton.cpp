#include "ui/KeyButton.hpp"

#include "audio/SFX.hpp"
#include "ui/KeyName.hpp"
#include "ui/WidgetInput.hpp"

KeyButton::KeyButton(std::string text, int* key, Sfx* sfx)
    : key(key), hoverState(HoverState::Idle), shape({RowWidth, RowHeight}),
      box({250.f, RowHeight}), sfx(sfx)
{
    shape.setFillColor(PanelColor);
    box.setFillColor(PanelColor);
    box.setOutlineThickness(2.f);
    box.setOutlineColor(LabelColor);
    initLabel(label, text);
    initLabel(keyText, keyName(*key));
}

bool KeyButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    const float boxX = position.x + 250.f;
    box.setPosition(boxX, position.y);
    keyText.setPosition(boxX + TextInset, position.y);
    label.setPosition(position.x + TextInset, position.y);
    return true;
}

void KeyButton::setFont(const sf::Font& font)
{
    keyText.setFont(font);
    label.setFont(font);
}

void KeyButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    if (hoverState != HoverState::Active) {
        if (hoverAndClick(hoverState, box, event, pointer, *sfx)) {
            box.setOutlineColor(ActiveColor);
            keyText.setFillColor(ActiveColor);
            hoverState = HoverState::Active;
            sfx->playMenuClick();
        }
        return;
    }

    // Listening: only a press outside the box or a key ends it.
    if (isLeftPress(event) && !isInside(box, pointer)) {
        stopListening();
    } else if (event.type == sf::Event::KeyPressed) {
        stopListening();
        if (event.key.code == sf::Keyboard::Escape) {
            sfx->playInvalid();
        } else {
            *key = event.key.code;
            keyText.setString(keyName(*key));
            sfx->playValid();
        }
    }
}

void KeyButton::stopListening()
{
    box.setFillColor(PanelColor);
    box.setOutlineColor(LabelColor);
    keyText.setFillColor(LabelColor);
    hoverState = HoverState::Idle;
}

void KeyButton::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(box);
    target.draw(keyText);
    target.draw(label);
}

const sf::String& KeyButton::getKeyText() const { return keyText.getString(); }
