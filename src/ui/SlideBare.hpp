#pragma once

#include "audio/SFX.hpp"
#include "ui/Button.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

class Sound;

// A volume slider: drag the knob along the track to set a volume from 0 to 100 on a Sound (the
// music or the effect bank). The volume is previewed while dragging and applied on release.
// Plays its hover sound through a copy of the effect bank of its own.
class SlideBare final : public Button {
public:
    SlideBare(std::string text, Sound* target, Sfx* sfx);

    bool setPosition(const sf::Vector2f& position) override;
    void setFont(const sf::Font& font) override;
    void handleEvent(const sf::Event& event, sf::Vector2i pointer) override;
    void draw(sf::RenderTarget& target) override;


private:
    Sound* target;
    float value;
    int hoverState;
    sf::RectangleShape shape;
    sf::RectangleShape track;
    sf::RectangleShape knob;
    sf::Text label;
    sf::Vector2f basePosition;
    Sfx sfx;
};
