#include <gtest/gtest.h>

#include <string>

#include "game/config/InputMethods.h"
#include "game/config/Settings.h"
#include "tests/game/world/LevelRun.h"
#include "tests/game/world/SimulatedPlayer.h"

namespace {

using WorldTest::Autopilot;
using WorldTest::WorldHarness;

class SimulatedPlayerPlays : public ::testing::TestWithParam<std::string> {};

// A person with one key, one switch or a head tracker, reacting at a person's pace through that
// way's own controls, finishes the first level at the default options without dying.
TEST_P(SimulatedPlayerPlays, TheFirstLevelWithoutDying) {
    WorldHarness harness;
    ASSERT_TRUE(WorldTest::loadGameControls(harness, GetParam()));
    WorldTest::SimulatedPlayer player(harness, GetParam());
    const int first = int(Zelmo::getOptionValue("START_LEVEL"));
    const WorldTest::LevelRun run = WorldTest::playLevelWith(harness, player, first, 2 * Autopilot::kLevelUpdates);
    EXPECT_TRUE(run.finished) << run.trouble;
    EXPECT_EQ(run.deaths, 0);
    EXPECT_GT(run.presses, 0);
}

INSTANTIATE_TEST_SUITE_P(EachAccessibleWay, SimulatedPlayerPlays,
                         ::testing::Values(Zelmo::kOneKeyMethod, Zelmo::kOneSwitchMethod, Zelmo::kHeadTrackerMethod),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
