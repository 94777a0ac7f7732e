#pragma once

#include "common/LevelFile.hpp"
#include "operator/LevelPlan.hpp"

#include <array>
#include <string>

// The seven levels the game knows, by the index its load message carries: their names for the
// operator and their plans, read once from the run-time folder at start-up. A file that is
// missing or broken leaves its level unavailable; the others work.
class LevelCatalogue {
public:
    static constexpr int count = LevelCount;

    LevelCatalogue();
    // Reads every level from folder (normally "data/level").
    explicit LevelCatalogue(const std::string& folder);

    static const char* getName(int index);
    static const char* getFileName(int index);
    // The plan of level index; an unavailable plan for an index outside 0 to 6.
    const LevelPlan& getPlan(int index) const;
    // Replaces one plan (tests and tools that make their own levels).
    void setPlan(int index, LevelPlan plan);

private:
    std::array<LevelPlan, count> plans;
    LevelPlan none;
};
