#pragma once
#include "engine/ecs/System.h"
#include "game/vector/PolyComp.h"
#include "game/world/GameView.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

// Counts down the lives of polygon entities, removing the spent ones at once, and queues the
// ones the camera sees on the game view.
class PolyDisplaySys : public ecs::System {
public:
    PolyDisplaySys() : System(ecs::componentMask<PVAComp, PolyComp, BBoxComp>()) {}
    void update(float dt);
};

}  // namespace Zelmo
