#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/config/ConfigReaders.h"
#include "tests/game/world/Autopilot.h"

namespace {

using WorldTest::Autopilot;
using WorldTest::WorldHarness;

constexpr int kLevelUpdates = Autopilot::kLevelUpdates;

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

namespace {

// The soak and the memory benchmark play for as long as they are let: what the harness records
// of one level must be gone by the end of the next, or memory creeps up level by level.
TEST(Autopilot, KeepsNoSoundOfAnEarlierLevel) {
    constexpr int kMarker = -1;
    WorldHarness harness;
    Autopilot pilot(harness);
    int levels = 0;
    pilot.playLevelsWhile(kLevelUpdates, [&](int, const std::string& command) {
        levels += 1;
        EXPECT_EQ(command, "NEXTLEVEL") << pilot.trouble();
        const std::vector<int>& played = harness.sound().played;
        EXPECT_FALSE(played.empty()) << "level " << levels << " played no sound";
        EXPECT_EQ(std::count(played.begin(), played.end(), kMarker), 0) << "after level " << levels;
        harness.sound().played.push_back(kMarker);
        return levels < 3;
    });
    EXPECT_EQ(levels, 3);
}

}  // namespace
