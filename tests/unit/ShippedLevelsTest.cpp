#include "common/Cell.hpp"
#include "common/LevelFile.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <utility>

namespace {

const std::pair<int, int> Neighbours[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

TEST(ShippedLevelsTest, EveryLevelIsPlayableAndNoSmallerThanTheOneBefore)
{
    int previousArea = 0;
    for (int index = 0; index < LevelCount; ++index) {
        SCOPED_TRACE(LevelFileNames[index]);
        std::ifstream in(std::string("data/level/") + LevelFileNames[index]);
        const LevelFile file = LevelFile::parse(in, index == 0);
        ASSERT_EQ(file.check(), "");
        for (int value = Cell::FirstObject; value <= Cell::LastObject; ++value)
            EXPECT_EQ(file.count(value), 1) << "object " << value;
        // Every load draws an exit: no more draws than candidates.
        EXPECT_LE(file.exitDraw, file.count(Cell::ExitCandidate));
        EXPECT_GE(file.count(Cell::FileDoor), 2);
        EXPECT_LE(file.wanderSteps, 3);
        for (const sf::Vector2i& point : file.spawnPoints)
            EXPECT_EQ(file.cells[point.y][point.x], Cell::Floor) << point.x << ";" << point.y;
        EXPECT_GE(file.width * file.height, previousArea);
        previousArea = file.width * file.height;

        // With every door open, the floor is one piece and every object and exit candidate
        // lies beside it: wherever the player starts, all of them can be reached.
        std::set<std::pair<int, int>> reached;
        const std::function<void(int, int)> flood = [&](int x, int y) {
            // A door on the border, leading out of the grid, throws.
            const int value = file.cells.at(y).at(x);
            if ((value == Cell::Floor || value == Cell::FileDoor) && reached.insert({x, y}).second)
                for (const auto& [dx, dy] : Neighbours)
                    flood(x + dx, y + dy);
        };
        flood(file.spawnPoints[0].x, file.spawnPoints[0].y);
        for (int y = 0; y < file.height; ++y) {
            for (int x = 0; x < file.width; ++x) {
                const int value = file.cells[y][x];
                bool beside = false;
                for (const auto& [dx, dy] : Neighbours)
                    beside = beside || reached.count({x + dx, y + dy}) > 0;
                EXPECT_TRUE(value != Cell::Floor || reached.count({x, y})) << x << ";" << y;
                EXPECT_TRUE(!(Cell::isObject(value) || value == Cell::ExitCandidate) || beside)
                    << value << " at (" << x << ";" << y << ")";
            }
        }
    }
}

} // namespace
