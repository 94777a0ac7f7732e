#include "score/Score.hpp"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

// Reads an input as the score file, then ranks an entry into whatever the table became, as
// the first submit after start-up does.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Score score;
    score.readTable(in);
    score.currentEntry().setName("FUZZ");
    score.currentEntry().setLoot(3);
    score.currentEntry().setBills(200.f);
    score.currentEntry().computeTotal();
    score.scoreSort();
    return 0;
}
