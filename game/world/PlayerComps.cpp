#include "game/world/PlayerComps.h"

#include "game/effects/ParticleSystems.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"

namespace Zelmo {
namespace {

constexpr int kPosePunch = 4;
constexpr float kDeathToLifeLostMs = 3000.0f;
constexpr int kChargeRate = 200;
constexpr float kChargeStaggerMs = 70.0f;

// 16 up, 32 down, 48 left, 64 right; anything else counts as up.
size_t facingIndex(int32_t stateCode) {
    switch (stateCode & 0xf0) {
        case 32:
            return 1;
        case 48:
            return 2;
        case 64:
            return 3;
        default:
            return 0;
    }
}

}  // namespace

void PlayerComp::placeChargeEmitters(float x, float y, int mode) {
    const size_t facing = facingIndex(stateCode);
    PSys::System* system = particleSystem(kChargeSystem);
    for (size_t i = 0; i < chargeEmitters.size(); ++i) {
        for (size_t j = 0; j < chargeEmitters[i].size(); ++j) {
            PSys::ParticleEmitter* emitter = system->findEmitter(chargeEmitters[i][j]);
            if (!emitter) continue;
            if (i != facing) {
                emitter->liveCount = 0;
                emitter->def.rate = 0;
                continue;
            }
            emitter->x = int32_t(x);
            emitter->y = int32_t(y);
            if (mode > 0) {
                emitter->def.rate = kChargeRate;
                emitter->update(float(j % 8) * kChargeStaggerMs);
            } else if (mode < 0) {
                emitter->def.rate = 0;
            }
        }
    }
    for (size_t i = 0; i < directionEntities.size(); ++i) {
        if (mode > 0 && i == facing) {
            directionEntities[i].activate();
        } else if (mode != 0) {
            directionEntities[i].deactivate();
        }
    }
    if (mode > 0) chargeEmittersOn = true;
    if (mode < 0) chargeEmittersOn = false;
}

void PlayerComp::stopChargeEmitters() {
    if (!chargeEmittersOn) return;
    PSys::System* system = particleSystem(kChargeSystem);
    for (const auto& direction : chargeEmitters) {
        for (int32_t id : direction) {
            if (PSys::ParticleEmitter* emitter = system->findEmitter(id)) {
                emitter->def.rate = 0;
                emitter->liveCount = 0;
            }
        }
    }
    for (ecs::Entity& entity : directionEntities) entity.deactivate();
    chargeEmittersOn = false;
}

void PlayerComp::takeDamage(const ecs::Entity& player, float damage) {
    PlayerComp& state = player.get<PlayerComp>();
    if ((state.stateCode & 0xf) == kPosePunch || state.health <= 0.0f) return;
    state.health -= damage;
    state.rechargeTimer = 0.0f;
    if (state.health > 0.0f) return;
    state.heldDirections = 0;
    state.stateCode = 0;
    state.dashTime = 0.0f;
    state.stopChargeEmitters();
    scheduleAction(player, kActionLoseLife, kDeathToLifeLostMs);
    PVAComp& pva = player.get<PVAComp>();
    pva.speed.from = 0.0f;
    pva.speed.to = 0.0f;
    pva.speed.elapsed = 0.0f;
}

void FootstepsComp::record(const Step& step) {
    for (Step& held : steps) {
        if (held.cellX == step.cellX && held.cellY == step.cellY) {
            held = step;
            return;
        }
    }
    steps[size_t(next)] = step;
    next = (next + 1) % int32_t(steps.size());
}

const FootstepsComp::Step* FootstepsComp::find(int32_t x, int32_t y) const {
    for (const Step& held : steps) {
        if (held.cellX == x && held.cellY == y) return &held;
    }
    return nullptr;
}

}  // namespace Zelmo
