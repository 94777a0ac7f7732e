#include "ui/FullScreenButton.hpp"

#include "audio/SFX.hpp"
#include "core/Letterbox.hpp"
#include "ui/WidgetInput.hpp"

FullScreenButton::FullScreenButton(std::string text, sf::RenderWindow* window, Sfx* sfx)
    : fullScreen(false), window(window), hoverState(HoverState::Idle), shape({500.f, 40.f}),
      sfx(sfx)
{
    shape.setFillColor(PanelColor);
    initLabel(label, text);
}

bool FullScreenButton::setPosition(const sf::Vector2f& position)
{
    shape.setPosition(position);
    label.setPosition(position.x + 20.f, position.y);
    return true;
}

void FullScreenButton::setFont(const sf::Font& font) { label.setFont(font); }

void FullScreenButton::handleEvent(const sf::Event& event, sf::Vector2i pointer)
{
    if (!hoverAndClick(hoverState, shape, event, pointer, *sfx))
        return;
    sfx->playMenuClick();
    // Same mode and title as the game opens with; only the style changes. A display without that
    // mode gives the full screen another size, which shows the picture letterboxed.
    if (fullScreen) {
        window->create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
        label.setString("Full Screen \"OFF\"");
    } else {
        window->create(sf::VideoMode(1280, 720, 32), "Kestrivon",
                       sf::Style::Fullscreen | sf::Style::Close);
        label.setString("Full Screen \"ON\"");
    }
    fitPicture(*window);
    fullScreen = !fullScreen;
}

void FullScreenButton::draw(sf::RenderTarget& target)
{
    target.draw(shape);
    target.draw(label);
}

const sf::String& FullScreenButton::getLabel() const { return label.getString(); }
