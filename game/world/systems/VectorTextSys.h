#pragma once
#include "engine/ecs/System.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameView.h"

namespace Zelmo {

// Places text entities by percent of the window, counts down their lives, moves the sweep of
// revealed texts once an update and has the game view lay them out glyph by glyph. Texts are
// not tested against the camera: they stand in window space.
class VectorTextSys : public ecs::System {
public:
    VectorTextSys() : System(ecs::componentMask<TextComp, VectorComp>()) {}
    void update(float dt);
    // One update's step of a revealing sweep across its box, line by line downward.
    static void moveSweep(VectorScopeComp& scope);
};

}  // namespace Zelmo
