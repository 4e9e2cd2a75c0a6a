#include "game/world/HostileParticles.h"

#include <algorithm>

#include "engine/tween/Penner.h"
#include "game/effects/ParticleSystems.h"
#include "game/effects/WeaponTable.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/PlayerComps.h"
#include "game/world/systems/MovementSys.h"

namespace Zelmo {
namespace {

constexpr int kHalfBox = 3;
constexpr int kSoundPlayerHit = 11;
constexpr float kWallTestPoints[] = {0.25f, 0.5f, 0.75f, 1.0f};

void kill(PSys::Particle& particle) { particle.age = particle.life; }

FloatStep floatStep(float from, float to, float duration, Tween::EaseFn easer) {
    return FloatStep{from, to, duration, easer, 0.0f};
}

IntStep intStep(int32_t from, int32_t to, float duration) {
    return IntStep{from, to, duration, Penner::Linear::easeIn, 0.0f};
}

// The drawing switches to shape set 1 for a while, then back.
void flashShapeSet(FXsComp& effects, VectorComp& vector, float holdMs) {
    effects.setTweenChain(
        IntChain{{intStep(0, 1, 1.0f), intStep(1, 1, holdMs), intStep(1, 0, 1.0f)}, &vector.shapeSet});
}

bool hitsWall(const Map::TileCollisionMap& collision, const PSys::Particle& particle, float x, float y) {
    for (float f : kWallTestPoints) {
        const int px = int(float(int((x - particle.lastX) * f)) + particle.lastX);
        const int py = int(float(int((y - particle.lastY) * f)) + particle.lastY);
        if (collision.valueAtPixel(px, py, MovementSys::kOutsideMap) != 0) return true;
    }
    return false;
}

}  // namespace

ParticlePoint particlePosition(const PSys::ParticleDef& def, const PSys::Particle& particle) {
    const float t = std::clamp(particle.age, 0.0f, particle.life);
    const Tween::EaseFn ease = def.positionEaser ? def.positionEaser : Penner::Linear::easeIn;
    return {ease(t, particle.startX, particle.endX - particle.startX, particle.life),
            ease(t, particle.startY, particle.endY - particle.startY, particle.life)};
}

void collideHostileParticle(GameLogic& logic, int definitionId, PSys::Particle& particle, float x, float y) {
    const ecs::Entity found = logic.collisionSys().gridB().findOverlap({int(x) - kHalfBox, int(y) - kHalfBox, 6, 6});
    const ecs::Entity player = logic.player();
    if (found.isValid()) {
        const PlayerComp& state = player.get<PlayerComp>();
        if (found == state.armour && found.isActivated()) {
            kill(particle);
            armourHitReaction(found);
        } else if (found == state.shield) {
            kill(particle);
            shieldHitReaction(found);
        } else if (found == player) {
            kill(particle);
            if (state.health > 0.0f) {
                PlayerComp::takeDamage(player, particleDamage(definitionId));
                logic.playSound(kSoundPlayerHit);
                if (state.health <= 0.0f) playerDeathReaction(logic);
            }
        }
    } else if (hitsWall(logic.collisionMap(), particle, x, y)) {
        kill(particle);
    }
    particle.lastX = x;
    particle.lastY = y;
}

void collideHostileParticles(GameLogic& logic) {
    for (PSys::EmitterEntry& entry : particleSystem(kHostileSystem)->getEntries()) {
        PSys::ParticleEmitter& emitter = entry.emitter;
        for (int32_t i = 0; i < emitter.liveCount; ++i) {
            PSys::Particle& particle = emitter.particles()[i];
            // A particle that hit something already is gone for the rest of the world.
            if (particle.age >= particle.life) continue;
            const ParticlePoint at = particlePosition(emitter.def, particle);
            collideHostileParticle(logic, emitter.def.id, particle, at.x, at.y);
        }
    }
}

void armourHitReaction(const ecs::Entity& armour) {
    VectorComp& vector = armour.get<VectorComp>();
    FXsComp& effects = armour.get<FXsComp>();
    effects.setTweenChain(FloatChain{
        {floatStep(1.0f, 3.0f, 10.0f, Penner::Cubic::easeOut), floatStep(3.0f, 1.0f, 30.0f, Penner::Linear::easeIn)},
        &vector.thickness});
    flashShapeSet(effects, vector, 40.0f);
}

void shieldHitReaction(const ecs::Entity& shield) {
    VectorComp& vector = shield.get<VectorComp>();
    FXsComp& effects = shield.get<FXsComp>();
    effects.setTweenChain(FloatChain{
        {floatStep(1.0f, 5.0f, 100.0f, Penner::Cubic::easeOut), floatStep(5.0f, 1.0f, 300.0f, Penner::Linear::easeIn)},
        &vector.thickness});
    flashShapeSet(effects, vector, 400.0f);
}

void playerDeathReaction(GameLogic& logic) {
    const ecs::Entity player = logic.player();
    VectorComp& vector = player.get<VectorComp>();
    FXsComp& effects = player.get<FXsComp>();
    const float scale = player.get<PlayerComp>().drawScale;
    effects.setTweenChain(FloatChain{{floatStep(scale, 0.02f, 1200.0f, Penner::Quint::easeIn)}, &vector.scale});
    effects.setTweenChain(FloatChain{{floatStep(1.0f, 10.0f, 1000.0f, Penner::Sine::easeOut),
                                      floatStep(10.0f, 10.0f, 200.0f, Penner::Linear::easeIn),
                                      floatStep(10.0f, 1.0f, 1000.0f, Penner::Cubic::easeOut)},
                                     &vector.thickness});
    flashShapeSet(effects, vector, 2200.0f);
}

}  // namespace Zelmo
