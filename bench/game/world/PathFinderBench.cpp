#include <benchmark/benchmark.h>

#include "game/config/ConfigReaders.h"
#include "game/world/PathFinderComp.h"
#include "tests/game/world/WorldHarness.h"

namespace {

int largestLevel() {
    int largest = 0, cells = 0;
    for (int level = 0; level < Zelmo::levelCount(); ++level) {
        const Zelmo::LevelEntry entry = Zelmo::readLevel(level);
        const int count = entry.params[2] * entry.params[3];
        if (count > cells) {
            cells = count;
            largest = level;
        }
    }
    return largest;
}

// A whole search, corner to corner across the largest shipped level. Goal: under 50 us (median).
void pathAcrossTheLargestLevel(benchmark::State& state) {
    WorldTest::WorldHarness harness;
    harness.startLevel(largestLevel());
    const Zelmo::GameLogic& logic = harness.logic();
    int startX = 0, startY = 0;
    int goalX = logic.params().cellsWide - 1, goalY = logic.params().cellsHigh - 1;
    logic.cellToWorld(startX, startY, 0.0f, 0.0f);
    logic.cellToWorld(goalX, goalY, 0.0f, 0.0f);
    Zelmo::PathFinder finder(logic);
    std::vector<Zelmo::PathPoint> path;
    int expansions = 0;
    for (auto _ : state) {
        Zelmo::PathState search = finder.findPath(startX, startY, goalX, goalY);
        while (search == Zelmo::PathState::Searching) search = finder.step();
        expansions = finder.extractPath(path);
        benchmark::DoNotOptimize(path.data());
    }
    if (path.empty()) state.SkipWithError("no path across the level");
    state.counters["expansions"] = expansions;
    state.counters["path_points"] = double(path.size());
}
BENCHMARK(pathAcrossTheLargestLevel)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
