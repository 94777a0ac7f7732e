#include "ui/FullScreenButton.hpp"

#include "audio/SFX.hpp"
#include "core/Letterbox.hpp"

FullScreenButton::FullScreenButton(const std::string& text, sf::RenderWindow* window, Sfx* sfx)
    : PushButton(text, 500.f, sfx), fullScreen(false), window(window)
{
}

void FullScreenButton::click(Sfx& sfx)
{
    sfx.playMenuClick();
    // Same mode and title as the game opens with; only the style changes. A display without that
    // mode gives the full screen another size, which shows the picture letterboxed.
    if (fullScreen) {
        window->create(sf::VideoMode(1280, 720, 32), "Kestrivon", sf::Style::Close);
        setLabel("Full Screen \"OFF\"");
    } else {
        window->create(sf::VideoMode(1280, 720, 32), "Kestrivon",
                       sf::Style::Fullscreen | sf::Style::Close);
        setLabel("Full Screen \"ON\"");
    }
    fitPicture(*window);
    fullScreen = !fullScreen;
}
