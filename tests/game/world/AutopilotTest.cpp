#include <gtest/gtest.h>

#include <string>

#include "game/config/ConfigReaders.h"
#include "tests/game/world/Autopilot.h"

namespace {

using WorldTest::Autopilot;
using WorldTest::WorldHarness;

// Ten minutes of play is far more than any shipped level needs.
constexpr int kLevelUpdates = 10 * 60 * 1000 / 16;

// Every shipped level can be finished at the default difficulty, by a player who walks to the
// prisoners, punches open their doors and the robots in the way, and takes the lift.
TEST(Autopilot, FinishesEveryShippedLevel) {
    WorldHarness harness;
    const int levels = Zelmo::levelCount();
    for (int level = levels - 1; level >= 1; --level) {
        SCOPED_TRACE("level " + std::to_string(level));
        harness.startLevel(level);
        Autopilot pilot(harness);
        std::string command = pilot.playLevel(kLevelUpdates);
        for (int life = 0; command == "DEAD" && life < 5; ++life) {
            harness.reenter("RUNNING", "DEAD");
            command = pilot.playLevel(kLevelUpdates);
        }
        EXPECT_EQ(command, "NEXTLEVEL") << pilot.trouble();
    }
}

}  // namespace

namespace {

// From the first level down to the boss level, whose boss the player hunts down and punches
// until it dies: the game can be won at the default difficulty.
TEST(Autopilot, WinsAWholeGame) {
    WorldHarness harness;
    Autopilot pilot(harness);
    EXPECT_EQ(pilot.playGame(Zelmo::levelCount() * kLevelUpdates), "WON") << pilot.trouble();
}

}  // namespace
