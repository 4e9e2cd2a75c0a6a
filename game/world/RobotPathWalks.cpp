#include "game/world/GameLogic.h"
#include "game/world/MotionComps.h"
#include "game/world/PathFinderComp.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotSteering.h"

// The walks that follow a searched path to the player.
namespace Zelmo {
namespace {

bool isDecisionPoint(const GameLogic& logic, int x, int y) { return logic.exitCount(x, y) != 2; }

// The exit of the cell whose corridor passes through the target cell before it reaches a
// decision point. Walking the corridor cell by cell finds the way back along a bent corridor,
// where the reverse of the target's own exit would point into a wall.
int corridorThrough(const GameLogic& logic, int cellX, int cellY, int targetX, int targetY) {
    const int exits = logic.exitsAt(cellX, cellY);
    const int cellCount = logic.params().cellsWide * logic.params().cellsHigh;
    for (int first : {2, 1, 4, 8}) {
        if (!(exits & first)) continue;
        int x = cellX, y = cellY, direction = first;
        for (int walked = 0; direction != 0 && walked < cellCount; ++walked) {
            x += direction == 4 ? 1 : direction == 8 ? -1 : 0;
            y += direction == 2 ? 1 : direction == 1 ? -1 : 0;
            if (x == targetX && y == targetY) return first;
            if (isDecisionPoint(logic, x, y)) break;
            direction = onlyForwardExit(logic, x, y, direction);
        }
    }
    return 0;
}

// Steers one stop along the path; false when no way there is found from this cell.
bool followPathStep(GameLogic& logic, const ecs::Entity& entity, const RobotCell& cell, int direction,
                    const PathPoint& to) {
    if (direction == 0) {
        direction = isDecisionPoint(logic, to.x, to.y) ? corridorLeadingTo(logic, cell.x, cell.y, to.x, to.y)
                                                       : corridorThrough(logic, cell.x, cell.y, to.x, to.y);
    }
    if (direction == 0) return false;
    steerRobot(logic, cell.x, cell.y, direction, entity.get<PVAComp>(), entity.get<RobotComp>());
    return true;
}

void startSearch(GameLogic& logic, const ecs::Entity& entity, PathFinderComp& finder, bool corridor) {
    const ecs::Entity player = logic.player();
    PathState state = PathState::CannotSearch;
    if (player.isValid()) {
        const PVAComp& from = entity.get<PVAComp>();
        const PVAComp& to = player.get<PVAComp>();
        state = finder.startSearch(int(from.x), int(from.y), int(to.x), int(to.y));
    }
    if (state != PathState::Searching && state != PathState::Found) mazeWalk(logic, entity, corridor);
}

}  // namespace

void starWalk(GameLogic& logic, const ecs::Entity& entity, bool corridor) {
    if (!entity.has<PathFinderComp>()) {
        mazeWalk(logic, entity, corridor);
        return;
    }
    PathFinderComp& finder = entity.get<PathFinderComp>();
    if (finder.next == -1) {
        startSearch(logic, entity, finder, corridor);
        return;
    }
    switch (finder.finder.state()) {
        case PathState::NotStarted:
        case PathState::NoPath:
            startSearch(logic, entity, finder, corridor);
            return;
        case PathState::Searching: {
            PVAComp& pva = entity.get<PVAComp>();
            RobotComp& robot = entity.get<RobotComp>();
            pva.speed.from = pva.speed.to = 0.0f;
            robot.lastDirection = 0;
            finder.runSearch(robot.pathSearchSteps);
            return;
        }
        case PathState::Found:
            break;
        default:
            mazeWalk(logic, entity, corridor);
            return;
    }
    if (finder.next < 0 || size_t(finder.next) >= finder.path.size()) {
        startSearch(logic, entity, finder, corridor);
        return;
    }
    const PVAComp& pva = entity.get<PVAComp>();
    const RobotComp& robot = entity.get<RobotComp>();
    const RobotCell cell = cellOf(logic, pva.x, pva.y);
    PathPoint* stop = &finder.path[size_t(finder.next)];
    if (cell.x == stop->x && cell.y == stop->y) {
        finder.next += 1;
        if (size_t(finder.next) >= finder.path.size() || (robot.pathLimit != 0 && finder.next >= robot.pathLimit)) {
            startSearch(logic, entity, finder, corridor);
            return;
        }
        stop = &finder.path[size_t(finder.next)];
    }
    const int direction = stop->direction;
    stop->direction = 0;
    if (!followPathStep(logic, entity, cell, direction, *stop)) startSearch(logic, entity, finder, corridor);
}

void footAndStarWalk(GameLogic& logic, const ecs::Entity& entity, bool corridor) {
    RobotComp& robot = entity.get<RobotComp>();
    if (robot.followedLastTime) {
        robot.followedLastTime = false;
        const PVAComp& pva = entity.get<PVAComp>();
        const RobotCell cell = cellOf(logic, pva.x, pva.y);
        const int forward = corridor ? onlyForwardExit(logic, cell.x, cell.y, robot.lastDirection) : 0;
        if (forward != 0) {
            steerRobot(logic, cell.x, cell.y, forward, entity.get<PVAComp>(), robot);
            return;
        }
        if (entity.has<PathFinderComp>()) entity.get<PathFinderComp>().next = -1;
    }
    starWalk(logic, entity, corridor);
}

}  // namespace Zelmo
