#pragma once

#include "ui/PushButton.hpp"

#include <string>

// A push button that writes a fixed value into an integer owned elsewhere: the menu's current
// page, the game state (to quit) or the network status (to ask for a connection).
class StateButton final : public PushButton {
public:
    StateButton(const std::string& text, int* target, int value, Sfx* sfx);

private:
    void click(Sfx& sfx) override;

    int* target;
    int value;
};
