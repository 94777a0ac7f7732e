#include "world/Cell.hpp"
#include "world/LevelFile.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

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
        std::vector<sf::Vector2i> open;
        for (int y = 1; y < file.height && open.empty(); ++y)
            for (int x = 1; x < file.width && open.empty(); ++x)
                if (file.cells[y][x] == Cell::Floor)
                    open.emplace_back(x, y);
        std::vector<std::vector<int>> reached(file.height, std::vector<int>(file.width, 0));
        const auto walkable = [&](int x, int y) {
            return x >= 1 && y >= 1 && x < file.width && y < file.height &&
                   (file.cells[y][x] == Cell::Floor || file.cells[y][x] == Cell::FileDoor);
        };
        reached[open[0].y][open[0].x] = 1;
        for (std::size_t next = 0; next < open.size(); ++next) {
            for (const sf::Vector2i step : {sf::Vector2i(1, 0), {-1, 0}, {0, 1}, {0, -1}}) {
                const sf::Vector2i cell = open[next] + step;
                if (walkable(cell.x, cell.y) && !reached[cell.y][cell.x]) {
                    reached[cell.y][cell.x] = 1;
                    open.push_back(cell);
                }
            }
        }
        const auto reachedAt = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < file.width && y < file.height && reached[y][x];
        };
        for (int y = 0; y < file.height; ++y) {
            for (int x = 0; x < file.width; ++x) {
                const int value = file.cells[y][x];
                EXPECT_TRUE(value != Cell::Floor || reached[y][x]) << "(" << x << ";" << y << ")";
                const bool target = Cell::isObject(value) || value == Cell::ExitCandidate;
                EXPECT_TRUE(!target || reachedAt(x - 1, y) || reachedAt(x + 1, y) ||
                            reachedAt(x, y - 1) || reachedAt(x, y + 1))
                    << value << " at (" << x << ";" << y << ")";
            }
        }
    }
}

} // namespace
