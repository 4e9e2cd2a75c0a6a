#include <gtest/gtest.h>

#include <algorithm>

#include "game/effects/ParticleSystems.h"
#include "game/effects/WeaponTable.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/HostileParticles.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "tests/game/world/Room.h"

namespace {

using WorldTest::Room;
using WorldTest::WorldHarness;
using Zelmo::PlayerComp;
using Zelmo::PVAComp;

constexpr int kShot = 11;  // a robot shot with damage
constexpr int kShieldUp = 119;

// The player stands in the middle of the room; shots are placed by hand in the hostile system.
class HostileParticles : public ::testing::Test {
protected:
    HostileParticles() : m_room(m_harness) {
        PVAComp& pva = player().get<PVAComp>();
        pva.x = pva.nextX = Room::middle();
        pva.y = pva.nextY = Room::middle();
        m_harness.step();
    }

    ecs::Entity player() { return m_harness.logic().player(); }
    PlayerComp& state() { return player().get<PlayerComp>(); }

    // A live shot at (x, y) that was last tested at (lastX, lastY).
    PSys::Particle& shot(float x, float y, float lastX, float lastY) {
        const int id = Zelmo::spawnParticles(int(x), int(y), Zelmo::kHostileSystem, kShot, 0.0f);
        PSys::ParticleEmitter* emitter = Zelmo::particleSystem(Zelmo::kHostileSystem)->findEmitter(id);
        emitter->def.rate = 1;
        emitter->def.duration = -1.0f;
        emitter->def.maxParticles = 1;
        emitter->prime(1);
        emitter->update(0.0f);
        emitter->def.rate = 0;
        EXPECT_EQ(emitter->liveCount, 1);
        PSys::Particle& particle = emitter->particles()[0];
        particle = PSys::Particle{};
        particle.life = 1000.0f;
        particle.startX = particle.endX = x;
        particle.startY = particle.endY = y;
        particle.lastX = lastX;
        particle.lastY = lastY;
        return particle;
    }
    PSys::Particle& shotAtPlayer() {
        return shot(Room::middle(), Room::middle(), Room::middle() - 5.0f, Room::middle());
    }

    static bool dead(const PSys::Particle& particle) { return particle.age >= particle.life; }

    int livesLostScheduled() {
        const Zelmo::TimerComp& timers = player().get<Zelmo::TimerComp>();
        return int(std::count(timers.codes.begin(), timers.codes.end(), Zelmo::kActionLoseLife));
    }

    WorldHarness m_harness;
    Room m_room;
};

TEST_F(HostileParticles, ThePlayerTakesAShotsDamage) {
    const float health = state().health;
    PSys::Particle& particle = shotAtPlayer();
    Zelmo::collideHostileParticles(m_harness.logic());
    EXPECT_TRUE(dead(particle));
    EXPECT_FLOAT_EQ(state().health, health - Zelmo::particleDamage(kShot));
    EXPECT_EQ(livesLostScheduled(), 0);
}

// The game's step tests the shots where it leaves them, with no frame drawn: at a frame rate
// below the step rate a shot would otherwise fly a step through the player unseen.
TEST_F(HostileParticles, EachStepOfTheGameTestsTheShots) {
    const float health = state().health;
    PSys::Particle& particle = shotAtPlayer();
    m_harness.logic().update(WorldHarness::kStepMs);
    EXPECT_TRUE(dead(particle));
    EXPECT_FLOAT_EQ(state().health, health - Zelmo::particleDamage(kShot));
}

TEST_F(HostileParticles, ActivatedArmourAbsorbsAShot) {
    ecs::Entity armour = state().armour;
    armour.get<PVAComp>() = player().get<PVAComp>();
    armour.activate();
    m_harness.step();
    const float health = state().health;
    PSys::Particle& particle = shotAtPlayer();
    Zelmo::collideHostileParticles(m_harness.logic());
    EXPECT_TRUE(dead(particle));
    EXPECT_EQ(state().health, health);
    const Zelmo::FXsComp& effects = armour.get<Zelmo::FXsComp>();
    EXPECT_EQ(effects.floatChains.size(), 1u) << "the thickness flashes";
    EXPECT_EQ(effects.intChains.size(), 1u) << "the shape set flashes";
}

// Shielding, the shield stands in front of the player; a shot meeting it goes no further.
TEST_F(HostileParticles, TheShieldStopsAShot) {
    state().lastDirection = 1;  // facing up
    m_harness.send("START_ACTION", "1");
    m_harness.step(2);
    ecs::Entity shield = state().shield;
    ASSERT_TRUE(shield.isActivated());
    ASSERT_EQ(shield.get<Zelmo::VectorComp>().shape, kShieldUp);
    const float health = state().health;
    PSys::Particle& particle = shot(Room::middle(), Room::middle() + 20.0f, Room::middle(), Room::middle() + 30.0f);
    Zelmo::collideHostileParticles(m_harness.logic());
    EXPECT_TRUE(dead(particle));
    EXPECT_EQ(state().health, health);
    EXPECT_EQ(shield.get<Zelmo::FXsComp>().floatChains.size(), 1u);
}

TEST_F(HostileParticles, AShotAtADeadPlayerDiesWithoutDamage) {
    state().health = 0.0f;
    PSys::Particle& particle = shotAtPlayer();
    Zelmo::collideHostileParticles(m_harness.logic());
    EXPECT_TRUE(dead(particle));
    EXPECT_EQ(state().health, 0.0f);
    EXPECT_EQ(livesLostScheduled(), 0);
}

TEST_F(HostileParticles, TwoShotsInOneUpdateKillThePlayerOnce) {
    state().health = 1.0f;
    PSys::Particle& first = shotAtPlayer();
    PSys::Particle& second = shotAtPlayer();
    Zelmo::collideHostileParticles(m_harness.logic());
    EXPECT_TRUE(dead(first));
    EXPECT_TRUE(dead(second));
    EXPECT_LE(state().health, 0.0f);
    EXPECT_EQ(livesLostScheduled(), 1);
    EXPECT_EQ(player().get<Zelmo::FXsComp>().floatChains.size(), 2u) << "scale and thickness fall";
    Zelmo::collideHostileParticles(m_harness.logic());
    EXPECT_EQ(livesLostScheduled(), 1) << "spent shots hit nothing more";
}

TEST_F(HostileParticles, WallsStopShotsEvenWhenTheyJumpOverThem) {
    // A wall one tile thick across the room at tile column 7.
    for (int y = Room::kFirst; y <= Room::kLast; ++y) m_room.setTile(7, y, Room::kSolid);
    const float y = Room::edge(12);
    struct Case {
        const char* what;
        float lastX, x;
        bool stopped;
    } cases[] = {
        {"free flight", Room::edge(9), Room::edge(10), false},
        {"into the wall", Room::edge(6) + 20.0f, Room::edge(7) + 4.0f, true},
        {"over the wall in one frame", Room::edge(6), Room::edge(8) + 16.0f, true},
        {"out of the map", 20.0f, -40.0f, true},
    };
    for (const Case& c : cases) {
        PSys::Particle& particle = shot(c.x, y, c.lastX, y);
        Zelmo::collideHostileParticles(m_harness.logic());
        EXPECT_EQ(dead(particle), c.stopped) << c.what;
        EXPECT_EQ(particle.lastX, c.x) << c.what;
        Zelmo::clearParticleSystem(Zelmo::kHostileSystem);
    }
}

}  // namespace
