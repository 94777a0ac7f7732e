#pragma once

#include "ui/PushButton.hpp"

// "<-Back": a short push button that writes a fixed page number into the menu's current page.
class BackButton final : public PushButton {
public:
    BackButton(int* target, int value, Sfx* sfx);

private:
    void click(Sfx& sfx) override;

    int* target;
    int value;
};
