#include "game/world/systems/BeamSys.h"

#include <algorithm>
#include <cmath>

#include "game/effects/ParticleSystems.h"
#include "game/effects/WeaponTable.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"

namespace Zelmo {
namespace {

constexpr int kFishType = 15;
// A collision value of 0 or 5 lets beams through; beyond the map is a wall.
constexpr uint16_t kOutside = 0xffff;
constexpr float kSparkRenewMs = 100.0f;
constexpr int kSparkRate = 100;
constexpr int kDeathBeam = 11;

bool stopsBeam(uint16_t value) { return value != 0 && value != 5; }

// The thickness flash and the switch to shape set 1 for hold ms, on a component of the entity.
void flash(const ecs::Entity& entity, std::vector<FloatStep> thickness, float hold) {
    if (!entity.has<FXsComp>() || !entity.has<VectorComp>()) return;
    VectorComp& vector = entity.get<VectorComp>();
    FXsComp& effects = entity.get<FXsComp>();
    effects.setTweenChain(FloatChain{std::move(thickness), &vector.thickness});
    effects.setTweenChain(IntChain{{IntStep{0, 1, 1.0f}, IntStep{1, 1, hold}, IntStep{1, 0, 1.0f}}, &vector.shapeSet});
}

std::vector<FloatStep> shortFlash(float peak) {
    return {FloatStep{1.0f, peak, 100.0f, Penner::Cubic::easeOut}, FloatStep{peak, 1.0f, 300.0f}};
}

}  // namespace

void BeamSys::init(GameLogic* logic, HitFinder findHit, PlayerDamage damage) {
    m_logic = logic;
    m_findHit = std::move(findHit);
    m_damage = std::move(damage);
}

bool BeamSys::onScreen(int originX, int originY, const float (&bounds)[4], const IntBox& camera) {
    const int left = originX + int(bounds[0]);
    const int top = originY + int(bounds[1]);
    return camera.x <= left + int(bounds[2]) && left <= camera.x + camera.w && camera.y <= top + int(bounds[3]) &&
           top <= camera.y + camera.h;
}

void BeamSys::update(float dt) {
    if (!m_logic) return;
    GameView& view = m_logic->view();
    const IntBox camera = view.cameraRect();
    const std::vector<ecs::Entity> beams = entities();
    for (const ecs::Entity& entity : beams) {
        if (!entity.isValid() || !entity.has<BeamComp>()) continue;
        BeamComp& beam = entity.get<BeamComp>();
        const PVAComp& pva = entity.get<PVAComp>();
        const int originX = int(float(beam.originX) + pva.x);
        const int originY = int(float(beam.originY) + pva.y);
        if (beam.growthStep != 0.0f) {
            int px = 0, py = 0;
            const HitKind kind = trace(entity, beam, originX, originY, px, py);
            renewSparks(entity, beam, kind, px, py);
        }
        float bounds[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        if (!beam.timeline.finished) beam.timeline.update(dt, beam.segments, bounds);
        if (beam.timeline.finished) {
            end(entity, beam);
            continue;
        }
        if (!beam.timeline.active) continue;
        if (onScreen(originX, originY, bounds, camera)) {
            view.worldToScreen(originX, originY, beam.screenX, beam.screenY);
            view.addBeamDraw(beam);
        }
        beam.segments.clear();
    }
}

BeamSys::HitKind BeamSys::trace(const ecs::Entity& entity, BeamComp& beam, int originX, int originY, int& px, int& py) {
    const float target = beam.length + beam.growthStep;
    float start = beam.length;
    if (!beam.trace) {
        start = target;
    } else if (entity.get<PVAComp>().moved) {
        start = 0.0f;  // a moving emitter traces its beam again from the origin
    }
    const Map::TileCollisionMap& walls = m_logic->collisionMap();
    const int step = 1 << (m_logic->params().tileShiftX - walls.getSubShift());
    const bool fish = entity.has<RobotComp>() && entity.get<RobotComp>().type == kFishType;
    const double radians = (double(beam.angle) + 90.0) * 0.017453292;
    const auto cosA = float(std::cos(radians));
    const auto sinA = float(std::sin(radians));
    for (float d = start; d < target; d += float(step)) {
        px = int(std::nearbyint(float(originX) - cosA * d));
        py = int(std::nearbyint(float(originY) + sinA * d));
        if (stopsBeam(walls.valueAtPixel(px, py, kOutside))) {
            beam.length = std::max(0.0f, d - float(step));
            return kHitWall;
        }
        if (!m_findHit) continue;
        const ecs::Entity hit = m_findHit(IntBox{px - step / 2, py - step / 2, step, step});
        if (!hit.isValid() || hit == entity) continue;
        beam.length = std::max(0.0f, d - float(step));
        return hitEntity(hit, beam, fish);
    }
    beam.length = target;
    return kHitNothing;
}

// The fish's beam stops at the player but does it no harm.
BeamSys::HitKind BeamSys::hitEntity(const ecs::Entity& hit, const BeamComp& beam, bool fish) {
    const ecs::Entity player = m_logic->player();
    if (hit == player) {
        if (fish) return kHitNothing;
        hitPlayer(beam, hit);
        return kHitPlayer;
    }
    if (player.isValid() && player.has<PlayerComp>()) {
        const PlayerComp& state = player.get<PlayerComp>();
        if (hit == state.shield) {
            hitShield(beam, hit);
            return kHitShield;
        }
        if (hit == state.armour) {
            hitArmour(beam, hit);
            return kHitArmour;
        }
    }
    if (fish && hit.has<RobotComp>()) {
        hitRobot(beam, hit);
        return kHitRobot;
    }
    return kHitNothing;
}

// A fatal hit swells the player and shrinks it away, glowing long, with a burst where it stood.
void BeamSys::hitPlayer(const BeamComp& beam, const ecs::Entity& player) {
    PlayerComp& state = player.get<PlayerComp>();
    // Health at or below 0 is dead: one death, however many beams land.
    if (state.health <= 0.0f) return;
    if (m_damage) m_damage(player, beamDamage(beam.type));
    if (state.health > 0.0f) {
        flash(player, shortFlash(5.0f), 400.0f);
        return;
    }
    VectorComp& vector = player.get<VectorComp>();
    const auto swollen = float(1.2 * double(state.drawScale));
    player.get<FXsComp>().setTweenChain(
        FloatChain{{FloatStep{vector.scale, swollen, 200.0f, Penner::Cubic::easeIn}, FloatStep{swollen, 0.1f, 1000.0f}},
                   &vector.scale});
    flash(player,
          {FloatStep{1.0f, 10.0f, 1000.0f, Penner::Sine::easeOut}, FloatStep{10.0f, 10.0f, 200.0f},
           FloatStep{10.0f, 1.0f, 1000.0f, Penner::Cubic::easeOut}},
          2200.0f);
    const PVAComp& pva = player.get<PVAComp>();
    m_logic->createBeamEffect(kDeathBeam, pva.x, pva.y, 0.0f, 100.0f, 0.0f, false).get<BeamComp>().killOwner = true;
}

void BeamSys::hitShield(const BeamComp&, const ecs::Entity& shield) { flash(shield, shortFlash(5.0f), 400.0f); }

// The armour's outline keeps its thickness; only its look changes.
void BeamSys::hitArmour(const BeamComp&, const ecs::Entity& armour) { flash(armour, shortFlash(1.0f), 400.0f); }

void BeamSys::hitRobot(const BeamComp& beam, const ecs::Entity& robot) {
    RobotComp& state = robot.get<RobotComp>();
    // Health at or below 0 is dead: one death, however many beams land.
    if (state.health <= 0.0f) return;
    state.health -= beamDamage(beam.type);
    state.impactEmitter = 0;
    if (state.health <= 0.0f) {
        state.knockBackSpeed = 3.0f;
        state.knockBackAngle = int32_t(beam.angle);
        RobotFactory::robotDestroyed(*m_logic, robot);
        return;
    }
    flash(robot, shortFlash(5.0f), 400.0f);
}

// Sparks at the hit point of a robot's beam, renewed when the last ones have burnt 100 ms; the
// particle definition of each hit kind is numbered as the kind.
void BeamSys::renewSparks(const ecs::Entity& entity, const BeamComp& beam, HitKind kind, int px, int py) {
    if (kind == kHitNothing || !entity.has<RobotComp>()) return;
    RobotComp& robot = entity.get<RobotComp>();
    PSys::System* effects = particleSystem(kEffectsSystem);
    const PSys::ParticleEmitter* sparks = effects->findEmitter(robot.impactEmitter);
    if (sparks && sparks->elapsed <= kSparkRenewMs) return;
    robot.impactEmitter = spawnParticles(px, py, kEffectsSystem, int(kind), 0.0f);
    const PVAComp& pva = entity.get<PVAComp>();
    robot.impactX = float(px) - pva.x;
    robot.impactY = float(py) - pva.y;
    if (PSys::ParticleDef* def = effects->findEmitterDef(robot.impactEmitter)) {
        def->rate = kSparkRate;
        def->angle.min = beam.angle + 80.0f;
        def->angle.max = beam.angle + 280.0f;
    }
}

// An effect beam takes its entity with it; a robot's beam leaves the robot.
void BeamSys::end(ecs::Entity entity, BeamComp& beam) {
    if (beam.killOwner) {
        if (!entity.has<KillComp>()) entity.add<KillComp>();
        entity.activate();
        return;
    }
    if (entity.has<FXsComp>()) entity.get<FXsComp>().removeTargetsOf(beam);
    entity.remove<BeamComp>();
    entity.activate();
    world().refresh();
}

}  // namespace Zelmo
