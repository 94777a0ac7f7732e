#pragma once

#include "ui/PushButton.hpp"

class Score;

// "Submit" on the end-of-game page: ranks the current entry into the score table, saves the
// table and opens the statistics page. Refuses an entry without a name.
class SaveButton final : public PushButton {
public:
    SaveButton(int* target, int value, Score* score, Sfx* sfx);

private:
    void click(Sfx& sfx) override;

    int* target;
    int value;
    Score* score;
};
