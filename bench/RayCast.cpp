#include "actors/RayCaster.hpp"
#include "common/LevelFile.hpp"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <vector>

// Every allocation of this program is counted, so a benchmark can show that a frame of the
// view allocates nothing once the vertex array has its storage.
namespace {
std::atomic<long> allocations{0};
}

[[gnu::noinline]] void* operator new(std::size_t size)
{
    ++allocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

// All kept out of line: inlined, GCC would take the free for a mismatched deallocation.
[[gnu::noinline]] void operator delete(void* block) noexcept
{
    std::free(block);
}
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

// The largest shipped level as the game holds it after loading: the first exit candidate
// became the exit, the others walls, the door cells keep a door value.
struct LargestLevel {
    std::vector<std::vector<int>> grid;
    std::vector<Camera> views;

    LargestLevel()
    {
        std::ifstream in("data/level/IrradiatedPowerplant.txt");
        const LevelFile file = LevelFile::parse(in, false);
        grid = file.cells;
        bool exitPlaced = false;
        for (std::vector<int>& row : grid)
            for (int& cell : row)
                if (cell == 9) {
                    cell = exitPlaced ? 1 : 24;
                    exitPlaced = true;
                }

        // Every seventh floor cell, looking along each axis in turn.
        const sf::Vector2f directions[] = {{1.f, 0.f}, {0.f, 1.f}, {-1.f, 0.f}, {0.f, -1.f}};
        int floor = 0;
        for (int y = 0; y < file.height; ++y)
            for (int x = 0; x < file.width; ++x)
                if (grid[y][x] == 0 && floor++ % 7 == 0) {
                    const sf::Vector2f direction = directions[views.size() % 4];
                    Camera camera;
                    camera.position = {x + 0.5f, y + 0.5f};
                    camera.direction = direction;
                    camera.plane = {-direction.y, direction.x};
                    views.push_back(camera);
                }
    }
};

const LargestLevel& largestLevel()
{
    static const LargestLevel level;
    return level;
}

// One frame of the view: 1280 rays and 2560 vertices, from a different viewpoint each frame.
void BM_CastFrame(benchmark::State& state)
{
    const LargestLevel& level = largestLevel();
    if (level.grid.empty()) {
        state.SkipWithError("run from the build folder: data/level is missing");
        return;
    }
    sf::VertexArray walls(sf::Lines);
    castView(level.grid, level.views[0], AtlasLayout(), walls);

    std::size_t view = 0;
    const long before = allocations.load();
    for (auto _ : state) {
        castView(level.grid, level.views[view], AtlasLayout(), walls);
        benchmark::DoNotOptimize(walls[0]);
        view = (view + 1) % level.views.size();
    }
    state.counters["allocs_per_frame"] = benchmark::Counter(
        static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
    state.counters["views"] = static_cast<double>(level.views.size());
}
BENCHMARK(BM_CastFrame)->Unit(benchmark::kMicrosecond);

// The steady state over exactly 1000 frames after the first: allocations must stay at 0.
void BM_CastThousandFramesAllocations(benchmark::State& state)
{
    const LargestLevel& level = largestLevel();
    if (level.grid.empty()) {
        state.SkipWithError("run from the build folder: data/level is missing");
        return;
    }
    for (auto _ : state) {
        sf::VertexArray walls(sf::Lines);
        castView(level.grid, level.views[0], AtlasLayout(), walls);
        const long before = allocations.load();
        for (int frame = 0; frame < 1000; ++frame)
            castView(level.grid, level.views[frame % level.views.size()], AtlasLayout(), walls);
        state.counters["allocations"] = static_cast<double>(allocations.load() - before);
    }
}
BENCHMARK(BM_CastThousandFramesAllocations)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
