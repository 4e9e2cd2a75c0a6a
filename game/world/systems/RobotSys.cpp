#include "game/world/systems/RobotSys.h"

#include <algorithm>
#include <cmath>

#include "engine/data/Globals.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotFactory.h"
#include "game/world/RobotSteering.h"

namespace Zelmo {
namespace {

constexpr int kWalking = 0;
constexpr int kKnockedBack = 1;
constexpr int kFiringHalted = 2;
constexpr int kFiringWalking = 3;
constexpr float kKnockBackEndSpeed = 1.0f;
constexpr float kFrameMs = 16.666666f;
// Even the slowest decay (0.99) takes a knock-back of 20000 pixels an update below 1 in these.
constexpr int kMostDecays = 1000;
// A robot pushing against others this many updates gives up its plan and wanders.
constexpr int kStuckContacts = 20;
constexpr int kBossBulletType = 16;
constexpr float kBossBulletTrailMs = 500.0f;
constexpr int kBezerkStand = 2;
constexpr int kBezerkMove = 3;
constexpr int kVincentStand = 14;
constexpr int kVincentMove = 15;

constexpr int kWeaponBeam = 1;
constexpr int kWeaponLightning = 2;
constexpr int kWeaponParticles = 3;
constexpr int kWeaponBeamAndParticles = 4;

void halt(PVAComp& pva) { pva.speed.from = pva.speed.to = 0.0f; }

bool seenLately(const ecs::Entity& robot) {
    return robot.get<RobotComp>().attentionWindow > robot.get<PVAComp>().offScreenTime;
}

void fireBeam(GameLogic& logic, const ecs::Entity& robot, int muzzleX, float x, float y) {
    static const float s_beamSpeed = Globals::getFloat("BEAMSPEED");
    const RobotComp& state = robot.get<RobotComp>();
    const PVAComp& pva = robot.get<PVAComp>();
    logic.addBeam(state.beamType, robot, float(muzzleX), float(state.muzzleY), x - pva.x, y - pva.y, s_beamSpeed, true);
    if (robot.has<BeamComp>()) robot.get<BeamComp>().killOwner = false;
}

void fireParticles(GameLogic& logic, const ecs::Entity& robot, int muzzleX, float x, float y, bool emptyFirst) {
    RobotComp& state = robot.get<RobotComp>();
    const PVAComp& pva = robot.get<PVAComp>();
    PSys::ParticleEmitter* emitter = particleSystem(kHostileSystem)->findEmitter(state.weaponEmitter);
    if (emitter) {
        logic.aimEmitter(state.weaponEmitter, pva.x + float(muzzleX), pva.y + float(state.muzzleY), x, y);
        if (emptyFirst) {
            emitter->liveCount = 0;
            emitter->def.rate = 1;
        }
    } else {
        state.weaponEmitter =
            logic.fireParticles(pva.x, pva.y, state.particleDef, float(muzzleX), float(state.muzzleY), x, y);
        emitter = particleSystem(kHostileSystem)->findEmitter(state.weaponEmitter);
    }
    if (emitter) emitter->prime(1);
}

}  // namespace

void RobotSys::update(float dt) {
    GameLogic* logic = owner<GameLogic>();
    if (!logic) return;
    const std::vector<ecs::Entity> robots = entities();
    for (const ecs::Entity& robot : robots) {
        if (!robot.isValid() || !robot.has<RobotComp>()) continue;
        PVAComp& pva = robot.get<PVAComp>();
        RobotComp& state = robot.get<RobotComp>();
        const int tileX = tileUnderX(*logic, pva.x), tileY = tileUnderY(*logic, pva.y);
        state.wanderTimer -= dt;
        const bool zapped = robot.has<ZappedComp>() && robot.get<ZappedComp>().remaining != 0.0f;
        if (state.state == kKnockedBack) {
            knockBack(*logic, robot, dt);
        } else if (!zapped) {
            // A robot halted to fire does not walk this update, even when its shot has just ended.
            const int before = state.state;
            keepFiring(*logic, robot, dt);
            if (before == kWalking || before == kFiringWalking) walk(*logic, robot, tileX, tileY, dt);
        }
        if (!robot.isValid()) continue;
        placeEmitters(robot);
        switchWalkAnimation(robot);
    }
}

void RobotSys::knockBack(GameLogic& logic, const ecs::Entity& robot, float dt) {
    PVAComp& pva = robot.get<PVAComp>();
    RobotComp& state = robot.get<RobotComp>();
    if (state.knockBackSpeed >= kKnockBackEndSpeed && pva.collisionValue == 0) {
        // An update of no time moves nothing and decays nothing.
        if (dt <= 0.0f) return;
        pva.speed.elapsed = 0.0f;
        pva.speed.from = pva.speed.to = state.knockBackSpeed;
        pva.heading = state.knockBackAngle;
        // Decays per 60th of a second: twice an update at 120 updates a second, not at all at 30.
        // A vanishingly short update would ask for more decays than an int holds.
        const int decays = int(std::min(std::nearbyint(kFrameMs / dt), float(kMostDecays)));
        for (int i = 0; i < decays; ++i) state.knockBackSpeed *= state.knockBackDecay;
        return;
    }
    state.state = kWalking;
    state.health -= state.knockBackSpeed * state.knockBackSpeed * 0.5f;
    // A robot left with no health at all is dead: hits ignore it from now on.
    if (state.health <= 0.0f) {
        state.knockBackSpeed = 0.0f;
        RobotFactory::robotDestroyed(logic, robot);
    } else {
        halt(pva);
    }
}

void RobotSys::keepFiring(GameLogic& logic, const ecs::Entity& robot, float dt) {
    RobotComp& state = robot.get<RobotComp>();
    if (state.state != kFiringHalted && state.state != kFiringWalking) return;
    if (robot.has<BeamComp>()) {
        if (!seenLately(robot)) return;
        state.fireTimer -= dt;
        if (state.fireTimer < 0.0f && state.scan) state.scan(logic, robot, true);
    } else if (!particleSystem(kHostileSystem)->findEmitter(state.weaponEmitter)) {
        state.state = kWalking;
    }
}

void RobotSys::walk(GameLogic& logic, const ecs::Entity& robot, int tileX, int tileY, float dt) {
    PVAComp& pva = robot.get<PVAComp>();
    RobotComp& state = robot.get<RobotComp>();
    const int dx = (state.targetTileX - tileX) >> state.cellShift;
    const int dy = (state.targetTileY - tileY) >> state.cellShift;
    // A robot with no walk of its own (none made from the robot kinds) goes where it is pushed.
    if (!state.walk) return;
    const WalkMode walkMode = state.walk;
    if (pva.moved && (dx != 0 || dy != 0)) {
        if (state.heading != pva.heading) {
            state.deflectionCount += 1;
            if (state.deflectionCount > state.deflectionLimit) {
                const RobotCell cell = cellOf(logic, pva.x, pva.y);
                walkMode(logic, robot, logic.exitCount(cell.x, cell.y) == 2);
            }
        }
    } else if (pva.contactCounter > kStuckContacts) {
        randomWalk(logic, robot, false);
    } else {
        bool corridor = false;
        if (!followFootsteps(logic, robot, corridor)) walkMode(logic, robot, corridor);
    }
    if (!robot.isValid() || !seenLately(robot) || !state.scan || robot.has<BeamComp>()) return;
    state.scanTimer -= dt;
    if (state.scanTimer < 0.0f) state.scan(logic, robot, false);
}

void RobotSys::placeEmitters(const ecs::Entity& robot) {
    PVAComp& pva = robot.get<PVAComp>();
    const RobotComp& state = robot.get<RobotComp>();
    if (!pva.moved) {
        pva.nextX = pva.x;
        pva.nextY = pva.y;
    }
    if (PSys::ParticleEmitter* sparks = particleSystem(kEffectsSystem)->findEmitter(state.impactEmitter)) {
        sparks->x = int32_t(pva.nextX + state.impactX);
        sparks->y = int32_t(pva.nextY + state.impactY);
    }
    if (PSys::ParticleEmitter* weapon = particleSystem(kHostileSystem)->findEmitter(state.weaponEmitter)) {
        const int muzzleX = state.heading > 180 ? state.muzzleX : -state.muzzleX;
        weapon->x = int32_t(pva.nextX + float(muzzleX));
        weapon->y = int32_t(pva.nextY + float(state.muzzleY));
    }
    if (!robot.has<EmittersComp>()) return;
    for (const EmittersComp::Slot& slot : robot.get<EmittersComp>().slots) {
        PSys::System* system = particleSystem(slot.system);
        PSys::ParticleEmitter* emitter = system ? system->findEmitter(slot.emitter) : nullptr;
        if (!emitter) continue;
        emitter->x = int32_t(pva.nextX);
        emitter->y = int32_t(pva.nextY);
        if (state.type == kBossBulletType) emitter->def.duration = kBossBulletTrailMs;
    }
}

void RobotSys::switchWalkAnimation(const ecs::Entity& robot) {
    if (!robot.has<AnimationComp>()) return;
    AnimationComp& anim = robot.get<AnimationComp>();
    const bool moved = robot.get<PVAComp>().moved;
    int next = anim.animation;
    if (anim.animation == kBezerkStand && moved) next = kBezerkMove;
    if (anim.animation == kBezerkMove && !moved) next = kBezerkStand;
    if (anim.animation == kVincentStand && moved) next = kVincentMove;
    if (anim.animation == kVincentMove && !moved) next = kVincentStand;
    if (next == anim.animation) return;
    anim.animation = next;
    anim.frame = 0;
    anim.frameTime = 0;
    anim.advanceNow = true;
}

void RobotSys::fire(GameLogic& logic, const ecs::Entity& robot, float x, float y) {
    RobotComp& state = robot.get<RobotComp>();
    PVAComp& pva = robot.get<PVAComp>();
    const int muzzleX = state.heading <= 180 ? -state.muzzleX : state.muzzleX;
    switch (state.weaponKind) {
        case kWeaponBeam:
            fireBeam(logic, robot, muzzleX, x, y);
            break;
        case kWeaponLightning:
            logic.createLinkedLightning(robot, muzzleX, state.muzzleY, state.strikeType, 1, 2, pva.x, pva.y, x, y)
                .activate();
            break;
        case kWeaponParticles:
            fireParticles(logic, robot, muzzleX, x, y, false);
            break;
        case kWeaponBeamAndParticles:
            fireBeam(logic, robot, muzzleX, x, y);
            fireParticles(logic, robot, muzzleX, x, y, true);
            break;
        default:
            break;
    }
    if (state.firesWhileWalking) {
        state.state = kFiringWalking;
    } else {
        state.state = kFiringHalted;
        halt(pva);
    }
}

}  // namespace Zelmo
