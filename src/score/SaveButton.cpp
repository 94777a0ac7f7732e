#include "score/SaveButton.hpp"

#include "audio/SFX.hpp"
#include "score/Score.hpp"

SaveButton::SaveButton(int* target, int value, Score* score, Sfx* sfx)
    : PushButton("Submit", ShortRowWidth, sfx), target(target), value(value), score(score)
{
}

void SaveButton::click(Sfx& sfx)
{
    if (score->currentEntry().getName().empty()) {
        sfx.playInvalid();
        return;
    }
    *target = value;
    score->scoreSort();
    score->saveTable();
    sfx.playValid();
}
