// Each level played by the autopilot with keyboard hands and with each way to play's simulated
// player, at the default options, with each of the three fixed maze seeds: finished or not, the
// game time, the deaths and the presses, and each way's time as a multiple of the keyboard's on
// the same seed. One seed plays out differently from another as small differences in timing
// grow, so a change is judged on all three. After the runs, the same figures as a table for the
// readme.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "game/config/ConfigReaders.h"
#include "game/config/InputMethods.h"
#include "tests/game/world/LevelRun.h"
#include "tests/game/world/SimulatedPlayer.h"

namespace {

using WorldTest::LevelRun;
using WorldTest::WorldHarness;

const char* const kKeyboard = "KEYBOARD";
const std::vector<std::string> kWays = {kKeyboard, Zelmo::kOneKeyMethod, Zelmo::kOneSwitchMethod,
                                        Zelmo::kHeadTrackerMethod};
// Twenty minutes of play: a slow way to play is given twice the autopilot's ten.
constexpr int kMaxUpdates = int(20 * 60 * 1000 / WorldHarness::kStepMs);

// The "GAME_SEED" option's fixed seeds.
const std::vector<int> kSeeds = {1, 2, 3};

std::map<std::tuple<int, int, std::string>, LevelRun> s_runs;

LevelRun play(int seed, int level, const std::string& way) {
    WorldHarness harness("data/config", seed);
    if (way == kKeyboard) {
        WorldTest::KeyboardHands hands(harness);
        return WorldTest::playLevelWith(harness, hands, level, kMaxUpdates);
    }
    if (!WorldTest::loadGameControls(harness, way)) {
        LevelRun failed;
        failed.trouble = "the GAME controls did not load";
        return failed;
    }
    WorldTest::SimulatedPlayer player(harness, way);
    return WorldTest::playLevelWith(harness, player, level, kMaxUpdates);
}

void levelPlayed(benchmark::State& state, int seed, int level, const std::string& way) {
    LevelRun run;
    for (auto _ : state) run = play(seed, level, way);
    s_runs[{seed, level, way}] = run;
    state.counters["finished"] = run.finished ? 1 : 0;
    state.counters["game_s"] = double(run.gameMs) / 1000.0;
    state.counters["deaths"] = run.deaths;
    state.counters["presses"] = run.presses;
    const auto keyboard = s_runs.find({seed, level, kKeyboard});
    if (keyboard != s_runs.end() && keyboard->second.gameMs > 0.0f) {
        state.counters["x_keyboard"] = double(run.gameMs / keyboard->second.gameMs);
    }
    if (!run.finished) state.SetLabel(run.trouble);
}

void printTable(int levels) {
    std::printf("\n| seed | level | way | finished | game time | deaths | presses | x keyboard |\n");
    std::printf("| --- | --- | --- | --- | --- | --- | --- | --- |\n");
    for (int seed : kSeeds) {
        for (int level = levels - 1; level >= 0; --level) {
            const auto keyboard = s_runs.find({seed, level, kKeyboard});
            if (keyboard == s_runs.end()) continue;
            const float keyboardMs = keyboard->second.gameMs;
            for (const std::string& way : kWays) {
                const auto found = s_runs.find({seed, level, way});
                if (found == s_runs.end()) continue;
                const LevelRun& run = found->second;
                std::printf("| %d | %d | %s | %s | %.1f s | %d | %d | %.2f |\n", seed, levels - level, way.c_str(),
                            run.finished ? "yes" : ("no: " + run.trouble).c_str(), double(run.gameMs) / 1000.0,
                            run.deaths, run.presses, keyboardMs > 0.0f ? double(run.gameMs / keyboardMs) : 0.0);
            }
        }
    }
}

}  // namespace

// The levels are known once the configuration is loaded; the keyboard goes first on each level.
int main(int argc, char** argv) {
    int levels = 0;
    {
        WorldHarness harness;
        levels = Zelmo::levelCount();
    }
    for (int seed : kSeeds) {
        for (int level = levels - 1; level >= 0; --level) {
            for (const std::string& way : kWays) {
                const std::string name =
                    "levelPlayed/seed" + std::to_string(seed) + "/level" + std::to_string(levels - level) + "/" + way;
                benchmark::RegisterBenchmark(name.c_str(), levelPlayed, seed, level, way)
                    ->Iterations(1)
                    ->Unit(benchmark::kSecond);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable(levels);
    return 0;
}
