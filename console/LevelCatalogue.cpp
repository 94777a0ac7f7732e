#include "console/LevelCatalogue.hpp"

#include "world/LevelFile.hpp"

#include <fstream>
#include <utility>

namespace {

struct LevelEntry {
    const char* name;
    const char* file;
};

const LevelEntry levels[LevelCatalogue::count] = {
    {"Tutorial", "Tutorial.txt"},
    {"Simple Factory", "SimpleFactory.txt"},
    {"Storages Backrooms", "StoragesBackrooms.txt"},
    {"Endless Warehouse", "EndlessWarehouse.txt"},
    {"Factory Office", "FactoryOffice.txt"},
    {"Industrial Labyrinth", "IndustrialLabyrinth.txt"},
    {"Irradiated Powerplant", "IrradiatedPowerplant.txt"},
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

}

LevelCatalogue::LevelCatalogue()
{
    for (LevelPlan& plan : plans)
        plan = LevelPlan::unavailable("not loaded");
    none = LevelPlan::unavailable("no such level");
}

LevelCatalogue::LevelCatalogue(const std::string& folder) : LevelCatalogue()
{
    for (int index = 0; index < count; ++index)
        plans[static_cast<std::size_t>(index)] = readPlan(folder + "/" + levels[index].file, index == 0);
}

const char* LevelCatalogue::getName(int index)
{
    return index >= 0 && index < count ? levels[index].name : "unknown level";
}

const char* LevelCatalogue::getFileName(int index)
{
    return index >= 0 && index < count ? levels[index].file : "";
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
