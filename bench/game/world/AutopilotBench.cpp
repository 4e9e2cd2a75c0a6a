#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "tests/game/world/Autopilot.h"
#include "tests/game/world/ProcessMemory.h"

namespace {

// Minutes of play, from ZELMO_AUTOPILOT_MINUTES (default 5).
double gameMinutes() {
    const char* minutes = std::getenv("ZELMO_AUTOPILOT_MINUTES");
    const double value = minutes ? std::atof(minutes) : 0.0;
    return value > 0.0 ? value : 5.0;
}

// The process's memory over a game the autopilot plays, levels cycling: the most it held at
// once, and what it held after the first level and at the end (KiB), resident and heap in use.
// Goal: flat after the first level.
void autopilotGameMemory(benchmark::State& state) {
    const int gameUpdates = int(gameMinutes() * 60.0 * 1000.0 / double(WorldTest::WorldHarness::kStepMs));
    long afterFirstLevel = 0, heapAfterFirstLevel = 0, heapAtEnd = 0;
    int levels = 0, finished = 0, updates = 0;
    for (auto _ : state) {
        WorldTest::WorldHarness harness;
        WorldTest::Autopilot pilot(harness);
        pilot.playLevelsWhile(WorldTest::Autopilot::kLevelUpdates, [&](int, const std::string& command) {
            levels += 1;
            finished += command.empty() ? 0 : 1;
            if (levels == 1) {
                afterFirstLevel = WorldTest::residentKiB();
                heapAfterFirstLevel = WorldTest::heapInUseKiB();
            }
            return pilot.updates() < gameUpdates;
        });
        updates = pilot.updates();
        heapAtEnd = WorldTest::heapInUseKiB();
    }
    state.counters["peak_rss_KiB"] = double(WorldTest::peakResidentKiB());
    state.counters["rss_after_first_level_KiB"] = double(afterFirstLevel);
    state.counters["rss_at_end_KiB"] = double(WorldTest::residentKiB());
    state.counters["heap_after_first_level_KiB"] = double(heapAfterFirstLevel);
    state.counters["heap_at_end_KiB"] = double(heapAtEnd);
    state.counters["levels"] = levels;
    state.counters["levels_finished"] = finished;
    state.counters["game_minutes"] = double(updates) * double(WorldTest::WorldHarness::kStepMs) / 60000.0;
}
BENCHMARK(autopilotGameMemory)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
