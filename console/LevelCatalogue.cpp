#include "console/LevelCatalogue.hpp"

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
    int width = 0;
    int height = 0;
    int exitDraw = 0;
    in >> width >> height >> exitDraw;
    if (!in || width < 3 || height < 3 || width > 1000 || height > 1000)
        return LevelPlan::unavailable(path + ": bad size");
    std::vector<int> cells(static_cast<std::size_t>(width * height));
    for (int& cell : cells)
        in >> cell;
    if (withStart) {
        int x = 0;
        int y = 0;
        float angle = 0.f;
        in >> x >> y >> angle;
    }
    int wander = 0;
    int spawnCount = 0;
    in >> wander >> spawnCount;
    std::vector<sf::Vector2i> spawns;
    for (int i = 0; in && i < spawnCount; ++i) {
        sf::Vector2i spawn;
        if (in >> spawn.x >> spawn.y)
            spawns.push_back(spawn);
    }
    return LevelPlan(width, height, std::move(cells), std::move(spawns));
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
