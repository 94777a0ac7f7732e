#include "score/Score.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Five entries ranked 500, 400, 300, 200, 100; loot and step tell them apart.
std::string storedTable()
{
    std::ostringstream text;
    const char* names[] = {"ALPHA", "BRAVO", "CHARLIE", "DELTA", "ECHO"};
    for (int i = 0; i < 5; ++i)
        text << names[i] << "\n1\n" << 10 + i << "\n0\n0\n0\n0\n0\n0\n1\n" << 500 - 100 * i
             << "\n0\n";
    return text.str();
}

// Each test runs in a folder of its own holding data/Score.txt.
class ScoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        previous = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "kestrivon-score-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::create_directory(folder / "data");
        fs::current_path(folder);
    }

    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    static void writeTable(const std::string& text)
    {
        std::ofstream("data/Score.txt", std::ios::trunc) << text;
    }

    static std::string tableText()
    {
        std::ifstream in("data/Score.txt");
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void submit(Score& score, const std::string& name, float total)
    {
        score.resetCurrent();
        score.currentEntry().setName(name);
        score.currentEntry().setTotal(total);
        testing::internal::CaptureStdout();
        score.scoreSort();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n\nscoreSort\n\n");
        score.saveTable();
    }

    fs::path previous;
    fs::path folder;
};

using ScoreTestDeathTest = ScoreTest;

TEST_F(ScoreTest, SavedTableLoadsBackWithSpacedNamesAndShortenedTotals)
{
    writeTable(storedTable());
    Score score;
    score.loadTable();
    score.resetCurrent();
    ScoreEntry& entry = score.currentEntry();
    entry.setName("MIKA K");
    entry.setLoot(3);
    entry.setStep(57);
    entry.setDoorOpen(4);
    entry.setDoorClose(4);
    entry.setScan(2);
    entry.setDetection(1);
    entry.setShock(1);
    entry.setTotal(12345.678f);
    entry.setBills(200.f);
    testing::internal::CaptureStdout();
    score.scoreSort();
    testing::internal::GetCapturedStdout();
    score.saveTable();

    const std::string written = "MIKA K\n3\n57\n4\n4\n2\n1\n1\n0\n3\n12345.7\n200\n";
    EXPECT_EQ(tableText().substr(0, written.size()), written);
    EXPECT_FALSE(fs::exists("data/Score.txt.tmp"));

    Score reloaded;
    reloaded.loadTable();
    EXPECT_EQ(reloaded.tableEntry(0).getName(), "MIKA K");
    EXPECT_EQ(reloaded.tableEntry(0).getTotal(), 12345.7f);
    EXPECT_EQ(reloaded.tableEntry(0).getBills(), 200.f);
    EXPECT_EQ(reloaded.tableEntry(0).getStep(), 57);
    EXPECT_EQ(reloaded.tableEntry(0).getShock(), 1);
    EXPECT_EQ(reloaded.tableEntry(1).getName(), "ALPHA");
    EXPECT_EQ(reloaded.tableEntry(4).getName(), "DELTA");
    EXPECT_EQ(reloaded.currentEntry().getName(), "");
}

TEST_F(ScoreTest, LootIsTakenFromItsSecondLine)
{
    writeTable("ACE\n2\n57\n4\n4\n2\n1\n1\n0\n3\n1215.94\n200\n" + storedTable());
    Score score;
    score.loadTable();
    EXPECT_EQ(score.tableEntry(0).getLoot(), 3);
    EXPECT_EQ(score.tableEntry(1).getName(), "ALPHA");
    EXPECT_EQ(score.tableEntry(4).getName(), "DELTA");
}

TEST_F(ScoreTest, NewcomersRankByTotalBelowEqualOnes)
{
    writeTable(storedTable());
    Score score;
    score.loadTable();

    submit(score, "LOSER", 50.f);
    EXPECT_EQ(tableText(), storedTable());

    submit(score, "TIED", 300.f);
    EXPECT_EQ(score.tableEntry(2).getName(), "CHARLIE");
    EXPECT_EQ(score.tableEntry(3).getName(), "TIED");
    EXPECT_EQ(score.tableEntry(4).getName(), "DELTA");

    submit(score, "BEST", 9000.f);
    EXPECT_EQ(tableText().substr(0, 5), "BEST\n");
    EXPECT_EQ(score.tableEntry(4).getName(), "TIED");
    EXPECT_EQ(tableText().find("DELTA"), std::string::npos);
}

