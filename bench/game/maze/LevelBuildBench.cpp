// Time and peak heap of building one level: maze, tile map, position map and corridor lookup.
#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>

#include <benchmark/benchmark.h>

#include "engine/maze/LevelMap.h"
#include "engine/maze/PositionMap.h"
#include "game/maze/CorridorLookup.h"
#include "tests/engine/maze/LevelParamsFixture.h"

namespace {

// Heap accounting is switched on only around one untimed build, so that it does not slow the
// timed ones. Single-threaded: the benchmark runs one thread.
bool g_tracking = false;
int64_t g_liveBytes = 0;
int64_t g_peakBytes = 0;

void noteAllocation(void* block) {
    g_liveBytes += int64_t(malloc_usable_size(block));
    g_peakBytes = std::max(g_peakBytes, g_liveBytes);
}

}  // namespace

void* operator new(size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    if (g_tracking) noteAllocation(block);
    return block;
}

// The replaced operator new above hands out malloc blocks, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* block) noexcept {
    if (block && g_tracking) g_liveBytes -= int64_t(malloc_usable_size(block));
    std::free(block);
}
#pragma GCC diagnostic pop

void operator delete(void* block, size_t) noexcept { operator delete(block); }

namespace {

Maze::LevelParams levelOf(int cells, int loopPercent) {
    Maze::LevelParams params =
        MazeTest::levelParams(4242, loopPercent, {{cells, cells}, {4, 4}, {2, 2, 2, 2}},
                              {cells / 2, cells / 2, 1, cells - 1, cells - 1, 1, cells / 3, cells / 4});
    params.tileShiftX = 5;
    params.tileShiftY = 5;
    return params;
}

struct Level {
    std::unique_ptr<Map::TileMap> map;
    std::unique_ptr<Maze::MazeData> maze;
    Maze::PositionMap<Maze::Node> positions;
    std::unique_ptr<Zelmo::CorridorLookup> corridors;
};

Level buildLevel(const Maze::LevelParams& params) {
    Level level;
    level.map = Maze::buildLevelMap(params, &level.maze);
    Maze::buildPositionMap(level.maze->getStartNode(), level.positions);
    level.corridors = std::make_unique<Zelmo::CorridorLookup>(4);
    Maze::buildCorridorLookup(level.maze->getStartNode(), *level.corridors);
    return level;
}

// Peak heap above the starting point while one level is built and then dropped.
double peakMiBOfBuild(const Maze::LevelParams& params) {
    g_liveBytes = 0;
    g_peakBytes = 0;
    g_tracking = true;
    buildLevel(params);
    g_tracking = false;
    return double(g_peakBytes) / (1024.0 * 1024.0);
}

void BM_BuildLevel(benchmark::State& state) {
    const Maze::LevelParams params = levelOf(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        Level level = buildLevel(params);
        benchmark::DoNotOptimize(level.corridors.get());
    }
    state.counters["peak_MiB"] = peakMiBOfBuild(params);
}

// The corridor lookup alone, over an already built maze.
void BM_CorridorLookup(benchmark::State& state) {
    Level level = buildLevel(levelOf(int(state.range(0)), int(state.range(1))));
    for (auto _ : state) {
        Zelmo::CorridorLookup lookup(4);
        Maze::buildCorridorLookup(level.maze->getStartNode(), lookup);
        benchmark::DoNotOptimize(&lookup);
    }
}

const std::vector<std::vector<int64_t>> kSizesAndLoops{{32, 128, 256}, {0, 10}};

}  // namespace

BENCHMARK(BM_BuildLevel)->ArgsProduct(kSizesAndLoops)->ArgNames({"cells", "loop"})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CorridorLookup)->ArgsProduct(kSizesAndLoops)->ArgNames({"cells", "loop"})->Unit(benchmark::kMillisecond);
