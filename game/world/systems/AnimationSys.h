#pragma once
#include "engine/ecs/System.h"
#include "engine/vector/GameVectors.h"
#include "game/world/DisplayComps.h"

namespace Zelmo {

// Steps animated entities through the frames of their animations, and keeps their drawing,
// collision and hit boxes in step with the shape shown.
class AnimationSys : public ecs::System {
public:
    explicit AnimationSys(const GameVectors& library = GameVectors::instance())
        : System(ecs::componentMask<AnimationComp, VectorComp>()), m_library(library) {}
    void update(float dt);

private:
    void animate(const ecs::Entity& entity, float dt);

    const GameVectors& m_library;
};

}  // namespace Zelmo
