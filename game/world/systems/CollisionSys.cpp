#include "game/world/systems/CollisionSys.h"

#include "game/world/GameLogic.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"

namespace Zelmo {
namespace {

constexpr int kPassThrough = -60;
constexpr int kKnockedBack = 1;
constexpr int kGhostRobot = 6;  // other robots pass through it

bool isRobot(const ecs::Entity& entity) { return entity.has<RobotComp>(); }
bool isRobotOfType(const ecs::Entity& entity, int type) {
    return isRobot(entity) && entity.get<RobotComp>().type == type;
}

void turnBack(PVAComp& pva) { pva.heading = (pva.heading + 180) % 360; }

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

    for (const ecs::Entity& entity : moving) {
        const PVAComp& pva = entity.get<PVAComp>();
        if (!pva.moved && entity != armour) m_gridA.insert(entity, boxAtNext(entity.get<CBoxComp>(), pva));
        if (armoured && entity == player) continue;
        m_gridB.insert(entity, boxAtNext(entity.get<HBoxComp>(), pva));
    }
    for (const ecs::Entity& entity : moving) {
        if (entity.isValid() && entity.has<PVAComp>() && entity.get<PVAComp>().moved) handlePair(entity);
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
    if (isRobotOfType(entity, kGhostRobot)) return true;
    if (isRobotOfType(other, kGhostRobot)) {
        pva.x = pva.nextX;
        pva.y = pva.nextY;
        pva.moved = true;
        pva.contactCounter = 0;
        return true;
    }
    if (isRobot(entity) && entity.get<RobotComp>().state != kKnockedBack) robotMeets(entity, other);
    return true;
}

// A walking robot turns away from what it meets; two robots part, the one met turning too.
void CollisionSys::robotMeets(const ecs::Entity& robot, const ecs::Entity& other) {
    PVAComp& pva = robot.get<PVAComp>();
    if (!isRobot(other)) {
        turnBack(pva);
        return;
    }
    PVAComp& otherPva = other.get<PVAComp>();
    const int reversed = (pva.heading + 180) % 360;
    if (headingDiff(reversed, otherPva.heading) > headingDiff(pva.heading, otherPva.heading)) pva.heading = reversed;
    pva.contactCounter = kPassThrough;
    if (other.get<RobotComp>().state != kKnockedBack) turnBack(otherPva);
}

}  // namespace Zelmo
