#include "score/Score.hpp"
#include "support/CapturedOutput.hpp"
#include "support/TempRunFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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
        CapturedOutput printed;
        score.scoreSort();
        EXPECT_EQ(printed.take(), "\n\nscoreSort\n\n");
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

TEST_F(ScoreTest, EntryReadFromATableIsSavedBackLineForLine)
{
    // Name, loot, step, door open, door close, scan, detection, shock, reboot, loot, total, bills.
    const std::string lines = "MIKA K\n3\n57\n4\n5\n2\n1\n6\n7\n3\n12345.7\n200.5\n";
    std::istringstream in(lines);
    Score read;
    read.readTable(in);
    score.currentEntry() = read.tableEntry(0);
    // The total is saved shortened.
    score.currentEntry().setTotal(12345.678f);
    submit();
    EXPECT_EQ(tableText(), lines + storedTable().substr(0, storedTable().find("ECHO")));
    EXPECT_FALSE(fs::exists("data/Score.txt.tmp"));

    // Of the two loot lines the later one counts.
    std::istringstream twoLoots("ACE\n2\n57\n4\n4\n2\n1\n1\n0\n3\n1215.94\n200\n");
    read.readTable(twoLoots);
    EXPECT_EQ(read.tableEntry(0).getLoot(), 3);
}

TEST_F(ScoreTest, SubmittedGamesRankByTotalBelowEqualOnesWithTheirSign)
{
    struct Submit {
        const char* name;
        float total;
        const char* totalLine;
        const char* saved;
    };
    const Submit submits[] = {
        {"LOSER", -150.f, "", "ALPHA BRAVO CHARLIE DELTA ECHO "},
        {"DEBTOR", -79.75f, "\n-79.75\n", "ALPHA BRAVO CHARLIE DELTA DEBTOR "},
        {"TIED", 300.f, "\n300\n", "ALPHA BRAVO CHARLIE TIED DELTA "},
        {"BEST", 9000.f, "\n9000\n", "BEST ALPHA BRAVO CHARLIE TIED "},
    };
    for (const Submit& row : submits) {
        score.resetCurrent();
        score.currentEntry().setName(row.name);
        score.currentEntry().setTotal(row.total);
        submit();
        EXPECT_EQ(savedNames(), row.saved);
        if (*row.totalLine) {
            EXPECT_NE(tableText().find(row.totalLine), std::string::npos) << row.name;
        } else {
            EXPECT_EQ(tableText(), storedTable());
        }
    }
}

TEST_F(ScoreTest, DamagedTableFillsTheSlotsBeforeItsFirstBadField)
{
    const std::string table = storedTable();
    std::string garbled = table;
    garbled.replace(garbled.find("BRAVO\n1\n11"), 10, "BRAVO\n1\nxx");
    const std::pair<std::string, int> damaged[] = {
        {table.substr(0, table.find("CHARLIE") + 12), 2}, {garbled, 1}, {"", 0}};
    for (const auto& [text, filled] : damaged) {
        std::istringstream in(text);
        Score read;
        read.readTable(in);
        for (int slot = 0; slot < Score::TableSize; ++slot) {
            const ScoreEntry& entry = read.tableEntry(slot);
            EXPECT_EQ(entry.getName().empty(), slot >= filled) << filled << " " << slot;
            EXPECT_EQ(entry.getStep(), slot < filled ? 10 + slot : 0) << filled << " " << slot;
        }
    }
}

TEST_F(ScoreTestDeathTest, MissingTableEndsTheGame)
{
    fs::remove("data/Score.txt");
    EXPECT_EXIT(
        {
            std::cout.rdbuf(std::cerr.rdbuf());
            score.loadTable();
        },
        testing::ExitedWithCode(1), "^Le fichier n'existe pas$");
}

TEST_F(ScoreTestDeathTest, FailedSaveEndsTheGameAndKeepsThePreviousTable)
{
    score.currentEntry().setName("LOST");
    score.currentEntry().setTotal(9000.f);
    submit();
    // The file goes back to the table before this game.
    folder.write("data/Score.txt", storedTable());
    const auto saveEndsTheGame = [this] {
        EXPECT_EXIT(
            {
                std::cout.rdbuf(std::cerr.rdbuf());
                score.saveTable();
            },
            testing::ExitedWithCode(1), "^Le fichier n'existe pas$");
        EXPECT_FALSE(fs::exists(fs::symlink_status("data/Score.txt.tmp")));
    };

    // A full disk: the temporary file takes no data.
    fs::create_symlink("/dev/full", "data/Score.txt.tmp");
    saveEndsTheGame();
    EXPECT_EQ(tableText(), storedTable());

    // The rename cannot replace what stands in the table's place.
    fs::rename("data/Score.txt", "previous.txt");
    fs::create_directory("data/Score.txt");
    fs::rename("previous.txt", "data/Score.txt/kept.txt");
    saveEndsTheGame();
    EXPECT_TRUE(fs::exists("data/Score.txt/kept.txt"));
}

} // namespace
