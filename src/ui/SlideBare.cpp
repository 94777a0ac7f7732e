#include "ui/SlideBare.hpp"

#include "audio/Sound.hpp"
#include "ui/WidgetInput.hpp"

namespace {
// The track starts this far into the row and gives each unit of volume this many pixels; the knob
// stands this far below the row's top.
constexpr float trackOffset = 300.f;
constexpr int pixelsPerUnit = 3;
constexpr float knobDrop = 5.f;
// The drag range in window pixels: the track of a slider whose row starts at x = 130.
constexpr int rangeStart = 430;
constexpr int rangeEnd = 731;
}

SlideBare::SlideBare(std::string text, Sound* target, Sfx* sfx)
    : target(target), value(target->getVolume()), hoverState(HoverState::Idle),
      shape({650.f, RowHeight}), track({301.f, 8.f}), knob({20.f, 30.f}), sfx(*sfx)
{
    shape.setFillColor(PanelColor);
    track.setFillColor(TrackColor);
    knob.setFillColor(LabelColor);
    knob.setOrigin(10.f, 0.f);
    initLabel(label, text);
}

bool SlideBare::setPosition(const sf::Vector2f& position)
{
    basePosition = position;
    shape.setPosition(position);
    track.setPosition(position.x + trackOffset, position.y + 16.f);
    knob.setPosition(position.x + trackOffset + pixelsPerUnit * value, position.y + knobDrop);
    label.setPosition(position.x + TextInset, position.y);
    return true;
}

void SlideBare::setFont(const sf::Font& font) { label.setFont(font); }

void SlideBare::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    const bool inside = isInside(knob, pointer);
    if (hoverState == HoverState::Idle) {
        if (inside) {
            knob.setFillColor(sf::Color::White);
            hoverState = HoverState::Hovered;
            sfx.playMenuHover();
        }
    } else if (hoverState == HoverState::Hovered) {
        if (!inside) {
            knob.setFillColor(LabelColor);
            hoverState = HoverState::Idle;
        } else if (isLeftPress(event)) {
            hoverState = HoverState::Active;
        }
    } else {
        // Dragging: the pointer need not stay on the knob, and a pointer past either end leaves
        // the last value inside the range.
        if (pointer.x > rangeStart && pointer.x < rangeEnd) {
            knob.setPosition(static_cast<float>(pointer.x), basePosition.y + knobDrop);
            value = static_cast<float>((pointer.x - rangeStart) / pixelsPerUnit);
            target->setVolume(value);
            target->previewVolume();
        }
        if (isLeftRelease(event)) {
            knob.setFillColor(LabelColor);
            hoverState = HoverState::Idle;
            target->applyVolume();
        }
    }
}

void SlideBare::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(track);
    target.draw(knob);
    target.draw(label);
}
