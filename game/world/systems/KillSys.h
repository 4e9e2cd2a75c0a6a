#pragma once
#include "engine/ecs/System.h"
#include "game/world/LifeComps.h"

namespace Zelmo {

class GameLogic;

// Removes the entities marked with a KillComp, first thing in an update, stopping their sound.
class KillSys : public ecs::System {
public:
    KillSys() : System(ecs::componentMask<KillComp>()) {}
    void update(float dt);
};

}  // namespace Zelmo
