#include <algorithm>
#include <cmath>

#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/Heading.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotSteering.h"
#include "game/world/systems/RobotSys.h"

// The scan behaviours: when a robot sees its target it fires.
namespace Zelmo {
namespace {

constexpr int kTower = 7;
constexpr int kTowerPad = 8;
constexpr int kTowerRise = 9;
constexpr int kTowerLower = 10;
constexpr int kTowerRisen = 11;
constexpr int kFishType = 15;
constexpr int kFishEast = 53;

void resetTimers(RobotComp& robot) {
    robot.scanTimer = robot.scanInterval;
    robot.fireTimer = robot.refireInterval;
}

bool playerSeenAlongCorridor(GameLogic& logic, const ecs::Entity& entity) {
    const ecs::Entity player = logic.player();
    if (!player.isValid() || !player.has<FootstepsComp>()) return false;
    const PVAComp& pva = entity.get<PVAComp>();
    const RobotCell cell = cellOf(logic, pva.x, pva.y);
    const FootstepsComp& steps = player.get<FootstepsComp>();
    return seesAlongCorridor(logic, entity.get<RobotComp>().sightRange, cell.x, cell.y, steps.cellX, steps.cellY);
}

bool playerSeenInAnyDirection(GameLogic& logic, const ecs::Entity& entity) {
    const ecs::Entity player = logic.player();
    if (!player.isValid()) return false;
    const PVAComp& pva = entity.get<PVAComp>();
    const RobotComp& robot = entity.get<RobotComp>();
    const PVAComp& target = player.get<PVAComp>();
    return lineOfSight(logic, fullDirSightLimit(logic, robot.sightRange), pva.x + float(robot.muzzleX),
                       pva.y + float(robot.muzzleY), target.x, target.y);
}

void fireAtPlayer(GameLogic& logic, const ecs::Entity& entity) {
    const PVAComp& target = logic.player().get<PVAComp>();
    RobotSys::fire(logic, entity, target.x, target.y);
}

void aimAtPlayer(GameLogic& logic, const ecs::Entity& entity, bool truncate) {
    if (!logic.player().isValid()) return;
    const PVAComp& target = logic.player().get<PVAComp>();
    if (truncate) {
        aimBeam(logic, entity, std::trunc(target.x), std::trunc(target.y));
    } else {
        aimBeam(logic, entity, target.x, target.y);
    }
}

void switchTower(const ecs::Entity& entity, int animation) {
    AnimationComp& anim = entity.get<AnimationComp>();
    anim.animation = animation;
    anim.frame = 0;
    anim.frameTime = 0;
    anim.advanceNow = true;
}

void towerScan(GameLogic& logic, const ecs::Entity& entity, bool seen) {
    if (!entity.has<AnimationComp>()) return;
    switch (entity.get<AnimationComp>().animation) {
        case kTower:
            if (seen) {
                fireAtPlayer(logic, entity);
            } else {
                switchTower(entity, kTowerRisen);
            }
            break;
        case kTowerPad:
            if (seen) switchTower(entity, kTowerRise);
            break;
        case kTowerRisen:
            switchTower(entity, seen ? kTower : kTowerLower);
            break;
        default:
            break;
    }
}

// The first robot standing in the corridor that leads from the cell along direction, or none.
ecs::Entity findRobotAlongCorridor(GameLogic& logic, const ecs::Entity& self, int direction, int x, int y) {
    const Maze::LevelParams& params = logic.params();
    const int cellW = params.cellWidthTiles << params.tileShiftX, cellH = params.cellHeightTiles << params.tileShiftY;
    EntityGrid& grid = logic.collisionSys().gridA();
    const int side = std::min(grid.cellSize() - 1, std::max(cellW, cellH) / 2);
    ecs::Entity found;
    const int cellCount = params.cellsWide * params.cellsHigh;
    for (int walked = 0; walked < cellCount && (logic.exitsAt(x, y) & direction) && !found.isValid(); ++walked) {
        x += direction == 4 ? 1 : direction == 8 ? -1 : 0;
        y += direction == 2 ? 1 : direction == 1 ? -1 : 0;
        int centreX = x, centreY = y;
        logic.cellToWorld(centreX, centreY, 0.0f, 0.0f);
        found = grid.findOverlap(IntBox{centreX - side / 2, centreY - side / 2, side, side});
    }
    if (!found.isValid() || found == self || !found.has<RobotComp>()) return {};
    return found;
}

}  // namespace

void nsewScan(GameLogic& logic, const ecs::Entity& entity, bool fire) {
    if (fire) {
        aimAtPlayer(logic, entity, false);
        return;
    }
    resetTimers(entity.get<RobotComp>());
    if (playerSeenAlongCorridor(logic, entity)) fireAtPlayer(logic, entity);
}

void fullDirScan(GameLogic& logic, const ecs::Entity& entity, bool fire) {
    if (fire) {
        aimAtPlayer(logic, entity, true);
        return;
    }
    resetTimers(entity.get<RobotComp>());
    if (playerSeenInAnyDirection(logic, entity)) fireAtPlayer(logic, entity);
}

void nsewTowerScan(GameLogic& logic, const ecs::Entity& entity, bool) {
    resetTimers(entity.get<RobotComp>());
    towerScan(logic, entity, playerSeenAlongCorridor(logic, entity));
}

void fullDirTowerScan(GameLogic& logic, const ecs::Entity& entity, bool) {
    resetTimers(entity.get<RobotComp>());
    towerScan(logic, entity, playerSeenInAnyDirection(logic, entity));
}

void fishScan(GameLogic& logic, const ecs::Entity& entity, bool fire) {
    if (!fire) resetTimers(entity.get<RobotComp>());
    const PVAComp& pva = entity.get<PVAComp>();
    const RobotCell cell = cellOf(logic, pva.x, pva.y);
    const bool facingEast = entity.has<AnimationComp>() && entity.get<AnimationComp>().animation == kFishEast;
    ecs::Entity prey = findRobotAlongCorridor(logic, entity, facingEast ? 4 : 8, cell.x, cell.y);
    if (!prey.isValid() || prey.get<RobotComp>().type == kFishType) {
        const int direction = pva.heading >= 91 && pva.heading <= 179 ? 1 : 2;
        prey = findRobotAlongCorridor(logic, entity, direction, cell.x, cell.y);
    }
    if (!prey.isValid() || prey.get<RobotComp>().type == kFishType) return;
    const PVAComp& target = prey.get<PVAComp>();
    if (fire) {
        aimBeam(logic, entity, target.x, target.y);
    } else {
        RobotSys::fire(logic, entity, target.x, target.y);
    }
}

void bossScan(GameLogic& logic, const ecs::Entity& entity, bool) {
    RobotComp& robot = entity.get<RobotComp>();
    resetTimers(robot);
    if (!playerSeenInAnyDirection(logic, entity)) return;
    robot.state = 2;
    PVAComp& pva = entity.get<PVAComp>();
    pva.speed.from = pva.speed.to = 0.0f;
    logic.fireBossBullet(int(pva.x), int(pva.y));
}

void aimBeam(GameLogic&, const ecs::Entity& entity, float x, float y) {
    RobotComp& robot = entity.get<RobotComp>();
    robot.fireTimer = robot.refireInterval;
    if (!entity.has<BeamComp>()) return;
    BeamComp& beam = entity.get<BeamComp>();
    const PVAComp& pva = entity.get<PVAComp>();
    const float originX = float(beam.originX) + pva.x, originY = float(beam.originY) + pva.y;
    float wanted = float(headingOf(x - originX, originY - y));
    const float current = beam.angle;
    if (std::fabs(current - wanted) > 180.0f) wanted += current > wanted ? 360.0f : -360.0f;
    const float turnMs = robot.turnTime * std::fabs(current - wanted);
    if (turnMs == 0.0f || !entity.has<FXsComp>()) return;
    entity.get<FXsComp>().setTweenChain(FloatChain{{FloatStep{current, wanted, turnMs}}, &beam.angle});
}

}  // namespace Zelmo