TEST_F(ScoreTest, NegativeTotalKeepsItsSignAndRanksBelowZero)
{
    writeTable(storedTable());
    Score score;
    score.loadTable();
    score.tableEntry(3).setTotal(0.f);
    score.tableEntry(4).setTotal(-100.f);

    submit(score, "DEBTOR", -79.75f);
    EXPECT_EQ(score.tableEntry(3).getName(), "DELTA");
    EXPECT_EQ(score.tableEntry(4).getName(), "DEBTOR");
    EXPECT_NE(tableText().find("\n-79.75\n"), std::string::npos);
    Score reloaded;
    reloaded.loadTable();
    EXPECT_EQ(reloaded.tableEntry(4).getTotal(), -79.75f);
}

TEST_F(ScoreTest, DamagedFileFillsTheSlotsBeforeItsFirstBadField)
{
    const std::string table = storedTable();
    const std::string twoAndAHalf = table.substr(0, table.find("CHARLIE") + 12);
    writeTable(twoAndAHalf);
    Score truncated;
    truncated.loadTable();
    EXPECT_EQ(truncated.tableEntry(1).getName(), "BRAVO");
    EXPECT_EQ(truncated.tableEntry(1).getTotal(), 400.f);
    for (int slot = 2; slot < 5; ++slot) {
        EXPECT_EQ(truncated.tableEntry(slot).getName(), "") << slot;
        EXPECT_EQ(truncated.tableEntry(slot).getTotal(), 0.f) << slot;
    }

    std::string garbled = table;
    garbled.replace(garbled.find("BRAVO\n1\n11"), 10, "BRAVO\n1\nxx");
    writeTable(garbled);
    Score malformed;
    malformed.loadTable();
    EXPECT_EQ(malformed.tableEntry(0).getName(), "ALPHA");
    EXPECT_EQ(malformed.tableEntry(0).getTotal(), 500.f);
    for (int slot = 1; slot < 5; ++slot) {
        EXPECT_EQ(malformed.tableEntry(slot).getName(), "") << slot;
        EXPECT_EQ(malformed.tableEntry(slot).getStep(), 0) << slot;
    }

    writeTable("");
    Score empty;
    empty.loadTable();
    EXPECT_EQ(empty.tableEntry(0).getName(), "");
}

TEST_F(ScoreTestDeathTest, MissingTableEndsTheGame)
{
    Score score;
    EXPECT_EXIT(
        {
            std::cout.rdbuf(std::cerr.rdbuf());
            score.loadTable();
        },
        testing::ExitedWithCode(1), "^Le fichier n'existe pas$");
}

TEST_F(ScoreTestDeathTest, FailedSaveEndsTheGameAndKeepsThePreviousTable)
{
    writeTable(storedTable());
    Score score;
    score.loadTable();
    score.currentEntry().setName("LOST");
    score.currentEntry().setTotal(9000.f);
    testing::internal::CaptureStdout();
    score.scoreSort();
    testing::internal::GetCapturedStdout();

    // A full disk: the temporary file takes no data.
    fs::create_symlink("/dev/full", "data/Score.txt.tmp");
    EXPECT_EXIT(
        {
            std::cout.rdbuf(std::cerr.rdbuf());
            score.saveTable();
        },
        testing::ExitedWithCode(1), "^Le fichier n'existe pas$");
    EXPECT_EQ(tableText(), storedTable());
    EXPECT_FALSE(fs::exists(fs::symlink_status("data/Score.txt.tmp")));

    // The rename cannot replace what stands in the table's place.
    fs::rename("data/Score.txt", "previous.txt");
    fs::create_directory("data/Score.txt");
    fs::rename("previous.txt", "data/Score.txt/kept.txt");
    EXPECT_EXIT(
        {
            std::cout.rdbuf(std::cerr.rdbuf());
            score.saveTable();
        },
        testing::ExitedWithCode(1), "^Le fichier n'existe pas$");
    EXPECT_TRUE(fs::exists("data/Score.txt/kept.txt"));
    EXPECT_FALSE(fs::exists("data/Score.txt.tmp"));
}

}
