#include "ui/BackButton.hpp"

#include "audio/SFX.hpp"

BackButton::BackButton(int* target, int value, Sfx* sfx)
    : PushButton("<-Back", ShortRowWidth, sfx), target(target), value(value)
{
}

void BackButton::click(Sfx& sfx)
{
    *target = value;
    sfx.playMenuCloseWindow();
}
