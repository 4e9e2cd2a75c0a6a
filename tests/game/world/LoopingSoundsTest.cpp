// Sounds follow the state: the pause silences every sound, and resuming plays again each looping
// sound that the world still calls for, a robot's hum on screen and the armour's while it lasts.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/vector/AnimId.h"
#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::PlayerComp;

constexpr int kHummingTower = 7;  // stands where it is made, humming while on screen

int timesPlayed(WorldHarness& harness, int sound) {
    const std::vector<int>& played = harness.sound().played;
    return int(std::count(played.begin(), played.end(), sound));
}

class LoopingSounds : public ::testing::Test {
protected:
    void SetUp() override {
        harness.startLevel(2);
        const Zelmo::PVAComp& at = player().get<Zelmo::PVAComp>();
        tower = logic().createRobot(kHummingTower, int(at.x) + 120, int(at.y));
        ASSERT_TRUE(tower.has<Zelmo::SoundComp>());
        hum = tower.get<Zelmo::SoundComp>().sound;
        ASSERT_NE(hum, 0);
        // The armour, picked up as the collision hands it over.
        ecs::Entity item = logic().createAnimatedEntity(AnimIds::ARMOUR_POWUP, true);
        item.add<Zelmo::FXsComp>();
        item.activate();
        logic().collisionSys().pickUpArmour(player(), item);
        harness.step();
        ASSERT_EQ(timesPlayed(harness, hum), 1) << "the tower hums once it is on screen";
        ASSERT_EQ(timesPlayed(harness, PlayerComp::kArmourHum), 1);
        ASSERT_NE(state().armourVoice, 0);
    }

    Zelmo::GameLogic& logic() { return harness.logic(); }
    ecs::Entity player() { return logic().player(); }
    PlayerComp& state() { return player().get<PlayerComp>(); }

    // The pause menu stops every voice as it opens; the game is entered again on resuming.
    void pauseAndResume() {
        harness.send("LOGIC_RETURN", "PAUSE");
        ASSERT_EQ(harness.step(), "PAUSE");
        harness.sound().forget();
        harness.context().soundController().stopAll();
        harness.reenter("PAUSE", "RESUME");
        EXPECT_GT(harness.sound().stopAlls, 0);
    }

    WorldHarness harness;
    ecs::Entity tower;
    int hum = 0;
};

TEST_F(LoopingSounds, ResumingPlaysTheHumOfWhatIsOnScreenAndOfTheArmourAgain) {
    pauseAndResume();
    harness.step();
    EXPECT_EQ(timesPlayed(harness, hum), 1) << "the tower on screen is silent after the pause";
    EXPECT_EQ(timesPlayed(harness, PlayerComp::kArmourHum), 1) << "the armour is silent after the pause";
    EXPECT_NE(state().armourVoice, 0);
    EXPECT_NE(tower.get<Zelmo::SoundComp>().voice, 0);
    // Once each: the next updates leave them playing.
    harness.step(10);
    EXPECT_EQ(timesPlayed(harness, hum), 1);
    EXPECT_EQ(timesPlayed(harness, PlayerComp::kArmourHum), 1);
}

TEST_F(LoopingSounds, ResumingAfterTheArmourEndedLeavesItSilent) {
    Zelmo::scheduleAction(player(), Zelmo::kActionArmourOff, 10.0f);
    harness.step();
    logic().world().refresh();
    ASSERT_FALSE(state().armour.isActivated());
    pauseAndResume();
    harness.step();
    EXPECT_EQ(timesPlayed(harness, PlayerComp::kArmourHum), 0);
    EXPECT_EQ(state().armourVoice, 0);
}

}  // namespace
