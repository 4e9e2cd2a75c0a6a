#pragma once
#include "engine/ecs/System.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"

namespace Zelmo {

// Records which way the player left each cell that is not a plain corridor (a dead end, a
// junction, or no maze node), time-stamped, so following robots can take the same way.
class FootstepSys : public ecs::System {
public:
    FootstepSys() : System(ecs::componentMask<PVAComp, FootstepsComp>()) {}
    void update(float dt);
};

}  // namespace Zelmo
