#include "support/Events.hpp"
#include "support/HeardEffects.hpp"
#include "support/TempRunFolder.hpp"

#include "score/SaveButton.hpp"
#include "score/Score.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

// A submit with a name ranks the result, saves the table and opens the statistics page; without
// a name it is refused and nothing is written. Runs on a copy of the shipped table.
TEST(SaveButtonTest, SubmitSavesANamedResultAndRefusesAnEmptyName)
{
    const struct {
        const char* name;
        Sfx::Effect sound;
        int page;
        bool saved;
    } submits[] = {{"ACE", Sfx::Valid, 4, true}, {"", Sfx::Invalid, 5, false}};
    Ear ear;
    for (const auto& submit : submits) {
        SCOPED_TRACE(submit.name);
        TempRunFolder folder;
        folder.copy("data/Score.txt");
        folder.enter();
        const std::string before = folder.read("data/Score.txt");
        Score score;
        score.loadTable();
        int page = 5;
        SaveButton button(&page, 4, &score, &ear.bank);
        button.setPosition({130.f, 420.f});
        score.currentEntry().setName(submit.name);
        score.currentEntry().setTotal(99999.f);

        ear.silence();
        events::click(button, {140, 430});
        EXPECT_TRUE(ear.heard(submit.sound));
        EXPECT_EQ(page, submit.page);
        EXPECT_EQ(score.tableEntry(0).getTotal() == 99999.f, submit.saved);
        const std::string after = folder.read("data/Score.txt");
        EXPECT_EQ(after.rfind("ACE\n", 0) == 0, submit.saved);
        EXPECT_EQ(after == before, !submit.saved);
    }
}

} // namespace
