#include "score/Score.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace fs = std::filesystem;

namespace {

// One submit as the end-of-game page makes it: rank the entry, then replace the table file
// through its temporary copy, flushed to the disk. Runs in a folder of its own.
void BM_SubmitScore(benchmark::State& state)
{
    const fs::path previous = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "kestrivon-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    fs::create_directory(fs::path(pattern) / "data");
    fs::current_path(pattern);

    // The ranking's trace would flood the report.
    std::cout.setstate(std::ios::badbit);
    Score score;
    float total = 0.f;
    for (auto _ : state) {
        score.resetCurrent();
        score.currentEntry().setName("BENCH");
        score.currentEntry().setTotal(total += 1.f);
        score.scoreSort();
        score.saveTable();
    }

    std::cout.clear();
    fs::current_path(previous);
    fs::remove_all(pattern);
}
BENCHMARK(BM_SubmitScore)->Unit(benchmark::kMillisecond);

} // namespace
