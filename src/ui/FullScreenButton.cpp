#include "ui/FullScreenButton.hpp"

#include "audio/SFX.hpp"
#include "core/Letterbox.hpp"

FullScreenButton::FullScreenButton(const std::string& text, sf::RenderWindow* window, Sfx* sfx)
    : PushButton(text, RowWidth, sfx), fullScreen(false), window(window)
{
}

void FullScreenButton::click(Sfx& sfx)
{
    sfx.playMenuClick();
    fullScreen = !fullScreen;
    openGameWindow(*window, fullScreen);
    setLabel(fullScreen ? "Full Screen \"ON\"" : "Full Screen \"OFF\"");
    fitPicture(*window);
}
