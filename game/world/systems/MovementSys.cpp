#include "game/world/systems/MovementSys.h"

#include <algorithm>
#include <cmath>

#include "engine/psys/Angles.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/GameLogic.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"

namespace Zelmo {
namespace {

constexpr int kClawerType = 14;
constexpr int kPoseRun = 1;
constexpr int kPosePunch = 4;
constexpr int kBossBullet = 16;
constexpr int kClawerShakeOff = 100;
constexpr int kFacingLeft = 48;
constexpr int kFacingRight = 64;
constexpr float kClawerLead = 33.0f;
constexpr int kTurnBackAfter = 30;
constexpr int kPassThrough = -60;

// Per quarter of the compass: whether probe A is the step along y, A's and B's probe sides
// (0 up, 1 down, 2 left, 3 right) and the headings a slide turns to.
struct Quadrant {
    bool aAlongY;
    int sideA;
    int sideB;
    int lo;
    int hi;
};
constexpr Quadrant kQuadrants[4] = {
    {true, 0, 3, 0, 89}, {false, 3, 1, 90, 179}, {true, 1, 2, 180, 269}, {false, 2, 0, 270, 359}};

}  // namespace

void MovementSys::init(GameLogic& logic) {
    m_logic = &logic;
    m_collision = &logic.collisionMap();
    m_subStep = 1 << (logic.tileMap().getTileShiftX() - m_collision->getSubShift());
}

int MovementSys::valueAt(float px, float py) const { return m_collision->valueAtPixel(int(px), int(py), kOutsideMap); }

int MovementSys::probe(bool isRobot, int x, int y, const std::vector<float>& points) {
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        const float px = points[i] + float(x);
        const float py = points[i + 1] + float(y);
        const int value = valueAt(px, py);
        if (value == 0 || (value == kRobotBarrier && !isRobot)) continue;
        m_hitX = int(px);
        m_hitY = int(py);
        return value;
    }
    return 0;
}

MovementSys::StepPoints MovementSys::stepPoints(const PVAComp& pva, int heading, float d) {
    const float radians = float(heading) * Util::kRadiansPerDegree;
    const float nx = pva.x + std::sin(radians) * d;
    const float ny = pva.y + std::cos(radians) * d;
    const bool aAlongY = heading >= 0 && heading <= 359 && kQuadrants[heading / 90].aAlongY;
    return {{nx, ny}, aAlongY ? Point{pva.x, ny} : Point{nx, pva.y}, aAlongY ? Point{nx, pva.y} : Point{pva.x, ny}};
}

int MovementSys::valueAhead(const ecs::Entity& entity, int heading, float d) {
    const StepPoints step = stepPoints(entity.get<PVAComp>(), heading, d);
    if (!entity.has<CollisionPointsComp>() || heading < 0 || heading > 359) return valueAt(step.to.x, step.to.y);
    const Quadrant& quadrant = kQuadrants[heading / 90];
    const CollisionPointsComp& points = entity.get<CollisionPointsComp>();
    const bool isRobot = entity.has<RobotComp>();
    const int valueA = probe(isRobot, int(step.a.x), int(step.a.y), points.probes[size_t(quadrant.sideA)]);
    if (valueA != 0) return valueA;
    return probe(isRobot, int(step.b.x), int(step.b.y), points.probes[size_t(quadrant.sideB)]);
}

void MovementSys::update(float dt) {
    if (!m_collision) return;
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) {
        if (!entity.has<PVAComp>()) continue;
        PVAComp& pva = entity.get<PVAComp>();
        if (entity.has<LinkedPVAComp>()) follow(entity, pva);

        pva.speed.elapsed += dt;
        pva.collisionValue = 0;
        if (tweenStepValue(pva.speed) == 0.0f) {
            pva.nextX = pva.x;
            pva.nextY = pva.y;
            pva.moved = false;
            continue;
        }
        move(entity, pva);
    }
}

// A follower takes its source's place at its offset and stands still there; a latched clawer is
// dragged ahead of a running player and shaken off when it is pushed into walls for long.
void MovementSys::follow(const ecs::Entity& entity, PVAComp& pva) {
    const LinkedPVAComp& link = entity.get<LinkedPVAComp>();
    if (!link.source.isActivated() || !link.source.has<PVAComp>()) return;
    const int32_t blocked = pva.blockedCount;
    pva = link.source.get<PVAComp>();
    pva.x += float(link.dx);
    pva.y += float(link.dy);
    pva.speed.elapsed = 0.0f;
    pva.speed.from = 0.0f;
    pva.speed.to = 0.0f;
    pva.blockedCount = blocked;

    if (!entity.has<RobotComp>() || entity.get<RobotComp>().type != kClawerType) return;
    if (!link.source.has<PlayerComp>()) return;
    const int32_t stateCode = link.source.get<PlayerComp>().stateCode;
    if ((stateCode & 0xf) != kPoseRun) return;
    float lead = kClawerLead;
    if (probe(true, int(pva.x), int(pva.y), {0.0f, 0.0f}) != 0) {
        pva.blockedCount += 1;
        lead = std::max(-99.0f, kClawerLead - float(pva.blockedCount));
        if (pva.blockedCount > kClawerShakeOff) RobotFactory::robotDestroyed(*m_logic, entity);
    }
    if ((stateCode & 0xf0) == kFacingLeft) pva.x -= lead;
    if ((stateCode & 0xf0) == kFacingRight) pva.x += lead;
}

