#include "game/world/PlayerComps.h"

namespace Zelmo {

void FootstepsComp::record(const Step& step) {
    for (Step& held : steps) {
        if (held.cellX == step.cellX && held.cellY == step.cellY) {
            held = step;
            return;
        }
    }
    steps[size_t(next)] = step;
    next = (next + 1) % int32_t(steps.size());
}

const FootstepsComp::Step* FootstepsComp::find(int32_t x, int32_t y) const {
    for (const Step& held : steps) {
        if (held.cellX == x && held.cellY == y) return &held;
    }
    return nullptr;
}

}  // namespace Zelmo
