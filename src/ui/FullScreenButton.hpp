#pragma once

#include "ui/PushButton.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <string>

// Switches the game's own window between windowed and full screen by re-creating it, so every
// holder of the window keeps working. The label names the mode the window is in.
class FullScreenButton final : public PushButton {
public:
    FullScreenButton(const std::string& text, sf::RenderWindow* window, Sfx* sfx);

private:
    void click(Sfx& sfx) override;

    bool fullScreen;
    sf::RenderWindow* window;
};
