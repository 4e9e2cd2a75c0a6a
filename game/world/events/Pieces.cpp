#include <algorithm>
#include <cmath>

#include "engine/map/TileChange.h"
#include "game/effects/ParticleSystems.h"
#include "game/vector/ShapePolygons.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/GrowingBox.h"
#include "game/world/Heading.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"
#include "game/world/RobotComp.h"
#include "game/world/events/BrokenDoorTiles.h"
#include "game/world/factories/CubicFades.h"

// Things breaking apart: door runs under a punch, shapes into flying pieces, robots dying.
namespace Zelmo {
namespace {

constexpr int kDoorValue = 4;
constexpr int kDoorDust = 8;
constexpr int kSoundDoorBroken = 30;
constexpr float kPieceZappedMs = 3000.0f;
constexpr int kZappedKind = 3;

int nearestEven(float value) { return int(std::nearbyint(value)); }

int wrapDegrees(int heading) { return ((heading % 360) + 360) % 360; }

// The collision value under a world pixel; nothing is a door outside the map.
int collisionAt(const Map::TileCollisionMap& grid, const Map::TileMap& map, int x, int y) {
    if (x < 0 || y < 0) return 0;
    const int gx = x >> (map.getTileShiftX() - grid.getSubShift());
    const int gy = y >> (map.getTileShiftY() - grid.getSubShift());
    if (gx >= grid.getGridWidth() || gy >= grid.getGridHeight()) return 0;
    return grid.getValue(gx, gy);
}

}  // namespace

void GameLogic::breakDoor(int x, int y, int heading) {
    const int tw = 1 << m_params.tileShiftX;
    const int step = heading != 0 ? -10 : 10;
    std::vector<Map::TileChange> changes;

    int h = heading;
    float angle = 0.0f;
    for (int px = x; collisionAt(*m_collisionMap, *m_tileMap, px, y) == kDoorValue; px += tw) {
        changes.push_back({px >> m_params.tileShiftX, y >> m_params.tileShiftY, kBrokenDoorAhead});
        createDoorPiece(px, y, h, angle);
        h = wrapDegrees(h + step);
        angle = angle == 0.0f ? 90.0f : angle + float(step);
    }
    h = heading;
    angle = 270.0f;
    for (int px = x - tw; collisionAt(*m_collisionMap, *m_tileMap, px, y) == kDoorValue; px -= tw) {
        changes.push_back({px >> m_params.tileShiftX, y >> m_params.tileShiftY, kBrokenDoorBehind});
        h = wrapDegrees(h - step);
        createDoorPiece(px, y, h, angle);
        angle -= float(step);
    }
    m_tileMap->setCells(changes);
    spawnParticles(x, y, kEffectsSystem, kDoorDust, 0.0f);
    playSound(kSoundDoorBroken);
}

std::vector<ecs::Entity> GameLogic::shatter(int shape, int x, int y, float fadeMs, int heading, float speed,
                                            float scale, bool filled) {
    const float baseX = speed * std::sin(float(heading) * kRadiansPerDegree);
    const float baseY = speed * std::cos(float(heading) * kRadiansPerDegree);
    std::vector<ecs::Entity> pieces;
    for (const PolyComp& polygon : ShapePolygons::instance().polygons(uint32_t(shape))) {
        ecs::Entity piece = createEntity();
        PVAComp& pva = piece.add<PVAComp>();
        BBoxComp& box = piece.add<BBoxComp>();
        PolyComp& poly = piece.add<PolyComp>(polygon);
        CollisionPointsComp& probes = piece.add<CollisionPointsComp>();
        FXsComp& effects = piece.add<FXsComp>();
        ZappedComp& zapped = piece.add<ZappedComp>();
        zapped.kind = kZappedKind;
        zapped.remaining = kPieceZappedMs;
        poly.scale = scale;
        poly.filled = filled;
        poly.lifetime = fadeMs;
        fadeOut(effects, poly.colour, fadeMs);

        // Each outline's bounds grow about their far corner, as the polygon is drawn scaled.
        GrowingBox extent;
        float area = 0.0f;
        for (const std::vector<float>& points : poly.pointLists) {
            const FloatBox own = pointListBounds(points);
            FloatBox scaled = own;
            scaled.w = own.w * scale;
            scaled.x = own.x - own.w * (scale - 1.0f);
            scaled.h = own.h * scale;
            scaled.y = own.y - own.h * (scale - 1.0f);
            for (int side = 0; side < 4; ++side) makeEdgeProbes(side, scaled, probes.probes[size_t(side)]);
            extent.add(nearestEven(scaled.x), nearestEven(scaled.y), nearestEven(scaled.w), nearestEven(scaled.h));
            area += scaled.w * scaled.h;
        }
        const IntBox bounds = extent.box();
        const int w = bounds.w;
        const int h = bounds.h;
        const int cx = w / 2 + bounds.x;
        const int cy = h / 2 + bounds.y;
        pva.x = float(x + cx);
        pva.y = float(y + cy);

        // Outward from the shape's middle, on top of the push the whole shape was given.
        const float outward = float(headingOf(float(cx), float(-cy))) * kRadiansPerDegree;
        const float vx = baseX + 4.0f * std::sin(outward);
        const float vy = baseY + 4.0f * std::cos(outward);
        pva.heading = headingOf(vx, -vy);
        // Small pieces fly fastest.
        const float t = std::max(0.0f, 50.0f - area / 500.0f);
        const float factor = Penner::Cubic::easeIn(t, 3.0f, 17.0f, 50.0f);
        pva.speed.from = pva.speed.to = factor * std::sqrt(vx * vx + vy * vy) / 20.0f;
        pva.moved = true;

        for (std::vector<float>& points : poly.pointLists) {
            for (size_t i = 0; i + 1 < points.size(); i += 2) {
                points[i] -= float(cx);
                points[i + 1] -= float(cy);
            }
        }
        for (std::vector<float>& side : probes.probes) {
            for (size_t i = 0; i + 1 < side.size(); i += 2) {
                side[i] -= float(cx);
                side[i + 1] -= float(cy);
            }
        }
        probes.slide = false;
        static_cast<IntBox&>(box) = {-w / 2, -h / 2, w, h};
        piece.activate();
        pieces.push_back(piece);
    }
    return pieces;
}

std::vector<ecs::Entity> GameLogic::killEntity(const ecs::Entity& robot, float fadeMs, bool filled) {
    if (!markForKill(robot)) return {};
    const RobotComp& state = robot.get<RobotComp>();
    if (state.type == kBossRobotType) m_bossDefeated = true;
    if (state.deathSound != 0) playSound(state.deathSound);
    // Boss bullets burst without pieces, and so does a robot that has no drawing to break.
    if (state.type == kBossBulletRobotType || !robot.has<VectorComp>()) return {};
    const VectorComp& vector = robot.get<VectorComp>();
    const PVAComp& pva = robot.get<PVAComp>();
    return shatter(vector.shape, int(pva.x), int(pva.y), fadeMs, state.knockBackAngle, state.knockBackSpeed,
                   vector.scale, filled);
}

}  // namespace Zelmo
