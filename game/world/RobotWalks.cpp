#include <algorithm>
#include <array>

#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/Heading.h"
#include "game/world/MotionComps.h"
#include "game/world/RobotBehaviours.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotSteering.h"

// The walk behaviours that need no path search.
namespace Zelmo {
namespace {

constexpr int kFishWest = 52;
constexpr int kFishEast = 53;
constexpr int kSpinnerClockwise = 12;
constexpr int kSpinnerAnticlockwise = 13;
constexpr float kFishWanderMs = 20000.0f;
// Special cells are few: a free one turns up in the first draw or two of any real level.
constexpr int kFishTargetDraws = 64;
constexpr int kRandomWalkReach = 15;  // tiles either way

int clampWeight(int weight) { return std::clamp(weight, 0, 100); }

// Weight taken from one choice is given to the other one or two, so the odds still add up.
struct MazeOdds {
    int a = 0;
    int b = 0;
    int straight() const { return 100 - a - b; }
};

MazeOdds shiftedOdds(MazeOdds odds, int visitsA, int visitsB, int visitsStraight) {
    if (visitsA != 0 && visitsA > visitsB) {
        const int lost = odds.a - clampWeight(odds.a - 10 * (visitsA - visitsB));
        odds.a -= lost;
        odds.b = clampWeight(odds.b + lost);
    } else if (visitsB != 0 && visitsB > visitsA) {
        const int lost = odds.b - clampWeight(odds.b - 10 * (visitsB - visitsA));
        odds.b -= lost;
        odds.a = clampWeight(odds.a + lost);
    } else if (visitsStraight != 0 && (visitsStraight > visitsA || visitsStraight > visitsB)) {
        const int fewer = visitsStraight > visitsA ? visitsA : visitsB;
        const int straight = odds.straight();
        const int lost = straight - clampWeight(straight - 20 * (visitsStraight - fewer));
        odds.a = clampWeight(odds.a + lost / 2);
        odds.b = clampWeight(odds.b + lost / 2);
    }
    return odds;
}

int visitsAlong(const GameLogic& logic, const RobotComp& robot, int x, int y, int direction, bool open) {
    if (!open || logic.followCorridor(x, y, direction) == 0) return 0;
    return robot.junctionVisits(x, y);
}

// Any open exit, the way back included, in an order drawn at random.
int anyOpenExit(GameLogic& logic, int exits, int fallback) {
    std::array<int, 4> order{1, 2, 4, 8};
    std::swap(order[3], order[logic.random().nextInt(3)]);
    std::swap(order[2], order[logic.random().nextInt(2)]);
    for (int direction : order) {
        if (exits & direction) return direction;
    }
    return fallback;
}

void switchAnimation(const ecs::Entity& entity, int animation, bool restartFrame) {
    if (!entity.has<AnimationComp>()) return;
    AnimationComp& anim = entity.get<AnimationComp>();
    if (anim.animation == animation) return;
    anim.animation = animation;
    if (restartFrame) anim.frame = 0;
    anim.frameTime = 0;
    anim.advanceNow = true;
}

// A free cell in another quarter of the maze. Where the draws find none (the other quarters may
// be all start, lift and prisoners) the fish stays in its own cell and looks again later.
void pickFishTarget(GameLogic& logic, RobotComp& robot, const RobotCell& cell) {
    const int w = logic.params().cellsWide, h = logic.params().cellsHigh;
    const int quadrant = (cell.y >= h / 2 ? 2 : 0) + (cell.x >= w / 2 ? 1 : 0);
    robot.fishTargetX = cell.x;
    robot.fishTargetY = cell.y;
    for (int draw = 0; draw < kFishTargetDraws; ++draw) {
        int r = 0;
        do {
            r = int(logic.random().nextInt(4));
        } while (r == quadrant);
        const int x = int(logic.random().nextInt(uint32_t(std::max(1, w / 2)))) + ((r & 1) ? w / 2 : 0);
        const int y = int(logic.random().nextInt(uint32_t(std::max(1, h / 2)))) + ((r & 2) ? h / 2 : 0);
        if (!logic.isFreeCell(x, y)) continue;
        robot.fishTargetX = x;
        robot.fishTargetY = y;
        break;
    }
    robot.wanderTimer = kFishWanderMs;
    robot.lastDirection = 0;
}

}  // namespace

void mazeWalk(GameLogic& logic, const ecs::Entity& entity, bool) {
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    const RobotCell cell = cellOf(logic, pva.x, pva.y);
    int exits = logic.exitsAt(cell.x, cell.y);
    if (exits == 0) exits = 1;
    if (robot.lastDirection == 0) robot.lastDirection = randomDirection(logic);
    const int d = robot.lastDirection, a = sideA(d), b = sideB(d);
    bool straight = exits & d, openA = exits & a, openB = exits & b;
    const int roll = int(logic.random().nextInt(100));
    MazeOdds odds = straight ? MazeOdds{robot.mazeWeights[0], robot.mazeWeights[1]}
                             : MazeOdds{robot.mazeWeights[2], robot.mazeWeights[3]};
    robot.recordJunctionVisit(logic, cell.x, cell.y);
    if (robot.deadEndLimit != 0) {
        for (const auto& [exit, depth] : logic.corridorsFrom(cell.x, cell.y, -1)) {
            if (depth == 0 || depth > robot.deadEndLimit) continue;
            if (exit == a) openA = false;
            if (exit == b) openB = false;
            if (exit == d) straight = false;
        }
    }
    odds = shiftedOdds(odds, visitsAlong(logic, robot, cell.x, cell.y, a, openA),
                       visitsAlong(logic, robot, cell.x, cell.y, b, openB),
                       visitsAlong(logic, robot, cell.x, cell.y, d, straight));
    // Each turn takes exactly its weight of the hundred rolls, so weights of 0 never turn.
    int choice = 0;
    if (openA && roll < odds.a) {
        choice = a;
    } else if (openB && roll >= odds.a && roll < odds.a + odds.b) {
        choice = b;
    } else if (straight) {
        choice = d;
    } else if (openA != openB) {
        choice = openA ? a : b;
    } else {
        choice = anyOpenExit(logic, exits, d);
    }
    steerRobot(logic, cell.x, cell.y, choice, pva, robot);
}

void edgeWalk(GameLogic& logic, const ecs::Entity& entity, bool) {
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    const RobotCell cell = cellOf(logic, pva.x, pva.y);
    const int exits = logic.exitsAt(cell.x, cell.y);
    if (robot.lastDirection == 0) robot.lastDirection = randomDirection(logic);
    const int d = robot.lastDirection;
    int choice = reverseOf(d);
    for (int direction : {sideA(d), d, sideB(d)}) {
        if (exits & direction) {
            choice = direction;
            break;
        }
    }
    steerRobot(logic, cell.x, cell.y, choice, pva, robot);
}

void randomWalk(GameLogic& logic, const ecs::Entity& entity, bool) {
    const int dx = int(logic.random().nextInt(2 * kRandomWalkReach + 1)) - kRandomWalkReach;
    const int dy = int(logic.random().nextInt(2 * kRandomWalkReach + 1)) - kRandomWalkReach;
    if (dx == 0 && dy == 0) return;
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    // Tiles count down the screen as world y grows, and headings take y as "up": the target
    // lies dy tiles further along y, so the heading is taken towards -dy.
    const int heading = headingOf(float(dx), float(-dy));
    pva.heading = heading;
    pva.speed.from = pva.speed.to = robot.speed;
    // From the tile it stands on: a robot stuck among others walks at random every update, and
    // targets added to the last one would drift out of the maze.
    robot.targetTileX = tileUnderX(logic, pva.x) + dx;
    robot.targetTileY = tileUnderY(logic, pva.y) + dy;
    robot.heading = heading;
    robot.deflectionCount = 0;
}

void stationaryWalk(GameLogic&, const ecs::Entity& entity, bool) {
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    pva.speed.from = pva.speed.to = 0.0f;
    pva.heading = 0;
    robot.heading = 0;
    robot.targetTileX = robot.targetTileY = 0;
    robot.deflectionCount = 0;
}

void standFollowWalk(GameLogic& logic, const ecs::Entity& entity, bool corridor) {
    const RobotComp& robot = entity.get<RobotComp>();
    if (robot.state == 3) {
        mazeWalk(logic, entity, corridor);
        return;
    }
    if (robot.target.isValid() && followFootsteps(logic, entity, corridor)) return;
    if (corridor) {
        mazeWalk(logic, entity, corridor);
    } else {
        stationaryWalk(logic, entity, corridor);
    }
}

void fishWalk(GameLogic& logic, const ecs::Entity& entity, bool) {
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    const RobotCell cell = cellOf(logic, pva.x, pva.y);
    const int toX = robot.fishTargetX - cell.x, toY = robot.fishTargetY - cell.y;
    if (robot.wanderTimer < 0.0f || toX * toX + toY * toY <= 2) pickFishTarget(logic, robot, cell);
    const int direction = logic.chooseDirection(cell.x, cell.y, robot.fishTargetX, robot.fishTargetY, true,
                                                reverseOf(robot.lastDirection));
    if (direction != 0) {
        steerRobot(logic, cell.x, cell.y, direction, pva, robot);
    } else {
        robot.wanderTimer = 0.0f;
    }
    if (pva.heading > 0 && pva.heading < 180) switchAnimation(entity, kFishEast, true);
    if (pva.heading > 180) switchAnimation(entity, kFishWest, true);
}

void wallBounce(GameLogic& logic, const ecs::Entity& entity, bool) {
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    const bool diagonal = robot.heading == 45 || robot.heading == 135 || robot.heading == 225 || robot.heading == 315;
    if (pva.collisionValue == 0 && robot.deflectionCount <= robot.deflectionLimit && diagonal) {
        pva.speed.from = pva.speed.to = robot.speed;
        return;
    }
    // A spinner that slid along a wall up to its deflection limit no longer presses into it, so
    // the movement's value has gone back to 0; what stops its own slant now tells which wall it
    // glances off.
    int collision = pva.collisionValue;
    if (collision == 0 && diagonal) collision = logic.movementSys().valueAhead(entity, robot.heading, robot.speed);
    const int tileX = tileUnderX(logic, pva.x), tileY = tileUnderY(logic, pva.y);
    int heading = robot.heading;
    int turn = 90;
    if (!diagonal) {
        heading = 45 + 90 * int(logic.random().nextInt(4));
        turn = 0;
    } else if (tileX == robot.targetTileX && tileY == robot.targetTileY) {
        turn = 180;
    } else if (collision == 3) {
        turn = logic.random().nextInt(2) ? 90 : -90;
    } else if (heading == 45 || heading == 225) {
        turn = collision == 1 ? -90 : 90;
    } else {
        turn = collision == 2 ? -90 : 90;
    }
    heading = ((heading + turn) % 360 + 360) % 360;
    pva.heading = heading;
    pva.speed.elapsed = 0.0f;
    pva.speed.from = pva.speed.to = robot.speed;
    robot.heading = heading;
    robot.targetTileX = tileX;
    robot.targetTileY = tileY;
    robot.deflectionCount = 0;
    pva.collisionValue = 0;
    if (heading < 180) switchAnimation(entity, kSpinnerClockwise, false);
    if (heading > 180) switchAnimation(entity, kSpinnerAnticlockwise, false);
}

void bossBulletWalk(GameLogic& logic, const ecs::Entity& entity, bool) {
    PVAComp& pva = entity.get<PVAComp>();
    RobotComp& robot = entity.get<RobotComp>();
    pva.speed.from = pva.speed.to = robot.speed;
    robot.heading = pva.heading;
    if (logic.player().isValid()) {
        const PVAComp& player = logic.player().get<PVAComp>();
        robot.targetTileX = int(player.x) >> logic.params().tileShiftX;
        robot.targetTileY = int(player.y) >> logic.params().tileShiftY;
    }
    robot.deflectionCount = 0;
}

}  // namespace Zelmo
