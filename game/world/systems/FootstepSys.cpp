#include "game/world/systems/FootstepSys.h"

#include "game/world/GameLogic.h"

namespace Zelmo {

void FootstepSys::update(float) {
    const GameLogic* logic = owner<GameLogic>();
    if (!logic) return;
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) {
        const PVAComp& pva = entity.get<PVAComp>();
        FootstepsComp& footsteps = entity.get<FootstepsComp>();
        float cellX = pva.x, cellY = pva.y;
        logic->worldToCellFloat(cellX, cellY);
        const float oldX = float(footsteps.cellX), oldY = float(footsteps.cellY);
        if (cellX == oldX && cellY == oldY) continue;
        // A corridor cell has one way on; only cells with a choice are worth remembering.
        if (logic->exitCount(footsteps.cellX, footsteps.cellY) != 2) {
            const int direction = cellY > oldY ? 2 : cellY < oldY ? 1 : cellX > oldX ? 4 : 8;
            footsteps.record({footsteps.cellX, footsteps.cellY, direction, logic->elapsed()});
        }
        footsteps.cellX = int(cellX);
        footsteps.cellY = int(cellY);
    }
}

}  // namespace Zelmo
