#include "game/world/RobotComp.h"

#include "game/world/GameLogic.h"

namespace Zelmo {

void RobotComp::recordJunctionVisit(const GameLogic& logic, int cellX, int cellY) {
    if (junctions.empty()) return;
    const int exits = logic.exitsAt(cellX, cellY);
    if (exits != 7 && exits != 11 && exits != 13 && exits != 14 && exits != 15) return;
    for (JunctionVisit& visit : junctions) {
        if (visit.x == cellX && visit.y == cellY) {
            visit.count += 1;
            return;
        }
    }
    junctions[size_t(junctionCursor)] = {cellX, cellY, 1};
    junctionCursor = (junctionCursor + 1) % int32_t(junctions.size());
}

int RobotComp::junctionVisits(int cellX, int cellY) const {
    for (const JunctionVisit& visit : junctions) {
        if (visit.x == cellX && visit.y == cellY) return visit.count;
    }
    return 0;
}

}  // namespace Zelmo
