#include <gtest/gtest.h>

#include <cmath>

#include "game/world/LifeComps.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;

// What the player's damage handling schedules when health runs out.
void killPlayer(WorldHarness& harness) {
    Zelmo::scheduleAction(harness.logic().player(), Zelmo::kActionLoseLife, 3000.0f);
}

// The update in which the three seconds run out.
const int kThreeSeconds = int(std::lround(3000.0f / WorldHarness::kStepMs));

TEST(Commands, DeathsLoseLivesUntilTheLastEndsTheGame) {
    WorldHarness harness;
    harness.startLevel(2);
    ASSERT_EQ(harness.logic().lives(), 3);
    for (int life = 2; life >= 1; --life) {
        killPlayer(harness);
        EXPECT_EQ(harness.step(kThreeSeconds - 1), "");
        EXPECT_EQ(harness.step(), "DEAD");
        EXPECT_EQ(harness.logic().lives(), life);
        harness.reenter("RUNNING", "DEAD");
        EXPECT_EQ(harness.logic().level(), 2) << "a death replays the level";
        EXPECT_EQ(harness.logic().command(), "");
    }
    killPlayer(harness);
    EXPECT_EQ(harness.step(kThreeSeconds), "LOST");
    EXPECT_EQ(harness.logic().lives(), 0);
}

TEST(Commands, TheLiftLeavesOnlyWhenEveryPrisonerIsFree) {
    WorldHarness harness;
    harness.startLevel(2);
    ASSERT_GT(harness.logic().prisonersLeft(), 0);
    harness.logic().checkLevelEnd();
    EXPECT_EQ(harness.step(), "");
    harness.logic().setPrisonersLeft(0);
    harness.logic().checkLevelEnd();
    EXPECT_EQ(harness.step(), "NEXTLEVEL");
    harness.reenter("RUNNING", "NEXTLEVEL");
    EXPECT_EQ(harness.logic().level(), 1);
}

TEST(Commands, TheBossLevelIsWonOnlyWithTheBossDefeated) {
    WorldHarness harness;
    harness.startLevel(0);
    harness.logic().setPrisonersLeft(0);
    harness.logic().checkLevelEnd();
    EXPECT_EQ(harness.step(), "");
    harness.logic().setBossDefeated(true);
    harness.logic().checkLevelEnd();
    EXPECT_EQ(harness.step(), "WON");
}

TEST(Commands, PauseAndQuitComeFromTheActionsAndPauseResumesTheSameWorld) {
    WorldHarness harness;
    harness.startLevel(1);
    harness.step(30);
    harness.send("LOGIC_RETURN", "PAUSE");
    EXPECT_EQ(harness.step(), "PAUSE");
    const uint64_t paused = harness.digest();
    harness.reenter("PAUSE", "RESUME");
    EXPECT_EQ(harness.logic().command(), "");
    EXPECT_EQ(harness.digest(), paused);
    EXPECT_EQ(harness.step(), "");
    harness.send("LOGIC_RETURN", "QUIT");
    EXPECT_EQ(harness.step(), "QUIT");
}

TEST(Commands, AReturnReceivedWhileAnotherStateRunsIsClearedByTheNextEntry) {
    WorldHarness harness;
    harness.send("LOGIC_RETURN", "QUIT");
    harness.startLevel(1);
    EXPECT_EQ(harness.step(), "");
}

TEST(Determinism, TwoRunsWithTheSameSeedAndActionsEndAlike) {
    auto run = [] {
        WorldHarness harness;
        harness.startLevel(4);
        harness.send("START_MOVE", "UP LF");
        harness.step(300);
        harness.send("STOP_MOVE", "UP LF");
        harness.send("START_ACTION", "0");
        harness.step(325);
        return harness.digest();
    };
    EXPECT_EQ(run(), run());
}

TEST(Determinism, ADeathReplaysTheSameRobotSpawns) {
    WorldHarness harness;
    harness.startLevel(2);
    const uint64_t first = harness.digest();
    killPlayer(harness);
    ASSERT_EQ(harness.step(kThreeSeconds), "DEAD");
    harness.reenter("RUNNING", "DEAD");
    // Lives differ; the placed entities and the generator do not.
    WorldHarness fresh;
    fresh.startLevel(2);
    EXPECT_EQ(fresh.digest(), first);
}

}  // namespace
