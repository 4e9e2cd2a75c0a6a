#include "game/world/RobotFactory.h"

#include <algorithm>

#include "game/effects/ParticleSystems.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/RobotComp.h"

namespace Zelmo {
namespace {

constexpr int kKnockedBack = 1;
constexpr int kSparks = 2;
constexpr int kBossBurst = 13;
constexpr int kBossBursts = 15;
constexpr float kBossBurstStaggerMs = 100.0f;
constexpr int kBoxCarrier = 4;
constexpr int kSpinner = 5;
constexpr int kBossBullet = 16;
constexpr int kBoss = 17;
constexpr float kShatterFadeMs = 2000.0f;
constexpr float kEffectBeamGrowth = 50.0f;
// Just below 2000 and 1000 ms, as the zapped look's limits have always been.
constexpr float kLongZap = 1999.9998779296875f;
constexpr float kShortZap = 999.9999389648438f;

// The effect beam a kind shows when hit, with its origin height; 0 for none.
struct HitBeam {
    int type;
    float originY;
};
HitBeam hitBeamOf(int robotType) {
    switch (robotType) {
        case 1:
            return {13, 12.0f};
        case 4:
            return {15, 0.0f};
        case 6:
        case 7:
        case 8:
            return {17, 12.0f};
        case 9:
            return {16, 12.0f};
        case 13:
            return {14, 12.0f};
        default:
            return {0, 0.0f};
    }
}

void zap(const ecs::Entity& robot, float limit, float factorTo) {
    if (!robot.has<ZappedComp>()) return;
    ZappedComp& zapped = robot.get<ZappedComp>();
    zapped.remaining = std::max(zapped.remaining, limit);
    zapped.factorFrom = 1.0f;
    zapped.factorTo = factorTo;
}

void silence(int system, int id) {
    if (PSys::ParticleEmitter* emitter = particleSystem(system)->findEmitter(id)) {
        emitter->def.rate = 0;
        emitter->def.duration = 0.0f;
    }
}

// The hit cuts the robot's weapon beam.
void cutBeam(GameLogic& logic, const ecs::Entity& robot) {
    if (!robot.has<BeamComp>()) return;
    if (robot.has<FXsComp>()) robot.get<FXsComp>().removeTargetsOf(robot.get<BeamComp>());
    robot.remove<BeamComp>();
    logic.world().refresh();
}

void throwSparks(const ecs::Entity& robot, RobotComp& state, int heading, float x, float y, float knockBack) {
    const int id = spawnParticles(int(x), int(y), kEffectsSystem, kSparks, 0.0f);
    PSys::ParticleDef* sparks = particleSystem(kEffectsSystem)->findEmitterDef(id);
    if (!sparks) return;
    const PVAComp& pva = robot.get<PVAComp>();
    state.impactEmitter = id;
    state.impactX = x - pva.x;
    state.impactY = y - pva.y;
    sparks->rate = int32_t(knockBack * knockBack / 100.0f * float(sparks->rate));
    sparks->angle.min = float(heading + 80);
    sparks->angle.max = float(heading + 280);
    sparks->speed.max *= knockBack / 100.0f;
}

}  // namespace

void RobotFactory::robotHit(GameLogic& logic, const ecs::Entity& robot, int heading, float x, float y, float knockBack,
                            float damage) {
    RobotComp& state = robot.get<RobotComp>();
    if (state.health <= 0.0f || robot.has<KillComp>()) return;
    state.state = kKnockedBack;
    state.knockBackAngle = heading;
    state.knockBackSpeed = knockBack / state.mass;
    state.health -= damage;
    if (state.health <= 0.0f) {
        robotDestroyed(logic, robot);
        return;
    }
    cutBeam(logic, robot);
    throwSparks(robot, state, heading, x, y, knockBack);

    const HitBeam beam = hitBeamOf(state.type);
    if (beam.type != 0) {
        logic.addBeam(beam.type, robot, 0.0f, beam.originY, 20.0f * knockBack, beam.originY, kEffectBeamGrowth, false);
    } else if (state.type == kSpinner) {
        zap(robot, kLongZap, 1.3f);
        if (robot.has<ZappedComp>() && robot.has<AnimationComp>()) {
            robot.get<AnimationComp>().frameTime = -int32_t(robot.get<ZappedComp>().remaining);
        }
    } else if (state.type >= 10 && state.type <= 12) {
        zap(robot, kShortZap, 1.2f);
    } else {
        zap(robot, kLongZap, 1.3f);
    }
    if (robot.has<BeamComp>()) robot.get<BeamComp>().killOwner = false;
    if (state.hitSound != 0) logic.playSound(state.hitSound);
}

void RobotFactory::robotDestroyed(GameLogic& logic, const ecs::Entity& robot) {
    if (!robot.isValid() || robot.has<KillComp>()) return;
    RobotComp& state = robot.get<RobotComp>();
    silence(kHostileSystem, state.weaponEmitter);
    if (robot.has<EmittersComp>()) {
        for (const EmittersComp::Slot& slot : robot.get<EmittersComp>().slots) silence(slot.system, slot.emitter);
    }
    const PVAComp& pva = robot.get<PVAComp>();
    const bool bossKind = state.type == kBossBullet || state.type == kBoss;
    logic.createBeamEffect(bossKind ? 10 : 18, pva.x, pva.y, 0.0f, 10.0f, kEffectBeamGrowth, true);
    const float x = pva.x, y = pva.y;
    logic.killEntity(robot, kShatterFadeMs, true);

    if (state.type == kBoxCarrier) {
        PVAComp& own = robot.get<PVAComp>();
        own.speed.from = own.speed.to = own.speed.elapsed = 0.0f;
        ecs::Entity box = state.carried;
        if (box.isValid() && box.has<PVAComp>()) {
            PVAComp& boxPva = box.get<PVAComp>();
            boxPva.speed.from = boxPva.speed.to = boxPva.speed.elapsed = 0.0f;
            boxPva.moved = false;
            scheduleAction(box, kActionGiveBoxes, 1000.0f);
            box.activate();
        }
    }
    if (state.type == kBoss) {
        for (int i = 0; i < kBossBursts; ++i) {
            const int id = spawnParticles(int(x), int(y), kEffectsSystem, kBossBurst, 0.0f);
            if (PSys::ParticleEmitter* burst = particleSystem(kEffectsSystem)->findEmitter(id)) {
                burst->update(float(i) * kBossBurstStaggerMs);
            }
        }
    }
}

}  // namespace Zelmo
