#include "score/Score.hpp"
#include "support/CapturedOutput.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

namespace fs = std::filesystem;

namespace {

// Five entries ranked 500, 400, 300, 0, -100; step tells them apart.
std::string storedTable()
{
    std::ostringstream text;
    const char* names[] = {"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO"};
    const int totals[] = {500, 400, 300, 0, -100};
    for (int i = 0; i < 5; ++i)
        text << names[i] << "\n1\n" << 10 + i << "\n0\n0\n0\n0\n0\n0\n1\n" << totals[i] << "\n0\n";
    return text.str();
}

// Each test runs in a folder of its own holding data/Score.txt.
class ScoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder.enter();
        folder.write("data/Score.txt", storedTable());
        score.loadTable();
    }

    std::string tableText() const { return folder.read("data/Score.txt"); }

    // Ranks the current entry in and saves the table.
    void submit()
    {
        CapturedOutput quiet;
        score.scoreSort();
        score.saveTable();
    }

    // The names in the saved table, read back from the file.
    static std::string savedNames()
    {
        Score saved;
        saved.loadTable();
        std::string names;
        for (int slot = 0; slot < Score::TableSize; ++slot)
            names += saved.tableEntry(slot).getName() + " ";
        return names;
    }

    TempRunFolder folder;
    Score score;
};

using ScoreTestDeathTest = ScoreTest;

TEST_F(ScoreTest, SubmittedGamesRankByTotalBelowEqualOnesAndAreSavedLineForLine)
{
    // Name, total, the total's line in the saved table, the saved names.
    const std::tuple<const char*, float, const char*, const char*> submits[] = {
        {"LOSER", -150.f, "", "ALPHA BRAVO CHARLIE DELTA ECHO "},
        {"DEBTOR", -79.75f, "\n-79.75\n", "ALPHA BRAVO CHARLIE DELTA DEBTOR "},
        {"TIED", 300.f, "\n300\n", "ALPHA BRAVO CHARLIE TIED DELTA "},
        {"BEST", 9000.f, "\n9000\n", "BEST ALPHA BRAVO CHARLIE TIED "},
    };
    for (const auto& [name, total, totalLine, saved] : submits) {
        SCOPED_TRACE(name);
        score.resetCurrent();
        score.currentEntry().setName(name);
        score.currentEntry().setTotal(total);
        submit();
        EXPECT_EQ(savedNames(), saved);
        if (*totalLine)
            EXPECT_NE(tableText().find(totalLine), std::string::npos);
        else
            EXPECT_EQ(tableText(), storedTable());
    }

    // Name, loot, step, door open, door close, scan, detection, shock, reboot, loot, total, bills:
    // an entry read from a table goes back line for line, its total shortened.
    const std::string lines = "MIKA K\n3\n57\n4\n5\n2\n1\n6\n7\n3\n12345.7\n200.5\n";
    std::istringstream in(lines);
    Score read;
    read.readTable(in);
    score.currentEntry() = read.tableEntry(0);
    score.currentEntry().setTotal(12345.678f);
    submit();
    EXPECT_EQ(tableText().substr(0, lines.size()), lines);
    EXPECT_FALSE(fs::exists("data/Score.txt.tmp"));

    // Of the two loot lines the later one counts.
    std::istringstream twoLoots("ACE\n2\n57\n4\n4\n2\n1\n1\n0\n3\n1215.94\n200\n");
    read.readTable(twoLoots);
    EXPECT_EQ(read.tableEntry(0).getLoot(), 3);
}

TEST_F(ScoreTest, DamagedTableFillsTheSlotsBeforeItsFirstBadField)
{
    const std::string table = storedTable();
    std::string garbled = table;
    garbled.replace(garbled.find("BRAVO\n1\n11"), 10, "BRAVO\n1\nxx");
    // A table cut inside its third entry, one with a letter in a number, an empty one.
    const std::pair<std::string, int> damaged[] = {
        {table.substr(0, table.find("CHARLIE") + 12), 2}, {garbled, 1}, {"", 0}};
    for (const auto& [text, filled] : damaged) {
        SCOPED_TRACE(filled);
        std::istringstream in(text);
        Score read;
        read.readTable(in);
        for (int slot = 0; slot < Score::TableSize; ++slot) {
            EXPECT_EQ(read.tableEntry(slot).getName().empty(), slot >= filled) << slot;
            EXPECT_EQ(read.tableEntry(slot).getStep(), slot < filled ? 10 + slot : 0) << slot;
        }
    }
}

TEST_F(ScoreTestDeathTest, TableThatCannotBeReadOrWrittenEndsTheGameKeepingThePreviousOne)
{
    const auto endsTheGame = [](const std::function<void()>& what) {
        EXPECT_EXIT(
            {
                std::cout.rdbuf(std::cerr.rdbuf());
                what();
            },
            testing::ExitedWithCode(1), "^Le fichier n'existe pas$");
        EXPECT_FALSE(fs::exists(fs::symlink_status("data/Score.txt.tmp")));
    };
    score.currentEntry().setTotal(9000.f);
    submit();
    // The file goes back to the table before this game.
    folder.write("data/Score.txt", storedTable());

    // A full disk: the temporary file takes no data.
    fs::create_symlink("/dev/full", "data/Score.txt.tmp");
    endsTheGame([this] { score.saveTable(); });
    EXPECT_EQ(tableText(), storedTable());

    fs::remove("data/Score.txt");
    endsTheGame([this] { score.loadTable(); });
}

} // namespace
