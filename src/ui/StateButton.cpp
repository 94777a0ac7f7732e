#include "ui/StateButton.hpp"

#include "audio/SFX.hpp"

StateButton::StateButton(const std::string& text, int* target, int value, Sfx* sfx)
    : PushButton(text, RowWidth, sfx), target(target), value(value)
{
}

void StateButton::click(Sfx& sfx)
{
    *target = value;
    sfx.playMenuNewWindow();
}
