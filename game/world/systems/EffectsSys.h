#pragma once
#include "engine/ecs/System.h"
#include "game/world/FXsComp.h"

namespace Zelmo {

// Runs every entity's tween chains.
class EffectsSys : public ecs::System {
public:
    EffectsSys() : System(ecs::componentMask<FXsComp>()) {}
    void update(float dt);
};

}  // namespace Zelmo
