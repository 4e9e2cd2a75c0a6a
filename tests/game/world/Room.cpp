#include "tests/game/world/Room.h"

#include <algorithm>

#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"

namespace WorldTest {
namespace {

constexpr int kSmallestLevel = 8;
constexpr int kPlayerShape = 25;
constexpr float kPlayerScale = 0.6f;

}  // namespace

Room::Room(WorldHarness& harness, bool keepOthers) : m_harness(harness) {
    harness.startLevel(kSmallestLevel);
    Zelmo::GameLogic& logic = harness.logic();
    if (!keepOthers) {
        Placed placed;
        logic.world().addSystem(placed);
        for (ecs::Entity entity : std::vector<ecs::Entity>(placed.entities())) {
            if (entity != logic.player()) entity.kill();
        }
        logic.world().removeSystem(placed);
        logic.world().refresh();
    }
    std::vector<Map::TileChange> changes;
    for (int y = kFirst - 1; y <= kLast + 1; ++y) {
        for (int x = kFirst - 1; x <= kLast + 1; ++x) {
            const bool wall = x < kFirst || y < kFirst || x > kLast || y > kLast;
            changes.push_back({x, y, wall ? kSolid : 0});
        }
    }
    logic.tileMap().setCells(changes);
}

void Room::setTile(int x, int y, int value) { m_harness.logic().tileMap().setCells({{x, y, value}}); }

ecs::Entity Room::walker(Kind kind, float x, float y, int heading, float speed, bool withBox) {
    ecs::Entity entity = m_harness.logic().world().createEntity();
    Zelmo::PVAComp& pva = entity.add<Zelmo::PVAComp>();
    pva.x = x;
    pva.y = y;
    pva.heading = heading;
    pva.speed.from = speed;
    pva.speed.to = speed;
    if (kind != Kind::Piece) entity.add<Zelmo::CollisionPointsComp>(kPlayerShape, kPlayerScale);
    if (kind == Kind::Robot) entity.add<Zelmo::RobotComp>();
    if (kind == Kind::Player) entity.add<Zelmo::PlayerComp>();
    if (withBox) Zelmo::addShapeBoxes(entity, kPlayerShape, kPlayerScale);
    entity.activate();
    return entity;
}

float Room::reach(int side) {
    const Zelmo::CollisionPointsComp probes(kPlayerShape, kPlayerScale);
    const std::vector<float>& points = probes.probes[size_t(side)];
    float farthest = side == 0 || side == 3 ? -1e9f : 1e9f;
    const size_t axis = side <= 1 ? 1 : 0;
    for (size_t i = axis; i < points.size(); i += 2) {
        farthest = side == 0 || side == 3 ? std::max(farthest, points[i]) : std::min(farthest, points[i]);
    }
    return farthest;
}

bool Room::probesBlocked(const ecs::Entity& walker) {
    const Zelmo::PVAComp& pva = walker.get<Zelmo::PVAComp>();
    const bool isRobot = walker.has<Zelmo::RobotComp>();
    const Map::TileCollisionMap& collision = m_harness.logic().collisionMap();
    for (const std::vector<float>& side : walker.get<Zelmo::CollisionPointsComp>().probes) {
        for (size_t i = 0; i + 1 < side.size(); i += 2) {
            const int value =
                collision.valueAtPixel(int(side[i] + float(int(pva.x))), int(side[i + 1] + float(int(pva.y))), 1);
            if (value != 0 && (value != 5 || isRobot)) return true;
        }
    }
    return false;
}

}  // namespace WorldTest