void MovementSys::move(const ecs::Entity& entity, PVAComp& pva) {
    const float speed = tweenStepValue(pva.speed);
    if (pva.blockedCount > kTurnBackAfter && entity.has<RobotComp>()) {
        pva.heading = (pva.heading + 180) % 360;
        pva.blockedCount = 0;
        pva.contactCounter = kPassThrough;
    }
    // A box entity's proposals are all measured from where it stands; others walk on.
    const bool proposesOnly = entity.has<CBoxComp>();
    const float subStep = float(m_subStep);
    float d = std::min(subStep, speed);
    int steps = 0;
    bool moved = false;
    // A blocked sub-step keeps the farthest free proposal made before it.
    pva.nextX = pva.x;
    pva.nextY = pva.y;
    do {
        Point candidate{0.0f, 0.0f};
        if (entity.has<CollisionPointsComp>()) {
            moved = probedStep(entity, pva, d, candidate);
        } else {
            candidate = stepPoints(pva, pva.heading, d).to;
            const int value = valueAt(candidate.x, candidate.y);
            moved = value == 0;
            pva.collisionValue = value;
            if (value != 0) pva.blockedCount += 1;
        }
        if (moved) {
            pva.nextX = candidate.x;
            pva.nextY = candidate.y;
            if (!proposesOnly) {
                pva.x = candidate.x;
                pva.y = candidate.y;
            }
            steps += 1;
        }
        d += subStep;
    } while (speed >= d && moved);
    pva.moved = steps > 0;
    if (pva.collisionValue != 0) hitWall(entity, pva);
}

bool MovementSys::probedStep(const ecs::Entity& entity, PVAComp& pva, float d, Point& candidate) {
    if (pva.heading < 0 || pva.heading > 359) return false;
    const Quadrant& quadrant = kQuadrants[pva.heading / 90];
    const CollisionPointsComp& points = entity.get<CollisionPointsComp>();
    const bool isRobot = entity.has<RobotComp>();
    const StepPoints step = stepPoints(pva, pva.heading, d);
    const Point& a = step.a;
    const Point& b = step.b;
    auto differs = [&pva](const Point& p) { return p.x != pva.x || p.y != pva.y; };

    const int valueA = probe(isRobot, int(a.x), int(a.y), points.probes[size_t(quadrant.sideA)]);
    if (valueA != 0) {
        pva.blockedCount += 1;
        pva.collisionValue = valueA;
        if (pva.heading != quadrant.lo && points.slide) {
            if (probe(isRobot, int(b.x), int(b.y), points.probes[size_t(quadrant.sideB)]) != 0) return false;
            candidate = b;
            pva.heading = quadrant.hi;
            return differs(b);
        }
        // A power-punch dash goes on through what stops it once.
        if (!isRobot && entity.has<PlayerComp>()) {
            PlayerComp& player = entity.get<PlayerComp>();
            if (!player.dashing && player.dashTime != 0.0f) {
                pva.collisionValue = 0;
                player.dashing = true;
            }
        }
        return false;
    }
    const int valueB = probe(isRobot, int(b.x), int(b.y), points.probes[size_t(quadrant.sideB)]);
    if (valueB != 0) {
        pva.blockedCount += 1;
        pva.collisionValue = valueB;
        if (!points.slide) return false;
        candidate = a;
        pva.heading = quadrant.lo;
        return differs(a);
    }
    candidate = step.to;
    pva.collisionValue = 0;
    pva.blockedCount = 0;
    return differs(candidate);
}

void MovementSys::hitWall(const ecs::Entity& entity, PVAComp& pva) {
    if (entity.has<PlayerComp>()) {
        PlayerComp& player = entity.get<PlayerComp>();
        if (PSys::ParticleEmitter* glow = particleSystem(kEffectsSystem)->findEmitter(player.glowEmitter)) {
            glow->x = int32_t(pva.nextX);
            glow->y = int32_t(pva.nextY);
            glow->def.rate = 0;
        }
        player.placeChargeEmitters(pva.nextX, pva.nextY, -1);
        if (pva.collisionValue == kDoorRun && (player.stateCode & 0xf) == kPosePunch) {
            m_logic->breakDoor(m_hitX, m_hitY, pva.heading);
        }
    } else if (entity.has<RobotComp>() && entity.get<RobotComp>().type == kBossBullet) {
        RobotFactory::robotDestroyed(*m_logic, entity);
    }
}

}  // namespace Zelmo
