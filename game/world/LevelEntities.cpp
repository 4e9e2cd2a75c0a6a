#include <cmath>

#include "engine/data/Globals.h"
#include "engine/psys/SplinePath.h"
#include "engine/vector/ShapeGeometry.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/ShapeIds.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"

// The entities every level starts with: the player, the prisoners or boss nodes, the robots of
// the spawn list and the lift.
namespace Zelmo {
namespace {

constexpr int kPlayerShape = ShapeIds::kPlayer;
constexpr int kPlayerAnimation = 26;
constexpr int kPlayerStartState = 48;
constexpr int kPlayerStartDirection = 4;
constexpr int kPrisonerShape = ShapeIds::kPrisoner;
constexpr int kPrisonerAnimation = 48;
constexpr int kChainBeam = 19;
constexpr int kWideChainBeam = 20;
constexpr int kBossNodeShape = ShapeIds::kBossNode;
constexpr int kBossNodeAnimation = 58;
constexpr int kLiftShape = ShapeIds::kLift;
constexpr int kLiftAnimation = 23;
constexpr int kArmourShape = ShapeIds::kArmour;
constexpr uint32_t kDirectionColour = 0xdfff7f00;
constexpr float kDirectionThickness = 10.0f;
constexpr size_t kMirroredChargeEmitter = 8;

void setShape(const ecs::Entity& entity, int shape, int animation, float scale) {
    entity.get<AnimationComp>().animation = animation;
    VectorComp& vector = entity.get<VectorComp>();
    vector.shape = shape;
    vector.filled = true;
    vector.scale = scale;
    addShapeBoxes(entity, shape, scale);
    entity.get<MazeMapDisplayComp>().shape = shape;
}

// The points of the spline path that a charge emitter's particles are born along (its spread
// point; its path stays at the origin), in order or taken backwards.
void appendChargePath(int emitterId, bool backwards, std::vector<float>& points) {
    PSys::ParticleEmitter* emitter = particleSystem(kChargeSystem)->findEmitter(emitterId);
    const auto* path = emitter ? dynamic_cast<const Tween::SplinePath*>(emitter->def.spread) : nullptr;
    if (!path) return;
    const std::vector<CatmullRomSpline::Point>& along = path->getControlPoints();
    for (size_t i = 0; i < along.size(); ++i) {
        const CatmullRomSpline::Point& point = along[backwards ? along.size() - 1 - i : i];
        points.insert(points.end(), {point.x, point.y});
    }
}

// A facing's outline runs out along the first of its two charge curves and back along the
// mirrored one, centred on its box as the movement and drawing systems take boxes.
void shapeDirectionOutline(const std::array<int32_t, PlayerComp::kChargeEmittersPerDirection>& emitters, PolyComp& poly,
                           BBoxComp& box, CollisionPointsComp& probes) {
    std::vector<float> points;
    appendChargePath(emitters[0], false, points);
    appendChargePath(emitters[kMirroredChargeEmitter], true, points);
    if (points.empty()) return;
    const FloatBox bounds = pointListBounds(points);
    const auto nearest = [](float value) { return int(std::nearbyint(value)); };
    const IntBox whole{nearest(bounds.x), nearest(bounds.y), nearest(bounds.w), nearest(bounds.h)};
    for (int side = 0; side < 4; ++side) makeEdgeProbes(side, bounds, probes.probes[size_t(side)]);
    const float dx = float(-(whole.w / 2 + whole.x));
    const float dy = float(-(whole.h / 2 + whole.y));
    for (std::vector<float>* list :
         {&points, &probes.probes[0], &probes.probes[1], &probes.probes[2], &probes.probes[3]}) {
        for (size_t i = 0; i + 1 < list->size(); i += 2) {
            (*list)[i] += dx;
            (*list)[i + 1] += dy;
        }
    }
    probes.slide = false;
    poly.pointLists = {std::move(points)};
    static_cast<IntBox&>(box) = IntBox{-whole.w / 2, -whole.h / 2, whole.w, whole.h};
}

}  // namespace

ecs::Entity GameLogic::createPlayer(float x, float y) {
    m_player = m_world->createEntity();
    ecs::Entity& player = m_player;
    player.add<FireComp>();
    player.add<TimerComp>();
    PVAComp& pva = player.add<PVAComp>();
    player.add<AnimationComp>();
    player.add<VectorComp>();
    player.add<BBoxComp>();
    player.add<CBoxComp>();
    player.add<HBoxComp>();
    CameraComp& camera = player.add<CameraComp>();
    FootstepsComp& footsteps = player.add<FootstepsComp>(50);
    PlayerComp& state = player.add<PlayerComp>();
    ZappedComp& zapped = player.add<ZappedComp>();
    player.add<MazeMapDisplayComp>();
    player.add<FXsComp>();

    pva.x = x;
    pva.y = y;
    int cellX = int(x), cellY = int(y);
    worldToCell(cellX, cellY);
    footsteps.cellX = cellX;
    footsteps.cellY = cellY;

    state.lastDirection = kPlayerStartDirection;
    state.stateCode = kPlayerStartState;
    state.powerPunches = int(getOptionValue("NUM_DBZ_POWS"));
    state.maxHealth = Globals::getFloat("PLAYERHEALTH") * getOptionValue("PLAYER_HEALTH");
    state.health = state.maxHealth;
    state.rechargeDelay = Globals::getFloat("RECHARGETIME") * getOptionValue("RECHARGE_DELAY");
    state.rechargeSpeed = Globals::getFloat("HEALTHPERSEC") * getOptionValue("RECHARGE_SPEED");
    setShape(player, kPlayerShape, kPlayerAnimation, state.drawScale);
    player.add<CollisionPointsComp>(kPlayerShape, state.drawScale);
    camera.x = int(x);
    camera.y = int(y);

    state.glowEmitter = spawnParticles(int(x), int(y), 0, 1, 0.0f);
    state.bodyEmitters = {spawnParticles(int(x), int(y), 0, 18, 0.0f), spawnParticles(int(x), int(y), 0, 19, 0.0f)};
    zapped.kind = 3;
    zapped.factorFrom = 1.0f;
    zapped.factorTo = 1.2f;

    for (int d = 0; d < 4; ++d) {
        for (int i = 0; i < PlayerComp::kChargeEmittersPerDirection; ++i) {
            const int definition = (i < 8 ? 20 : 21) + 2 * d;
            state.chargeEmitters[size_t(d)][size_t(i)] = spawnParticles(int(x), int(y), 1, definition, 0.0f);
        }
        ecs::Entity direction = m_world->createEntity();
        direction.add<PVAComp>();
        BBoxComp& box = direction.add<BBoxComp>();
        PolyComp& poly = direction.add<PolyComp>();
        poly.colour = kDirectionColour;
        poly.thickness = kDirectionThickness;
        // An outline along the curves, not a fill: the curves bend inward, and fills must be convex.
        poly.filled = false;
        CollisionPointsComp& probes = direction.add<CollisionPointsComp>();
        shapeDirectionOutline(state.chargeEmitters[size_t(d)], poly, box, probes);
        state.directionEntities[size_t(d)] = direction;
    }

    state.shield = m_world->createEntity();
    state.shield.add<PVAComp>();
    state.shield.add<BBoxComp>();
    state.shield.add<CBoxComp>();
    state.shield.add<HBoxComp>();
    state.shield.add<VectorComp>();
    state.shield.add<FXsComp>();

    state.armour = m_world->createEntity();
    state.armour.add<PVAComp>(pva);
    state.armour.add<VectorComp>().shape = kArmourShape;
    addShapeBoxes(state.armour, kArmourShape, 1.0f);
    state.armour.add<FXsComp>();

    player.activate();
    return player;
}

ecs::Entity GameLogic::createPrisoner(int cellX, int cellY) {
    ecs::Entity prisoner = m_world->createEntity();
    PVAComp& pva = prisoner.add<PVAComp>();
    prisoner.add<AnimationComp>();
    prisoner.add<VectorComp>();
    prisoner.add<MazeMapDisplayComp>();
    addBeam(m_params.cellWidthTiles == 16 ? kWideChainBeam : kChainBeam, prisoner, 0.0f, 50.0f, -70.0f, 100.0f, 1.0f,
            false);
    prisoner.add<FXsComp>();
    int x = cellX, y = cellY;
    cellToWorld(x, y, 0.0f, 0.0f);
    pva.x = float(x);
    pva.y = float(y);
    setShape(prisoner, kPrisonerShape, kPrisonerAnimation, m_player.get<PlayerComp>().drawScale);
    prisoner.activate();
    m_prisonersLeft += 1;
    return prisoner;
}

ecs::Entity GameLogic::createBossNode(int cellX, int cellY) {
    ecs::Entity node = m_world->createEntity();
    PVAComp& pva = node.add<PVAComp>();
    node.add<AnimationComp>();
    node.add<VectorComp>();
    node.add<MazeMapDisplayComp>();
    node.add<FXsComp>();
    int x = cellX, y = cellY;
    cellToWorld(x, y, 0.0f, 0.0f);
    pva.x = float(x);
    pva.y = float(y);
    setShape(node, kBossNodeShape, kBossNodeAnimation, 4.0f * m_player.get<PlayerComp>().drawScale);
    node.activate();
    m_bossNodesLeft += 1;
    m_lastBossNodeCell = {cellX, cellY};
    return node;
}

// A type the robot kinds do not have leaves a bare position that no robot system touches.
ecs::Entity GameLogic::createRobot(int type, int x, int y) {
    ecs::Entity robot = m_world->createEntity();
    PVAComp& pva = robot.add<PVAComp>();
    if (x < 0 || y < 0) randomFreeCell(x, y);
    pva.x = float(x);
    pva.y = float(y);
    RobotFactory::instance().create(*this, uint32_t(type), robot);
    robot.activate();
    return robot;
}

ecs::Entity GameLogic::createLift() {
    int x = m_levelEntry.specialCells.front().x, y = m_levelEntry.specialCells.front().y;
    cellToWorld(x, y, -0.5f, -0.25f);
    ecs::Entity lift = m_world->createEntity();
    PVAComp& pva = lift.add<PVAComp>();
    pva.x = float(x);
    pva.y = float(y);
    lift.add<AnimationComp>();
    lift.add<VectorComp>();
    lift.add<MazeMapDisplayComp>();
    setShape(lift, kLiftShape, kLiftAnimation, 1.0f);
    lift.activate();
    return lift;
}

}  // namespace Zelmo
