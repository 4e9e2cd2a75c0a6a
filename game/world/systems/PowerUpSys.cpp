#include "game/world/systems/PowerUpSys.h"

#include <array>
#include <cstdint>
#include <vector>

#include "game/vector/AnimId.h"
#include "game/world/GameLogic.h"

namespace Zelmo {
namespace {

constexpr int kPosePunch = 4;
constexpr int kAheadPercent = 70;

// Per facing (up, down, left, right): the ahead direction's signs and the exit bits straight
// on, after a turn of -90 and after one of +90.
struct Facing {
    int signX;
    int signY;
    int straight;
    int left;
    int right;
};
constexpr std::array<Facing, 4> kFacings = {{
    {0, 1, 2, 8, 4},
    {0, -1, 1, 4, 8},
    {-1, 0, 8, 1, 2},
    {1, 0, 4, 2, 1},
}};

struct Punch {
    uint32_t anim;
    int32_t lastDirection;
};

Punch punchFacing(int heading) {
    if (heading >= 45 && heading <= 135) return {AnimIds::KROMB_RT_PUNCH, 8};
    if (heading > 135 && heading <= 225) return {AnimIds::KROMB_DN_PUNCH, 2};
    if (heading > 225 && heading <= 315) return {AnimIds::KROMB_LF_PUNCH, 4};
    return {AnimIds::KROMB_UP_PUNCH, 1};
}

bool isShallow(int depth) { return depth >= 1 && depth <= 3; }

}  // namespace

void PowerUpSys::init(GameLogic& logic) { m_logic = &logic; }

void PowerUpSys::update(float dt) {
    if (!m_logic) return;
    const Maze::LevelParams& params = m_logic->params();
    const int aheadX = int(double(params.cellWidthTiles << params.tileShiftX) * kAheadPercent / 100.0);
    const int aheadY = int(double(params.cellHeightTiles << params.tileShiftY) * kAheadPercent / 100.0);
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) steer(entity, dt, aheadX, aheadY);
}

void PowerUpSys::steer(const ecs::Entity& entity, float dt, int aheadX, int aheadY) {
    PlayerComp& player = entity.get<PlayerComp>();
    if ((player.stateCode & 0xf) != kPosePunch || player.dashTime == 0.0f) {
        player.dashing = false;
        return;
    }
    // The update in which the dash runs out still steers.
    player.dashTime = player.dashTime - dt < 0.0f ? 0.0f : player.dashTime - dt;

    PVAComp& pva = entity.get<PVAComp>();
    const int facingIndex = (player.stateCode >> 4) - 1;
    const Facing& facing = kFacings[size_t(facingIndex >= 0 && facingIndex < 4 ? facingIndex : 0)];
    int cellX = int(pva.x), cellY = int(pva.y);
    m_logic->worldToCell(cellX, cellY);
    const int pointX = int(pva.x) + facing.signX * aheadX;
    const int pointY = int(pva.y) + facing.signY * aheadY;
    const IntBox maze = m_logic->mazeBounds();
    const bool inside = pointX >= maze.x && pointX < maze.x + maze.w && pointY >= maze.y && pointY < maze.y + maze.h;
    int aheadCellX = pointX, aheadCellY = pointY;
    m_logic->worldToCell(aheadCellX, aheadCellY);
    if (aheadCellX == cellX && aheadCellY == cellY && inside && !player.dashing) return;

    const int exits = m_logic->exitsAt(cellX, cellY);
    const bool straight = (exits & facing.straight) != 0 && !player.dashing;
    player.dashing = false;
    const int turn = straight ? 0 : chooseTurn(player, cellX, cellY, facing.left, facing.right, exits);

    pva.heading = ((pva.heading + turn) % 360 + 360) % 360;
    const Punch punch = punchFacing(pva.heading);
    player.lastDirection = punch.lastDirection;
    if (turn == 0) return;
    AnimationComp& animation = entity.get<AnimationComp>();
    animation.animation = int32_t(punch.anim);
    animation.frameTime = 0;
    player.setState(punch.anim);
    player.placeChargeEmitters(pva.x, pva.y, 1);
}

int PowerUpSys::chooseTurn(PlayerComp& player, int cellX, int cellY, int left, int right, int exits) {
    const bool hasLeft = (exits & left) != 0;
    const bool hasRight = (exits & right) != 0;
    if (hasLeft && hasRight) {
        bool leftShallow = false, rightShallow = false;
        for (const auto& [direction, depth] : m_logic->corridorsFrom(cellX, cellY, -1)) {
            if (direction == left && isShallow(depth)) leftShallow = true;
            if (direction == right && isShallow(depth)) rightShallow = true;
        }
        if (leftShallow != rightShallow) return leftShallow ? 90 : -90;
        return m_logic->random().nextInt(2) == 0 ? 90 : -90;
    }
    if (hasLeft) return -90;
    if (hasRight) return 90;
    // A dead end: run on into the end wall, where the punch stops.
    player.dashing = true;
    return 0;
}

}  // namespace Zelmo
