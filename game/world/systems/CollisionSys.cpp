#include "game/world/systems/CollisionSys.h"

#include <algorithm>
#include <cmath>

#include "data/Globals_generated.h"
#include "engine/data/Globals.h"
#include "engine/psys/Angles.h"
#include "engine/tween/Penner.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/AnimId.h"
#include "game/vector/ShapeIds.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/Heading.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"

namespace Zelmo {
namespace {

constexpr int kPassThrough = -60;
constexpr int kPressedTooLong = 40;
constexpr int kKnockedBack = 1;
constexpr int kGhostRobot = 6;  // others pass through it
constexpr int kSpinner = 5;
constexpr int kClawer = 14;
constexpr int kBossBullet = 16;
constexpr int kBoss = 17;
constexpr int kArmourShape = ShapeIds::kArmour;
constexpr int kPosePunch = 4;
constexpr int kFacingUp = 16;
constexpr int kFacingDown = 32;
constexpr int kFacingLeft = 48;
constexpr int kFacingRight = 64;
constexpr int kClawerLatchHeight = 80;
constexpr int kPickUpSparkle = 17;
constexpr int kBoxBurstA = 15;
constexpr int kBoxBurstB = 16;
constexpr int kArmourGlowRate = 250;
constexpr float kBoxShatterFadeMs = 500.0f;

constexpr int kSoundBoxOpened = 13;
constexpr int kSoundFish = 14;
constexpr int kSoundArmour = 15;
constexpr int kSoundFist = 16;
constexpr int kSoundBossPunched = 53;
constexpr int kSoundBossPunchedCharged = 54;

bool isRobot(const ecs::Entity& entity) { return entity.has<RobotComp>(); }
bool isRobotOfType(const ecs::Entity& entity, int type) {
    return isRobot(entity) && entity.get<RobotComp>().type == type;
}
bool knockedBack(const ecs::Entity& robot) { return robot.get<RobotComp>().state == kKnockedBack; }
bool drawsShape(const ecs::Entity& entity, int shape) {
    return entity.has<VectorComp>() && entity.get<VectorComp>().shape == shape;
}
int pose(const PlayerComp& player) { return player.stateCode & 0xf; }
int facing(const PlayerComp& player) { return player.stateCode & 0xf0; }

void turnBack(PVAComp& pva) { pva.heading = (pva.heading + 180) % 360; }

void passOn(PVAComp& pva) {
    pva.x = pva.nextX;
    pva.y = pva.nextY;
    pva.moved = true;
    pva.contactCounter = 0;
}

void stand(PVAComp& pva) { pva.speed.from = pva.speed.to = pva.speed.elapsed = 0.0f; }

// Some tuning values are read once and kept for the run.
float cachedFloat(const char* name) {
    static std::vector<std::pair<std::string, float>> s_values;
    for (const auto& [held, value] : s_values) {
        if (held == name) return value;
    }
    s_values.emplace_back(name, Globals::getFloat(name));
    return s_values.back().second;
}

// One drawing of the power-up drops, each as likely as its weight.
uint32_t drawDrop(Util::Random& random) {
    int total = 0;
    for (const PowerUpDrop* drop : Globals::tables<PowerUpDrop>("POWUPDROPS")) total += std::max(drop->weight(), 0);
    if (total <= 0) return 0;
    int pick = int(random.nextInt(uint32_t(total)));
    for (const PowerUpDrop* drop : Globals::tables<PowerUpDrop>("POWUPDROPS")) {
        pick -= std::max(drop->weight(), 0);
        if (pick < 0) return drop->drawing();
    }
    return 0;
}

}  // namespace

IntBox boxAtNext(const IntBox& box, const PVAComp& pva) {
    return {box.x + int(pva.nextX), box.y + int(pva.nextY), box.w, box.h};
}

int headingDiff(int a, int b) {
    int diff = a - b;
    if (diff > 180) diff -= 360;
    if (diff < -180) diff += 360;
    return diff;
}

void CollisionSys::init(int gridShift, GameLogic& logic) {
    m_logic = &logic;
    const Map::TileMap& map = logic.tileMap();
    const int width = map.getWidth() << map.getTileShiftX();
    const int height = map.getHeight() << map.getTileShiftY();
    m_gridA.init(width, height, gridShift, kMaxEntities);
    m_gridB.init(width, height, gridShift, kMaxEntities);
}

void CollisionSys::update(float) {
    if (!m_logic) return;
    const std::vector<ecs::Entity> moving = entities();
    m_gridA.reset();
    m_gridB.reset();
    const ecs::Entity player = m_logic->player();
    const ecs::Entity armour = player.has<PlayerComp>() ? player.get<PlayerComp>().armour : ecs::Entity();
    const bool armoured = armour.isActivated();

    // The player's own hit box goes before its shield's (it joined the system first): where the
    // two overlap, shots and beams find the player.
    for (const ecs::Entity& entity : moving) {
        const PVAComp& pva = entity.get<PVAComp>();
        if (!pva.moved && entity != armour) m_gridA.insert(entity, boxAtNext(entity.get<CBoxComp>(), pva));
        if (armoured && entity == player) continue;
        m_gridB.insert(entity, boxAtNext(entity.get<HBoxComp>(), pva));
    }
    for (const ecs::Entity& entity : moving) {
        if (entity.isValid() && entity.has<CBoxComp>() && entity.get<PVAComp>().moved) handlePair(entity);
    }
    if (armoured && armour.has<CBoxComp>()) {
        m_gridA.remove(player, boxAtNext(player.get<CBoxComp>(), player.get<PVAComp>()));
        handlePair(armour);
    }
}

bool CollisionSys::handlePair(const ecs::Entity& entity) {
    PVAComp& pva = entity.get<PVAComp>();
    const ecs::Entity other = m_gridA.insert(entity, boxAtNext(entity.get<CBoxComp>(), pva));
    if (!other.isValid() || pva.contactCounter < 0) {
        pva.x = pva.nextX;
        pva.y = pva.nextY;
        if (!other.isValid()) pva.contactCounter = 0;
        return false;
    }
    pva.moved = false;
    pva.contactCounter += 1;
    const ecs::Entity player = m_logic->player();
    if (entity == player || other == player) {
        playerMeets(entity, player, entity == player ? other : entity);
    } else {
        othersMeet(entity, other);
    }
    return true;
}

void CollisionSys::playerMeets(const ecs::Entity& entity, const ecs::Entity& player, const ecs::Entity& other) {
    PVAComp& pva = player.get<PVAComp>();
    const int32_t collisionValue = pva.collisionValue;
    if (pose(player.get<PlayerComp>()) == kPosePunch) pva.collisionValue = -1;
    if (isRobot(entity) && entity != player) {
        playerVsRobot(player, entity);
        return;
    }
    if (isRobot(other)) {
        playerVsRobot(player, other);
        return;
    }
    // What is already on its way out is not picked up twice.
    if (other.has<KillComp>()) return;
    const int animation = other.has<AnimationComp>() ? other.get<AnimationComp>().animation : -1;
    switch (animation) {
        case AnimIds::KROMB_CHAINED:
            m_logic->rescuePrisoner(other);
            return;
        case AnimIds::LIFT_NODE:
            reachLift(player, other);
            return;
        case AnimIds::POWUP_BOX:
            openPowerUpBox(player, other);
            return;
        case AnimIds::FIST_POWUP:
            pickUpFist(player, other);
            return;
        case AnimIds::ARMOUR_POWUP:
            pickUpArmour(player, other);
            return;
        case AnimIds::FISH_POWUP:
            pickUpFish(player, other);
            return;
        case AnimIds::BOSS_NODE:
            m_logic->onBossNodeTouched(other);
            return;
        default:
            break;
    }
    if (drawsShape(other, kArmourShape)) {
        pva.x = entity.get<PVAComp>().nextX;
        pva.y = entity.get<PVAComp>().nextY;
        pva.collisionValue = collisionValue;
        pva.contactCounter = 0;
        other.get<PVAComp>() = pva;
    }
}

void CollisionSys::othersMeet(const ecs::Entity& entity, const ecs::Entity& other) {
    if (isRobotOfType(entity, kGhostRobot)) return;
    if (isRobotOfType(other, kGhostRobot)) {
        passOn(entity.get<PVAComp>());
        return;
    }
    if (drawsShape(entity, kArmourShape) || drawsShape(other, kArmourShape)) {
        const ecs::Entity robot = isRobot(entity) ? entity : other;
        if (isRobot(robot)) playerVsRobot(m_logic->player(), robot);
        return;
    }
    if (isRobot(entity) && !knockedBack(entity)) robotMeets(entity, other);
}

// A walking robot turns away from what it meets: two robots part, one met turning too; off the
// player's shield it glances, mirrored along the way the player faces.
void CollisionSys::robotMeets(const ecs::Entity& robot, const ecs::Entity& other) {
    PVAComp& pva = robot.get<PVAComp>();
    const ecs::Entity player = m_logic->player();
    if (isRobot(other)) {
        PVAComp& otherPva = other.get<PVAComp>();
        const int reversed = (pva.heading + 180) % 360;
        if (headingDiff(reversed, otherPva.heading) > headingDiff(pva.heading, otherPva.heading)) {
            pva.heading = reversed;
        }
        pva.contactCounter = kPassThrough;
        if (!knockedBack(other)) turnBack(otherPva);
        return;
    }
    if (player.has<PlayerComp>() && other == player.get<PlayerComp>().shield) {
        const float radians = float(pva.heading) * Util::kRadiansPerDegree;
        const float s = std::sin(radians), c = std::cos(radians);
        const int faces = facing(player.get<PlayerComp>());
        pva.heading = faces == kFacingUp || faces == kFacingDown ? headingOf(s, c) : headingOf(-s, -c);
        pva.contactCounter = kPassThrough;
        return;
    }
    turnBack(pva);
}

void CollisionSys::playerVsRobot(const ecs::Entity& player, const ecs::Entity& robot) {
    player.get<PVAComp>().collisionValue = -1;
    const IntBox box = boxAtNext(robot.get<CBoxComp>(), robot.get<PVAComp>());
    if (knockedBack(robot)) {
        passOn(robot.get<PVAComp>());
        return;
    }
    if (pose(player.get<PlayerComp>()) == kPosePunch) {
        punch(player, robot, box);
    } else {
        touch(player, robot);
    }
}

void CollisionSys::touch(const ecs::Entity& player, const ecs::Entity& robot) {
    PVAComp& pva = player.get<PVAComp>();
    if (pva.contactCounter > kPressedTooLong) pva.contactCounter = kPassThrough;
    RobotComp& state = robot.get<RobotComp>();
    if (state.type == kSpinner || state.type == kBossBullet) {
        const PVAComp& robotPva = robot.get<PVAComp>();
        state.knockBackAngle = robotPva.heading;
        state.knockBackSpeed = tweenStepValue(robotPva.speed);
        const bool wasAlive = state.health > 0.0f && !robot.has<KillComp>();
        RobotFactory::robotDestroyed(*m_logic, robot);
        // One robot hurts once, however often it is touched before it is gone.
        if (!wasAlive || player.get<PlayerComp>().health <= 0.0f) return;
        const float damage = state.type == kSpinner ? Globals::getFloat("SPINNERDAMAGE") * getOptionValue("SPINNER_DMG")
                                                    : Globals::getFloat("BOSSBULLET");
        PlayerComp::takeDamage(player, damage);
    } else if (state.type == kClawer && !robot.has<LinkedPVAComp>()) {
        latchClawer(player, robot);
    }
}

// The clawer clings on above the player and swells until it bursts.
void CollisionSys::latchClawer(const ecs::Entity& player, ecs::Entity clawer) {
    m_logic->linkPVA(player, clawer, 0, kClawerLatchHeight);
    removeHitBox(clawer, false);
    // From now on it goes only where the player it clings to goes.
    clawer.get<RobotComp>().walk = stationaryWalk;
    const float burstMs = cachedFloat("CLAWEREXPTIME");
    scheduleAction(clawer, kActionClawerBurst, burstMs);
    VectorComp& vector = clawer.get<VectorComp>();
    vector.shapeSet = 1;
    FXsComp& effects = clawer.has<FXsComp>() ? clawer.get<FXsComp>() : clawer.add<FXsComp>();
    effects.setTweenChain(FloatChain{{FloatStep{1.0f, 7.0f, burstMs, Penner::Cubic::easeIn, 0.0f}}, &vector.thickness});
    clawer.activate();
}

void CollisionSys::punch(const ecs::Entity& player, const ecs::Entity& robot, const IntBox& box) {
    const PVAComp& pva = player.get<PVAComp>();
    const PVAComp& robotPva = robot.get<PVAComp>();
    PlayerComp& state = player.get<PlayerComp>();
    const bool acrossX = float(box.x) <= pva.x && pva.x <= float(box.x + box.w);
    const bool acrossY = float(box.y) <= pva.y && pva.y <= float(box.y + box.h);
    bool hit = false;
    int angle = 0;
    switch (facing(state)) {
        case kFacingUp:
            hit = robotPva.y > pva.y && acrossX;
            angle = 0;
            break;
        case kFacingDown:
            hit = pva.y > robotPva.y && acrossX;
            angle = 180;
            break;
        case kFacingLeft:
            hit = pva.x > robotPva.x && acrossY;
            angle = 270;
            break;
        case kFacingRight:
            hit = robotPva.x > pva.x && acrossY;
            angle = 90;
            break;
        default:
            break;
    }
    RobotComp& robotState = robot.get<RobotComp>();
    float mult = 1.0f;
    if (robotState.type == kBoss) {
        const bool charged = player.has<ZappedComp>() && player.get<ZappedComp>().remaining != 0.0f;
        m_logic->playSound(charged ? kSoundBossPunchedCharged : kSoundBossPunched);
        if (charged) mult = float(Globals::getInt("DMGBOSSMULT"));
    }
    if (!hit) return;

    const int level = player.has<AnimationComp>() ? player.get<AnimationComp>().frame : 0;
    const auto* values = Globals::vectorField<float>("KNOCKBACKVALUES");
    const int count = values ? int(values->size()) : 0;
    if (count == 0) return;
    const float base = values->Get(flatbuffers::uoffset_t(std::min(level, count - 1)));
    const float strongest = values->Get(flatbuffers::uoffset_t(count - 1));
    if (level >= count - 1) {
        robotState.knockBackDecay = std::min(robotState.knockBackDecay + float(level - (count - 1)) / 10.0f, 0.99f);
    }
    const PSys::ParticleEmitter* glow = particleSystem(kEffectsSystem)->findEmitter(state.glowEmitter);
    const float charge = glow ? float(glow->liveCount) : 0.0f;
    const float knockBack = std::min(charge / 100.0f + base, strongest) * getOptionValue("PUNCH_KBK");
    float damage = (charge / Globals::getFloat("PUNCHDAMAGEDIV") + 1.0f) *
                       float((level + 1) * Globals::getInt("PUNCHDAMAGEMULT")) +
                   float(Globals::getInt("PUNCHDAMAGEBASE"));
    damage *= getOptionValue(state.chargeEmittersOn ? "DBZ_DMG" : "PUNCH_DMG");
    const float hitX = glow ? float(glow->x) : pva.x;
    const float hitY = glow ? float(glow->y) : pva.y;
    RobotFactory::robotHit(*m_logic, robot, angle, hitX, hitY, knockBack, mult * damage);
    // The punch goes on through a robot it destroys.
    if (robotState.health < 0.0f && robotState.type != kBoss) player.get<PVAComp>().collisionValue = 0;
}

void CollisionSys::pickUpArmour(const ecs::Entity& player, const ecs::Entity& item) {
    const float duration = cachedFloat("ARMOURPOWDURATION");
    markForKill(item);
    const PVAComp& itemPva = item.get<PVAComp>();
    spawnParticles(int(itemPva.x), int(itemPva.y), kEffectsSystem, kPickUpSparkle, 0.0f);
    PlayerComp& state = player.get<PlayerComp>();
    for (int32_t id : state.bodyEmitters) {
        if (PSys::ParticleEmitter* emitter = particleSystem(kEffectsSystem)->findEmitter(id)) {
            emitter->def.rate = kArmourGlowRate;
        }
    }
    // A second armour starts over: the first one's sound and end go.
    if (state.armourVoice != 0) {
        m_logic->stopSound(state.armourVoice);
        state.armourVoice = 0;
    }
    TimerComp& timers = player.has<TimerComp>() ? player.get<TimerComp>() : player.add<TimerComp>();
    for (size_t i = timers.codes.size(); i-- > 0;) {
        if (timers.codes[i] != kActionArmourOff) continue;
        timers.codes.erase(timers.codes.begin() + long(i));
        timers.times.erase(timers.times.begin() + long(i));
    }
    scheduleAction(player, kActionArmourOff, getOptionValue("ARMOUR_DURATION") * duration);
    ecs::Entity armour = state.armour;
    PVAComp& armourPva = armour.get<PVAComp>();
    armourPva = player.get<PVAComp>();
    stand(armourPva);
    armour.activate();
    m_logic->playSound(kSoundArmour);
    state.armourVoice = m_logic->playSound(PlayerComp::kArmourHum);
}

void CollisionSys::pickUpFish(const ecs::Entity&, const ecs::Entity& item) {
    const PVAComp& pva = item.get<PVAComp>();
    m_logic->createFish(int(pva.x), int(pva.y));
    markForKill(item);
    m_logic->playSound(kSoundFish);
}

void CollisionSys::pickUpFist(const ecs::Entity&, const ecs::Entity& item) {
    markForKill(item);
    const PVAComp& pva = item.get<PVAComp>();
    spawnParticles(int(pva.x), int(pva.y), kEffectsSystem, kPickUpSparkle, 0.0f);
    m_logic->playSound(kSoundFist);
}

void CollisionSys::openPowerUpBox(const ecs::Entity& player, const ecs::Entity& box) {
    const PVAComp& pva = box.get<PVAComp>();
    ecs::Entity dropped = m_logic->createAnimatedEntity(int(drawDrop(m_logic->random())), true);
    dropped.get<PVAComp>() = pva;
    dropped.activate();
    markForKill(box);
    const VectorComp& vector = box.get<VectorComp>();
    m_logic->shatter(vector.shape, int(pva.x), int(pva.y), kBoxShatterFadeMs, player.get<PlayerComp>().lastDirection,
                     0.0f, vector.scale, true);
    m_logic->playSound(kSoundBoxOpened);
    spawnParticles(int(pva.x), int(pva.y), kEffectsSystem, kBoxBurstA, 0.0f);
    spawnParticles(int(pva.x), int(pva.y), kEffectsSystem, kBoxBurstB, 0.0f);
}

void CollisionSys::reachLift(const ecs::Entity& player, const ecs::Entity&) {
    if (facing(player.get<PlayerComp>()) == kFacingLeft) m_logic->checkLevelEnd();
}

void CollisionSys::removeHitBox(ecs::Entity entity, bool reactivate) {
    if (entity.has<FXsComp>() && entity.has<HBoxComp>()) {
        entity.get<FXsComp>().removeTargetsOf(entity.get<HBoxComp>());
    }
    entity.remove<HBoxComp>();
    if (reactivate) entity.activate();
    m_logic->world().refresh();
}

}  // namespace Zelmo
