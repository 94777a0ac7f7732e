#include "world/LevelFile.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <queue>
#include <string>
#include <vector>

namespace {

const char* const LevelNames[] = {"Tutorial", "SimpleFactory", "StoragesBackrooms",
                                  "EndlessWarehouse", "FactoryOffice", "IndustrialLabyrinth",
                                  "IrradiatedPowerplant"};

LevelFile readShipped(const std::string& name)
{
    std::ifstream in("data/level/" + name + ".txt");
    EXPECT_TRUE(in) << name;
    return LevelFile::parse(in, name == "Tutorial");
}

// The cells the player can walk to from a start with every door open: floor and door cells,
// never row 0 or column 0.
std::vector<std::vector<bool>> walkable(const LevelFile& file, sf::Vector2i start)
{
    std::vector<std::vector<bool>> reached(file.height, std::vector<bool>(file.width, false));
    std::queue<sf::Vector2i> open;
    reached[start.y][start.x] = true;
    open.push(start);
    const sf::Vector2i steps[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!open.empty()) {
        const sf::Vector2i cell = open.front();
        open.pop();
        for (const sf::Vector2i& step : steps) {
            const sf::Vector2i next = cell + step;
            if (next.x < 1 || next.y < 1 || next.x >= file.width || next.y >= file.height ||
                reached[next.y][next.x])
                continue;
            const int value = file.cells[next.y][next.x];
            if (value == 0 || value == 8) {
                reached[next.y][next.x] = true;
                open.push(next);
            }
        }
    }
    return reached;
}

bool nextToReached(const std::vector<std::vector<bool>>& reached, int x, int y)
{
    const int height = static_cast<int>(reached.size());
    const int width = static_cast<int>(reached[0].size());
    return (x > 0 && reached[y][x - 1]) || (x + 1 < width && reached[y][x + 1]) ||
           (y > 0 && reached[y - 1][x]) || (y + 1 < height && reached[y + 1][x]);
}

TEST(ShippedLevelsTest, EveryLevelObeysTheRules)
{
    int previousArea = 0;
    for (const char* name : LevelNames) {
        SCOPED_TRACE(name);
        const LevelFile file = readShipped(name);
        EXPECT_EQ(file.check(), "");
        for (int value = 3; value <= 7; ++value)
            EXPECT_EQ(file.count(value), 1) << "object " << value;
        EXPECT_GE(file.count(9), 2);
        EXPECT_LE(file.count(9), 6);
        // Every load draws an exit: no more draws than candidates.
        EXPECT_LE(file.exitDraw, file.count(9));
        EXPECT_GE(file.count(8), 2);
        EXPECT_GE(file.wanderSteps, 1);
        EXPECT_LE(file.wanderSteps, 3);
        EXPECT_GE(file.spawnPoints.size(), 3u);
        for (const sf::Vector2i& point : file.spawnPoints)
            EXPECT_EQ(file.cells[point.y][point.x], 0) << point.x << ";" << point.y;
        EXPECT_GE(file.width * file.height, previousArea);
        previousArea = file.width * file.height;
    }
}

TEST(ShippedLevelsTest, EveryObjectAndExitIsReachableFromEveryStart)
{
    for (const char* name : LevelNames) {
        SCOPED_TRACE(name);
        const LevelFile file = readShipped(name);
        ASSERT_EQ(file.check(), "");
        std::vector<sf::Vector2i> starts;
        if (file.hasStart) {
            starts.push_back(file.start);
            EXPECT_EQ(file.cells[file.start.y][file.start.x], 0);
        } else {
            for (int y = 0; y < file.height; ++y)
                for (int x = 0; x < file.width; ++x)
                    if (file.cells[y][x] == 0)
                        starts.emplace_back(x, y);
        }
        for (const sf::Vector2i& start : starts) {
            const std::vector<std::vector<bool>> reached = walkable(file, start);
            for (int y = 0; y < file.height; ++y) {
                for (int x = 0; x < file.width; ++x) {
                    const int value = file.cells[y][x];
                    if ((value >= 3 && value <= 7) || value == 9) {
                        ASSERT_TRUE(nextToReached(reached, x, y))
                            << "value " << value << " at (" << x << ";" << y
                            << ") from (" << start.x << ";" << start.y << ")";
                    }
                }
            }
        }
    }
}

}
