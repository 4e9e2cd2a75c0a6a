#include <gtest/gtest.h>

#include "engine/psys/NonMovingPoint.h"
#include "engine/psys/System.h"

namespace {

class SystemTest : public testing::Test {
protected:
    Util::NonMovingPoint origin{0.0f, 0.0f};
    PSys::ParticleDef def;
    PSys::System system;

    SystemTest() {
        def.rate = 100;
        def.duration = -1.0f;
        def.maxParticles = 1000;
        def.path = &origin;
        def.spread = &origin;
        def.life = {100.0f, 100.0f, 1.0f, Penner::Linear::easeIn};
        def.gradients = {{{1.0f, 0xffffffffu}}};
        system.reserve(64);
    }

    int add(float delay = 0.0f) { return system.add(10, 20, def, delay, 1.0f); }
};

TEST_F(SystemTest, FullSystemRefusesAndResetRestartsIds) {
    for (int i = 1; i <= 64; ++i) ASSERT_EQ(add(), i);
    EXPECT_EQ(add(), 0);
    EXPECT_EQ(system.getEntries().size(), 64u);
    system.reset();
    EXPECT_TRUE(system.getEntries().empty());
    EXPECT_EQ(system.findEmitter(1), nullptr);
    EXPECT_EQ(add(), 1);
}

TEST_F(SystemTest, IdsAreNotReusedBeforeReset) {
    def.duration = 0.0f;
    EXPECT_EQ(add(), 1);
    system.update(16.0f);  // finished at once
    EXPECT_EQ(system.findEmitter(1), nullptr);
    EXPECT_EQ(add(), 2);
}

TEST_F(SystemTest, FindsEmittersAndTheirOwnDefinitionCopies) {
    const int first = add();
    const int second = system.add(30, 40, def, 0.0f, 2.0f);
    EXPECT_EQ(system.findEmitter(0), nullptr);
    EXPECT_EQ(system.findEmitterDef(0), nullptr);
    ASSERT_NE(system.findEmitter(second), nullptr);
    EXPECT_EQ(system.findEmitter(second)->x, 30);
    EXPECT_EQ(system.findEmitter(second)->speedScale, 2.0f);
    system.findEmitterDef(first)->rate = 7;
    EXPECT_EQ(system.findEmitter(first)->def.rate, 7);
    EXPECT_EQ(system.findEmitter(second)->def.rate, 100);
    EXPECT_EQ(def.rate, 100);
}

TEST_F(SystemTest, DelayedEmitterStartsInTheFrameItsDelayRunsOut) {
    const int id = add(500.0f);
    for (int frame = 0; frame < 4; ++frame) {
        system.update(100.0f);
        EXPECT_EQ(system.findEmitter(id)->liveCount, 0);
        EXPECT_EQ(system.findEmitter(id)->elapsed, 0.0f);
    }
    system.update(100.0f);
    EXPECT_EQ(system.findEmitter(id)->def.startDelay, 0.0f);
    EXPECT_EQ(system.findEmitter(id)->liveCount, 10);
}

TEST_F(SystemTest, FiniteEmitterDrainsThenLeaves) {
    def.rate = 32;
    def.duration = 200.0f;
    def.life = {1000.0f, 1000.0f, 1.0f, Penner::Linear::easeIn};
    const int id = add();
    int spawned = 0;
    int spawnedAfterDuration = 0;
    int liveBeforeRemoval = -1;
    for (int frame = 0; frame < 200 && system.findEmitter(id) != nullptr; ++frame) {
        const int live = system.findEmitter(id)->liveCount;
        system.update(20.0f);
        const PSys::ParticleEmitter* emitter = system.findEmitter(id);
        if (emitter == nullptr) {
            liveBeforeRemoval = live;
        } else if (emitter->liveCount > live) {
            spawned += emitter->liveCount - live;
            if (emitter->def.duration == 0.0f) ++spawnedAfterDuration;
        }
    }
    // 180 ms of spawning (the countdown comes first) at one per 31.25 ms.
    EXPECT_EQ(spawned, 5);
    EXPECT_EQ(spawnedAfterDuration, 0);
    EXPECT_EQ(liveBeforeRemoval, 0);  // removed in the first update after its last particle died
}

TEST_F(SystemTest, EndlessEmitterStaysAndSpentOneLeavesAtOnce) {
    def.rate = 0;
    const int endless = add();
    def.duration = 0.0f;
    const int spent = add();
    for (int frame = 0; frame < 1000; ++frame) system.update(16.0f);
    EXPECT_NE(system.findEmitter(endless), nullptr);
    EXPECT_EQ(system.findEmitter(spent), nullptr);
}

TEST_F(SystemTest, RemovalExaminesTheEntryMovedIntoTheHole) {
    const int running = add();
    def.duration = 0.0f;
    add();
    add();
    system.update(16.0f);
    ASSERT_EQ(system.getEntries().size(), 1u);
    EXPECT_EQ(system.getEntries()[0].id, running);
    EXPECT_EQ(system.findEmitter(running)->liveCount, 1);
}

TEST_F(SystemTest, RemovalKeepsTheOthersFindable) {
    const int first = add();
    def.duration = 0.0f;
    add();
    def.duration = -1.0f;
    const int third = add();
    system.update(16.0f);
    ASSERT_EQ(system.getEntries().size(), 2u);
    EXPECT_EQ(system.findEmitter(first)->x, 10);
    EXPECT_EQ(system.findEmitter(third)->liveCount, 1);
}

TEST_F(SystemTest, ReserveDropsEverythingAndSetsTheCapacity) {
    add();
    system.reserve(2);
    EXPECT_TRUE(system.getEntries().empty());
    EXPECT_EQ(add(), 1);
    EXPECT_EQ(add(), 2);
    EXPECT_EQ(add(), 0);
}

TEST(SystemDefault, HoldsNothingUntilReserved) {
    PSys::System system;
    EXPECT_EQ(system.add(0, 0, PSys::ParticleDef(), 0.0f, 1.0f), 0);
}

}  // namespace
