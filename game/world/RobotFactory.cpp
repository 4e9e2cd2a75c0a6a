#include "game/world/RobotFactory.h"

#include <algorithm>

#include "data/VectorGraphics_generated.h"
#include "engine/util/FlatText.h"
#include "engine/vector/GameVectors.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"
#include "game/world/PathFinderComp.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotModes.h"
#include "game/world/RobotSteering.h"

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
constexpr int kRobotZapKind = 3;
constexpr int kPowerUpBox = 18;

// A stored scale of 0 asks for a random one in [0.5, 1.5).
float drawScale(GameLogic& logic, float stored) {
    if (stored != 0.0f) return stored;
    constexpr uint32_t kSteps = 1u << 24;
    return 0.5f + float(logic.random().nextInt(kSteps)) / float(kSteps);
}

void fillRobot(GameLogic& logic, uint32_t type, const RobotDef& def, const PVAComp& pva, RobotComp& robot) {
    robot.type = int32_t(type);
    robot.footstepMemory = def.footstep_memory();
    robot.footstepSpeed = def.footstep_speed();
    if (def.targets_player()) robot.target = logic.player();
    robot.targetTileX = tileUnderX(logic, pva.x);
    robot.targetTileY = tileUnderY(logic, pva.y);
    robot.health = def.health();
    robot.mass = def.mass();
    robot.scan = scanModeByName(Util::toStdString(def.scan()));
    robot.attentionWindow = def.attention_window();
    robot.scanInterval = float(def.scan_interval());
    robot.refireInterval = float(def.refire_interval());
    robot.turnTime = def.beam_turn_time();
    robot.sightRange = def.sight_range();
    robot.firesWhileWalking = def.fires_while_walking();
    robot.weaponKind = def.weapon();
    robot.muzzleX = def.muzzle_x();
    robot.muzzleY = def.muzzle_y();
    robot.beamType = def.beam_type();
    robot.strikeType = def.strike_type();
    robot.particleDef = def.particle_def();
    robot.walk = walkModeByName(Util::toStdString(def.walk()));
    robot.pathLimit = def.path_limit();
    robot.pathSearchSteps = def.path_search_steps();
    robot.speed = def.speed() * getOptionValue("ROBOT_SPEED");
    robot.cellShift = def.cell_shift();
    robot.deadEndLimit = def.dead_end_depth_limit();
    robot.deflectionLimit = def.deflection_limit();
    robot.mazeWeights = {def.maze_weight_a_straight(), def.maze_weight_b_straight(), def.maze_weight_a_blocked(),
                         def.maze_weight_b_blocked()};
}

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

// Towers stand on their pads: a robot that never walks takes a blow where it stands.
bool rooted(const RobotComp& robot) { return robot.speed == 0.0f || robot.walk == &stationaryWalk; }

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

void RobotFactory::create(GameLogic& logic, uint32_t type, const ecs::Entity& robot) const {
    const RobotDef* def = this->def(type);
    if (!def) return;
    PVAComp& pva = robot.get<PVAComp>();
    fillRobot(logic, type, *def, pva, robot.add<RobotComp>(def->junction_memory()));
    if (def->path_search_steps() != 0) robot.add<PathFinderComp>(logic);

    AnimationComp& animation = robot.add<AnimationComp>();
    animation.animation = def->animation();
    VectorComp& vector = robot.add<VectorComp>();
    vector.shape = RobotFactory::firstFrameShape(def->animation());
    vector.filled = def->filled();
    vector.scale = drawScale(logic, def->scale());
    addShapeBoxes(robot, vector.shape, vector.scale);
    robot.add<MazeMapDisplayComp>().shape = vector.shape;
    if (def->sound() != 0) {
        SoundComp& sound = robot.add<SoundComp>();
        sound.sound = def->sound();
        sound.stopDelay = float(def->sound_offscreen_limit());
    }
    // A new robot counts as not yet seen, so it neither scans nor fires until it comes on screen.
    pva.offScreenTime = def->attention_window() + 1.0f;
    // The boss bullet flies through walls until it meets one head on; it has no wall probes.
    if (type != kBossBullet) robot.add<CollisionPointsComp>(vector.shape, vector.scale);
    robot.add<FXsComp>();
    robot.add<ZappedComp>().kind = kRobotZapKind;

    if (type == kBoxCarrier) {
        // The box gets its collision boxes only once dropped, so that its carrier does not run into it.
        ecs::Entity box = logic.createAnimatedEntity(kPowerUpBox, false);
        robot.get<RobotComp>().carried = box;
        logic.linkPVA(robot, box, 0, 0);
        box.activate();
    }
}

void RobotFactory::robotHit(GameLogic& logic, const ecs::Entity& robot, int heading, float x, float y, float knockBack,
                            float damage) {
    RobotComp& state = robot.get<RobotComp>();
    if (state.health <= 0.0f || robot.has<KillComp>()) return;
    state.state = kKnockedBack;
    state.knockBackAngle = heading;
    state.knockBackSpeed = rooted(state) ? 0.0f : knockBack / state.mass;
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
