#include "MenuEvents.hpp"

#include "score/SaveButton.hpp"
#include "score/Score.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

using namespace menuEvents;

// Runs the test in a folder of its own holding a copy of the shipped score table, so that a
// submit never touches the player's scores in the build folder.
class SaveButtonTest : public testing::Test {
protected:
    SaveButtonTest()
        : home(fs::current_path()),
          folder(fs::temp_directory_path() / ("kestrivon-save-" + std::to_string(::getpid())))
    {
        fs::remove_all(folder);
        fs::create_directories(folder / "data");
        fs::copy_file(home / "data" / "Score.txt", folder / "data" / "Score.txt");
        fs::current_path(folder);
        score.loadTable();
        before = table();
    }

    ~SaveButtonTest() override
    {
        fs::current_path(home);
        fs::remove_all(folder);
    }

    static std::string table()
    {
        std::ifstream in("data/Score.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path home;
    fs::path folder;
    Ear ear;
    Score score;
    std::string before;
    int page = 5;
    SaveButton submit{&page, 4, &score, &ear.bank};
};

TEST_F(SaveButtonTest, SubmitWithoutANameIsRefusedAndWritesNothing)
{
    submit.setPosition({130.f, 420.f});
    score.currentEntry().setTotal(99999.f);
    ear.silence();
    click(submit, {140, 430});

    EXPECT_TRUE(ear.heard(Invalid));
    EXPECT_FALSE(ear.heard(Valid));
    EXPECT_EQ(page, 5);
    EXPECT_EQ(table(), before);
    EXPECT_NE(score.tableEntry(0).getTotal(), 99999.f);
}

TEST_F(SaveButtonTest, SubmitWithANameRanksSavesAndOpensTheStatisticsPage)
{
    submit.setPosition({130.f, 420.f});
    score.currentEntry().setName("ACE");
    score.currentEntry().setTotal(99999.f);
    ear.silence();
    click(submit, {140, 430});

    EXPECT_TRUE(ear.heard(Valid));
    EXPECT_EQ(page, 4);
    EXPECT_EQ(score.tableEntry(0).getName(), "ACE");
    EXPECT_EQ(table().rfind("ACE\n", 0), 0u);
}

}
