#include "game/effects/ParticleSystems.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/config/Settings.h"
#include "game/effects/ParticleDefs.h"
#include "tests/game/config/GlobalsFixture.h"

namespace {

using Zelmo::particleSystem;
using Zelmo::spawnParticles;

class ParticleSystemsTest : public ::testing::Test {
protected:
    TempFolder m_folder;

    void SetUp() override {
        ASSERT_TRUE(loadTuning(m_folder, R"({option_values: [
            {name: "OPT_PARTICLE_SPEED", values: [{value: 1.0}, {value: 0.5}, {value: 2.0}]}]})"));
        clearAll();
    }
    void TearDown() override { Zelmo::settings().clear(); }

    static void clearAll() {
        for (int n = 0; n < Zelmo::kParticleSystemCount; ++n) Zelmo::clearParticleSystem(n);
    }
    static size_t emitterCount(int n) { return particleSystem(n)->getEntries().size(); }
};

TEST_F(ParticleSystemsTest, SpawnsTheDefinitionIntoTheNamedSystemOnly) {
    for (int n = 0; n < Zelmo::kParticleSystemCount; ++n) {
        clearAll();
        const int id = spawnParticles(100, 200, n, 17, 50.0f);
        EXPECT_EQ(id, 1) << n;
        for (int other = 0; other < Zelmo::kParticleSystemCount; ++other)
            EXPECT_EQ(emitterCount(other), other == n ? 1u : 0u) << "spawned in " << n << ", looked in " << other;
        const PSys::ParticleEmitter* emitter = particleSystem(n)->findEmitter(id);
        ASSERT_NE(emitter, nullptr) << n;
        EXPECT_EQ(emitter->x, 100);
        EXPECT_EQ(emitter->y, 200);
        EXPECT_EQ(emitter->def.id, 17);
        EXPECT_EQ(emitter->def.startDelay, 50.0f);
        EXPECT_EQ(emitter->speedScale, 1.0f);
    }
}

TEST_F(ParticleSystemsTest, EachSystemHoldsSixtyFourEmittersAndRefusesMore) {
    for (int expected = 1; expected <= Zelmo::kEmittersPerSystem; ++expected)
        ASSERT_EQ(spawnParticles(10, 10, Zelmo::kHostileSystem, 9, 0.0f), expected);
    EXPECT_EQ(spawnParticles(10, 10, Zelmo::kHostileSystem, 9, 0.0f), PSys::kNoEmitter);
    EXPECT_EQ(emitterCount(Zelmo::kHostileSystem), size_t(Zelmo::kEmittersPerSystem));
    EXPECT_EQ(particleSystem(Zelmo::kHostileSystem)->findEmitter(PSys::kNoEmitter), nullptr);
    // The other systems have their own room.
    EXPECT_EQ(spawnParticles(10, 10, Zelmo::kEffectsSystem, 9, 0.0f), 1);
}

TEST_F(ParticleSystemsTest, ClearingEmptiesOneSystemAndRestartsItsIds) {
    for (int n = 0; n < Zelmo::kParticleSystemCount; ++n) {
        spawnParticles(0, 0, n, 2, 0.0f);
        spawnParticles(0, 0, n, 2, 0.0f);
    }
    for (int n = 0; n < Zelmo::kParticleSystemCount; ++n) {
        Zelmo::clearParticleSystem(n);
        EXPECT_EQ(emitterCount(n), 0u) << n;
        for (int later = n + 1; later < Zelmo::kParticleSystemCount; ++later)
            EXPECT_EQ(emitterCount(later), 2u) << "clearing " << n << " emptied " << later;
    }
    for (int n = 0; n < Zelmo::kParticleSystemCount; ++n) EXPECT_EQ(spawnParticles(0, 0, n, 2, 0.0f), 1) << n;
}

TEST_F(ParticleSystemsTest, SystemsAndDefinitionsThatDoNotExistSpawnNothing) {
    EXPECT_EQ(particleSystem(-1), nullptr);
    EXPECT_EQ(particleSystem(Zelmo::kParticleSystemCount), nullptr);
    EXPECT_EQ(spawnParticles(0, 0, Zelmo::kParticleSystemCount, 2, 0.0f), PSys::kNoEmitter);
    EXPECT_EQ(spawnParticles(0, 0, -1, 2, 0.0f), PSys::kNoEmitter);
    EXPECT_EQ(spawnParticles(0, 0, Zelmo::kHostileSystem, Zelmo::kParticleDefCount, 0.0f), PSys::kNoEmitter);
    EXPECT_EQ(spawnParticles(0, 0, Zelmo::kHostileSystem, -1, 0.0f), PSys::kNoEmitter);
    EXPECT_EQ(emitterCount(Zelmo::kHostileSystem), 0u);
    Zelmo::clearParticleSystem(Zelmo::kParticleSystemCount);  // nothing to clear
}

// Definition 17 flies 4 units a frame for 250 ms: 60 units.
TEST_F(ParticleSystemsTest, ParticleSpeedOptionShortensLivesAndKeepsFlights) {
    struct Case {
        const char* option;
        float life;
    };
    for (const Case& c : {Case{"0", 250.0f}, Case{"1", 500.0f}, Case{"2", 125.0f}}) {
        clearAll();
        Zelmo::setPref("OPT_PARTICLE_SPEED", c.option);
        const int id = spawnParticles(1000, 1000, Zelmo::kEffectsSystem, 17, 0.0f);
        particleSystem(Zelmo::kEffectsSystem)->update(16.0f);
        const PSys::ParticleEmitter* emitter = particleSystem(Zelmo::kEffectsSystem)->findEmitter(id);
        ASSERT_NE(emitter, nullptr);
        ASSERT_GT(emitter->liveCount, 0) << c.option;
        for (int k = 0; k < emitter->liveCount; ++k) {
            const PSys::Particle& particle = emitter->particles()[k];
            EXPECT_FLOAT_EQ(particle.life, c.life) << c.option;
            EXPECT_NEAR(std::hypot(particle.endX - particle.startX, particle.endY - particle.startY), 60.0f, 0.01f)
                << c.option;
        }
    }
}

TEST_F(ParticleSystemsTest, ParticleSpeedIsReadAtEverySpawn) {
    const int normal = spawnParticles(0, 0, Zelmo::kEffectsSystem, 17, 0.0f);
    Zelmo::setPref("OPT_PARTICLE_SPEED", "2");
    const int fast = spawnParticles(0, 0, Zelmo::kEffectsSystem, 17, 0.0f);
    EXPECT_EQ(particleSystem(Zelmo::kEffectsSystem)->findEmitter(normal)->speedScale, 1.0f);
    EXPECT_EQ(particleSystem(Zelmo::kEffectsSystem)->findEmitter(fast)->speedScale, 2.0f);
}

}  // namespace
