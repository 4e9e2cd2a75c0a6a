#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/psys/NonMovingPoint.h"
#include "engine/psys/ParticleEmitter.h"

namespace {

PSys::PropertyRange constant(float value) { return {value, value, 1.0f, Penner::Linear::easeIn}; }

// A definition whose particles live long and fly 10 units (speed 1 for 10 frames) along +y.
class ParticleEmitterTest : public testing::Test {
protected:
    Util::NonMovingPoint origin{0.0f, 0.0f};
    PSys::ParticleDef def;

    ParticleEmitterTest() {
        def.rate = 100;
        def.duration = -1.0f;
        def.maxParticles = 2048;
        def.path = &origin;
        def.spread = &origin;
        def.speed = constant(1.0f);
        def.life = constant(166.66666f);
        def.gradients = {{{1.0f, 0xff0000ffu}}};
    }

    PSys::ParticleEmitter started(int x = 100, int y = 100, float speedScale = 1.0f) const {
        PSys::ParticleEmitter emitter(x, y, def, speedScale);
        emitter.start(0.0f);
        return emitter;
    }
};

TEST_F(ParticleEmitterTest, CarryMakesRateHundredSpawnOneTwoOneTwoTwo) {
    def.life = constant(10000.0f);
    PSys::ParticleEmitter emitter = started();
    std::vector<int> spawned;
    for (int frame = 0; frame < 5; ++frame) {
        const int before = emitter.liveCount;
        emitter.update(16.0f);
        spawned.push_back(emitter.liveCount - before);
    }
    EXPECT_EQ(spawned, (std::vector<int>{1, 2, 1, 2, 2}));
}

TEST_F(ParticleEmitterTest, PrimeSpawnsABatchAtOnce) {
    def.life = constant(10000.0f);
    PSys::ParticleEmitter emitter = started();
    emitter.prime(5);
    emitter.update(5.0f);
    EXPECT_EQ(emitter.liveCount, 5);
}

TEST_F(ParticleEmitterTest, PrimeWithoutRateDoesNothing) {
    def.rate = 0;
    def.life = constant(10000.0f);
    PSys::ParticleEmitter emitter = started();
    emitter.prime(5);
    emitter.update(16.0f);
    EXPECT_EQ(emitter.liveCount, 0);
    emitter.def.rate = 100;
    emitter.update(16.0f);
    EXPECT_EQ(emitter.liveCount, 1);
}

TEST_F(ParticleEmitterTest, BatchMembersAreStaggeredInAgeAndPropertyTime) {
    def.life = {1000.0f, 2000.0f, 1000.0f, Penner::Linear::easeIn};  // life = 1000 + t
    PSys::ParticleEmitter emitter = started();
    emitter.update(10.0f);  // elapsed 10: one particle
    emitter.update(30.0f);  // elapsed 40: three more, at property times 40, 50, 60
    ASSERT_EQ(emitter.liveCount, 4);
    const PSys::Particle* p = emitter.particles();
    EXPECT_FLOAT_EQ(p[0].age, 30.0f);
    EXPECT_FLOAT_EQ(p[0].life, 1010.0f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(p[1 + i].age, 10.0f * static_cast<float>(i));
        EXPECT_FLOAT_EQ(p[1 + i].life, 1040.0f + 10.0f * static_cast<float>(i));
    }
}

TEST_F(ParticleEmitterTest, ParticlesDieAtTheirLifeAndLiveOnesStayPacked) {
    def.life = {25.0f, 75.0f, 40.0f, Penner::Linear::easeIn};
    PSys::ParticleEmitter emitter = started();
    for (int frame = 0; frame < 60; ++frame) {
        emitter.update(7.0f);
        for (int k = 0; k < emitter.liveCount; ++k) {
            ASSERT_LT(emitter.particles()[k].age, emitter.particles()[k].life);
        }
    }
    EXPECT_GT(emitter.liveCount, 0);
    emitter.def.rate = 0;
    emitter.update(100.0f);
    EXPECT_EQ(emitter.liveCount, 0);
}

struct FlightCase {
    float angle;
    float endX;
    float endY;
};

class ParticleFlight : public ParticleEmitterTest, public testing::WithParamInterface<FlightCase> {};

TEST_P(ParticleFlight, AngleZeroPointsAlongPlusY) {
    def.angle = constant(GetParam().angle);
    PSys::ParticleEmitter emitter = started();
    emitter.prime(1);
    emitter.update(0.0f);
    ASSERT_EQ(emitter.liveCount, 1);
    const PSys::Particle& p = emitter.particles()[0];
    EXPECT_FLOAT_EQ(p.startX, 100.0f);
    EXPECT_FLOAT_EQ(p.lastY, 100.0f);
    EXPECT_NEAR(p.endX, GetParam().endX, 1e-3f);
    EXPECT_NEAR(p.endY, GetParam().endY, 1e-3f);
}

INSTANTIATE_TEST_SUITE_P(Directions, ParticleFlight,
                         testing::Values(FlightCase{0, 100, 110}, FlightCase{90, 110, 100}, FlightCase{180, 100, 90},
                                         FlightCase{270, 90, 100}));

TEST_F(ParticleEmitterTest, SpeedScaleShortensTheLifeButNotTheFlight) {
    def.angle = constant(90.0f);
    PSys::ParticleEmitter emitter = started(100, 100, 2.0f);
    emitter.prime(1);
    emitter.update(0.0f);
    const PSys::Particle& p = emitter.particles()[0];
    EXPECT_NEAR(p.life, 83.33333f, 1e-3f);
    EXPECT_NEAR(p.endX, 110.0f, 1e-3f);
}

TEST_F(ParticleEmitterTest, FlightIsCutWhereItLeavesTheQuadrant) {
    def.speed = constant(4.0f);  // 40 units
    struct Case {
        int x, y;
        float angle, endX, endY;
    };
    const float shift = 10.0f * std::tan(30.0f * 0.017453292f);
    for (const Case& c : {Case{10, 100, 300.0f, 0.0f, 100.0f + shift},  // crosses x = 0
                          Case{100, 10, 150.0f, 100.0f + shift, 0.0f},  // crosses y = 0
                          Case{10, 10, 225.0f, 0.0f, 0.0f}}) {          // through the corner
        SCOPED_TRACE(c.angle);
        def.angle = constant(c.angle);
        PSys::ParticleEmitter emitter = started(c.x, c.y);
        emitter.prime(1);
        emitter.update(0.0f);
        EXPECT_NEAR(emitter.particles()[0].endX, c.endX, 1e-3f);
        EXPECT_NEAR(emitter.particles()[0].endY, c.endY, 1e-3f);
    }
}

TEST_F(ParticleEmitterTest, ParticleBornOutsideTheQuadrantIsOnlyClamped) {
    // Flying along +y from x = -10: its line never crosses x = 0.
    PSys::ParticleEmitter emitter = started(-10, 100);
    emitter.prime(1);
    emitter.update(0.0f);
    EXPECT_EQ(emitter.particles()[0].endX, 0.0f);
    EXPECT_NEAR(emitter.particles()[0].endY, 110.0f, 1e-3f);
}

TEST_F(ParticleEmitterTest, SpreadMovesTheStartAndBendsTheFlightWhenDirectional) {
    Util::NonMovingPoint spread(3.0f, 4.0f);
    Util::NonMovingPoint path(-1.0f, 2.0f);
    def.spread = &spread;
    def.path = &path;
    def.angle = constant(90.0f);
    for (const bool directional : {true, false}) {
        SCOPED_TRACE(directional);
        def.directional = directional;
        PSys::ParticleEmitter emitter = started();
        emitter.prime(1);
        emitter.update(0.0f);
        const PSys::Particle& p = emitter.particles()[0];
        EXPECT_FLOAT_EQ(p.startX, 102.0f);
        EXPECT_FLOAT_EQ(p.startY, 106.0f);
        // Direction (1, 0), plus the spread's unit direction (0.6, 0.8) when directional.
        EXPECT_NEAR(p.endX, directional ? 118.0f : 112.0f, 1e-3f);
        EXPECT_NEAR(p.endY, directional ? 114.0f : 106.0f, 1e-3f);
    }
}

TEST_F(ParticleEmitterTest, MissingMovingPointsCountAsTheOrigin) {
    def.path = nullptr;
    def.spread = nullptr;
    PSys::ParticleEmitter emitter = started(5, 6);
    emitter.prime(1);
    emitter.update(0.0f);
    EXPECT_FLOAT_EQ(emitter.particles()[0].startX, 5.0f);
    EXPECT_FLOAT_EQ(emitter.particles()[0].startY, 6.0f);
}

TEST_F(ParticleEmitterTest, SuccessiveParticlesTakeTheGradientsInTurn) {
    def.gradients = {{{1.0f, 0x11111111u}}, {{0.5f, 0x22222222u}, {1.0f, 0x33333333u}}};
    def.life = constant(10000.0f);
    PSys::ParticleEmitter emitter = started();
    emitter.prime(5);
    emitter.update(0.0f);
    ASSERT_EQ(emitter.liveCount, 5);
    for (int i = 0; i < 5; ++i) {
        const PSys::Gradient& colours = emitter.particles()[i].colours;
        ASSERT_EQ(colours.size(), i % 2 == 0 ? 1u : 2u);
        EXPECT_EQ(colours[0].colour, i % 2 == 0 ? 0x11111111u : 0x22222222u);
    }
}

TEST_F(ParticleEmitterTest, WithoutGradientsParticlesAreWhite) {
    def.gradients.clear();
    PSys::ParticleEmitter emitter = started();
    emitter.prime(2);
    emitter.update(0.0f);
    ASSERT_EQ(emitter.liveCount, 2);
    ASSERT_EQ(emitter.particles()[1].colours.size(), 1u);
    EXPECT_EQ(emitter.particles()[1].colours[0].colour, 0xffffffffu);
}

TEST_F(ParticleEmitterTest, LiveParticlesNeverExceedTheLimitOrThePool) {
    def.life = constant(1e6f);  // outlives the ages a big batch is born with
    for (const int limit : {40, 5000}) {
        SCOPED_TRACE(limit);
        def.maxParticles = limit;
        PSys::ParticleEmitter emitter = started();
        emitter.prime(3000);
        emitter.update(0.0f);
        EXPECT_EQ(emitter.liveCount, std::min(limit, PSys::ParticleEmitter::kPoolSize));
        emitter.update(1000.0f);
        EXPECT_EQ(emitter.liveCount, std::min(limit, PSys::ParticleEmitter::kPoolSize));
    }
}

TEST_F(ParticleEmitterTest, NothingSpawnsWithoutRateOrDuration) {
    for (const bool noRate : {true, false}) {
        SCOPED_TRACE(noRate);
        def.rate = noRate ? 0 : 100;
        def.duration = noRate ? -1.0f : 0.0f;
        PSys::ParticleEmitter emitter = started();
        emitter.update(100.0f);
        EXPECT_EQ(emitter.liveCount, 0);
        EXPECT_FLOAT_EQ(emitter.elapsed, 100.0f);
    }
}

TEST_F(ParticleEmitterTest, EmitterWithoutPoolSpawnsNothing) {
    PSys::ParticleEmitter emitter = started();
    emitter.update(50.0f);
    emitter.freePool();
    EXPECT_EQ(emitter.liveCount, 0);
    emitter.update(50.0f);
    EXPECT_EQ(emitter.liveCount, 0);
}

TEST_F(ParticleEmitterTest, StartEmptiesTheEmitterAndTakesTheDelay) {
    PSys::ParticleEmitter emitter = started();
    emitter.update(50.0f);
    emitter.start(250.0f);
    EXPECT_EQ(emitter.liveCount, 0);
    EXPECT_EQ(emitter.elapsed, 0.0f);
    EXPECT_EQ(emitter.spawnCarry, 0.0f);
    EXPECT_EQ(emitter.def.startDelay, 250.0f);
}

}  // namespace
