#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "game/config/InputMethods.h"
#include "game/config/Settings.h"
#include "tests/game/world/LevelRun.h"
#include "tests/game/world/SimulatedPlayer.h"

namespace {

using WorldTest::Autopilot;
using WorldTest::WorldHarness;

// An input method and the "GAME_SEED" option's value index.
using WayAndSeed = std::tuple<std::string, int>;

class SimulatedPlayerPlays : public ::testing::TestWithParam<WayAndSeed> {};

// A person with one key, one switch or a head tracker, reacting at a person's pace through that
// way's own controls, finishes the first level at the default options without losing a life. The
// benchmark bench_game_method_play measures how long each takes and how often each dies, on every
// level and seed.
TEST_P(SimulatedPlayerPlays, TheFirstLevel) {
    const auto& [way, seed] = GetParam();
    WorldHarness harness("data/config", seed);
    ASSERT_TRUE(WorldTest::loadGameControls(harness, way));
    WorldTest::SimulatedPlayer player(harness, way);
    const int first = int(Zelmo::getOptionValue("START_LEVEL"));
    const WorldTest::LevelRun run = WorldTest::playLevelWith(harness, player, first, 2 * Autopilot::kLevelUpdates);
    EXPECT_TRUE(run.finished) << run.trouble;
    EXPECT_EQ(run.deaths, 0);
    EXPECT_GT(run.presses, 0);
}

INSTANTIATE_TEST_SUITE_P(EachAccessibleWay, SimulatedPlayerPlays,
                         ::testing::Combine(::testing::Values(Zelmo::kOneKeyMethod, Zelmo::kOneSwitchMethod,
                                                              Zelmo::kHeadTrackerMethod),
                                            ::testing::Values(1, 2, 3)),
                         [](const ::testing::TestParamInfo<WayAndSeed>& info) {
                             return std::get<0>(info.param) + "_seed" + std::to_string(std::get<1>(info.param));
                         });

}  // namespace
