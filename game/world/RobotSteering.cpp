#include "game/world/RobotSteering.h"

#include <cmath>
#include <cstdlib>

#include "game/world/GameLogic.h"
#include "game/world/Heading.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"

namespace Zelmo {

int sideA(int direction) {
    switch (direction) {
        case 1:
            return 4;
        case 2:
            return 8;
        case 4:
            return 2;
        case 8:
            return 1;
        default:
            return 0;
    }
}

int sideB(int direction) {
    switch (direction) {
        case 1:
            return 8;
        case 2:
            return 4;
        case 4:
            return 1;
        case 8:
            return 2;
        default:
            return 0;
    }
}

int reverseOf(int direction) {
    switch (direction) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 4:
            return 8;
        case 8:
            return 4;
        default:
            return 0;
    }
}

int randomDirection(GameLogic& logic) { return 1 << logic.random().nextInt(4); }

int tileUnderX(const GameLogic& logic, float x) {
    const int shift = logic.params().tileShiftX;
    return int(x - float(1 << shift) / 2.0f) >> shift;
}

int tileUnderY(const GameLogic& logic, float y) {
    const int shift = logic.params().tileShiftY;
    return int(y - float(1 << shift) / 2.0f) >> shift;
}

RobotCell cellOf(const GameLogic& logic, float x, float y) {
    RobotCell cell{int(x), int(y)};
    logic.worldToCell(cell.x, cell.y);
    return cell;
}

void steerRobot(GameLogic& logic, int cellX, int cellY, int direction, PVAComp& pva, RobotComp& robot) {
    int x = cellX + (direction == 4 ? 1 : direction == 8 ? -1 : 0);
    int y = cellY + (direction == 2 ? 1 : direction == 1 ? -1 : 0);
    logic.cellToWorld(x, y, 0.0f, 0.0f);
    const int heading = headingOf(float(x) - pva.x, pva.y - float(y));
    pva.heading = heading;
    pva.speed.elapsed = 0.0f;
    pva.speed.from = pva.speed.to = robot.speed;
    robot.lastDirection = direction;
    robot.heading = heading;
    robot.targetTileX = tileUnderX(logic, float(x));
    robot.targetTileY = tileUnderY(logic, float(y));
    robot.deflectionCount = 0;
}

int onlyForwardExit(const GameLogic& logic, int cellX, int cellY, int lastDirection) {
    if (lastDirection == 0) return 0;
    const int forward = logic.exitsAt(cellX, cellY) & ~reverseOf(lastDirection);
    return forward == 1 || forward == 2 || forward == 4 || forward == 8 ? forward : 0;
}

int corridorLeadingTo(const GameLogic& logic, int cellX, int cellY, int targetX, int targetY) {
    const int exits = logic.exitsAt(cellX, cellY);
    for (int direction : {2, 1, 4, 8}) {
        if (!(exits & direction)) continue;
        int x = cellX, y = cellY;
        if (logic.followCorridor(x, y, direction) != 0 && x == targetX && y == targetY) return direction;
    }
    return 0;
}

bool lineOfSight(GameLogic& logic, int stepLimit, float fromX, float fromY, float toX, float toY) {
    const Map::TileMap& tiles = logic.tileMap();
    const int shiftX = tiles.getTileShiftX(), shiftY = tiles.getTileShiftY();
    int x = int(fromX) >> shiftX, y = int(fromY) >> shiftY;
    const int endX = int(toX) >> shiftX, endY = int(toY) >> shiftY;
    const int dx = std::abs(endX - x), dy = -std::abs(endY - y);
    const int stepX = x < endX ? 1 : -1, stepY = y < endY ? 1 : -1;
    int error = dx + dy;
    auto step = [&] {
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    };
    auto blocks = [&] {
        if (x < 0 || y < 0 || x >= tiles.getWidth() || y >= tiles.getHeight()) return true;
        return (tiles.getCell(x, y) & tiles.getExtraValue1()) != 0;
    };
    if (x == endX && y == endY) return stepLimit > 0;
    step();
    if (x == endX && y == endY) return stepLimit > 0;
    for (int left = stepLimit;;) {
        left -= 1;
        if (left <= 0 || blocks()) return false;
        step();
        if (x == endX && y == endY) return true;
    }
}

namespace {

bool clearCorridorLine(const GameLogic& logic, int direction, int x, int y, int targetX, int targetY) {
    for (;;) {
        if (x == targetX && y == targetY) return true;
        if (!(logic.exitsAt(x, y) & direction)) return false;
        x += direction == 4 ? 1 : direction == 8 ? -1 : 0;
        y += direction == 2 ? 1 : direction == 1 ? -1 : 0;
    }
}

}  // namespace

bool seesAlongCorridor(const GameLogic& logic, int range, int cellX, int cellY, int targetX, int targetY) {
    const int dx = targetX - cellX, dy = targetY - cellY;
    if (dx == 0 && dy == 0) return true;
    int direction = 0;
    if (dx == 0 && dy >= 1 && dy <= range) direction = 2;
    if (dx == 0 && dy <= -1 && dy >= -range) direction = 1;
    if (dy == 0 && dx >= 1 && dx <= range) direction = 4;
    if (dy == 0 && dx <= -1 && dx >= -range) direction = 8;
    return direction != 0 && clearCorridorLine(logic, direction, cellX, cellY, targetX, targetY);
}

int fullDirSightLimit(const GameLogic& logic, int rangeFactor) {
    const Maze::LevelParams& params = logic.params();
    const double width = double(params.cellWidthTiles << params.tileShiftX);
    const double height = double(params.cellHeightTiles << params.tileShiftY);
    return int(std::sqrt(width * width + height * height)) * rangeFactor;
}

bool followFootsteps(GameLogic& logic, const ecs::Entity& robot, bool& corridor) {
    corridor = false;
    RobotComp& state = robot.get<RobotComp>();
    bool steered = false;
    if (state.target.isValid() && state.target.has<FootstepsComp>()) {
        PVAComp& pva = robot.get<PVAComp>();
        const RobotCell cell = cellOf(logic, pva.x, pva.y);
        corridor = logic.exitCount(cell.x, cell.y) == 2;
        const FootstepsComp::Step* step = state.target.get<FootstepsComp>().find(cell.x, cell.y);
        if (step && (state.footstepMemory == 0.0f || state.footstepMemory > (logic.elapsed() - step->time) / 1000.0f)) {
            steerRobot(logic, cell.x, cell.y, step->direction, pva, state);
            pva.speed.from = pva.speed.to = state.footstepSpeed;
            steered = true;
        }
    }
    state.followedLastTime = state.followingFootsteps;
    state.followingFootsteps = steered;
    return steered;
}

}  // namespace Zelmo
