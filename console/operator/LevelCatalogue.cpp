#include "operator/LevelCatalogue.hpp"

#include "common/LevelFile.hpp"

#include <fstream>
#include <utility>

namespace {

// The names the operator reads, in the order of the game's level catalogue.
const char* const levelNames[LevelCatalogue::count] = {
    "Tutorial",       "Simple Factory",       "Storages Backrooms",    "Endless Warehouse",
    "Factory Office", "Industrial Labyrinth", "Irradiated Powerplant",
};

LevelPlan readPlan(const std::string& path, bool withStart)
{
    std::ifstream in(path);
    if (!in)
        return LevelPlan::unavailable("cannot open " + path);
    LevelFile file = LevelFile::parse(in, withStart);
    std::string broken = file.check();
    if (!broken.empty())
        return LevelPlan::unavailable(path + ": " + broken);
    return LevelPlan(file);
}

} // namespace

LevelCatalogue::LevelCatalogue()
{
    for (LevelPlan& plan : plans)
        plan = LevelPlan::unavailable("not loaded");
    none = LevelPlan::unavailable("no such level");
}

LevelCatalogue::LevelCatalogue(const std::string& folder) : LevelCatalogue()
{
    for (int index = 0; index < count; ++index)
        plans[static_cast<std::size_t>(index)] =
            readPlan(folder + "/" + LevelFileNames[index], index == 0);
}

const char* LevelCatalogue::getName(int index)
{
    return index >= 0 && index < count ? levelNames[index] : "unknown level";
}

const char* LevelCatalogue::getFileName(int index)
{
    return index >= 0 && index < count ? LevelFileNames[index] : "";
}

const LevelPlan& LevelCatalogue::getPlan(int index) const
{
    return index >= 0 && index < count ? plans[static_cast<std::size_t>(index)] : none;
}

void LevelCatalogue::setPlan(int index, LevelPlan plan)
{
    if (index >= 0 && index < count)
        plans[static_cast<std::size_t>(index)] = std::move(plan);
}
