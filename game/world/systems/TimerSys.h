#pragma once
#include "engine/ecs/System.h"
#include "game/world/LifeComps.h"

namespace Zelmo {

class GameLogic;

// Counts down every timed action and runs those that expire, last thing in an update.
class TimerSys : public ecs::System {
public:
    TimerSys() : System(ecs::componentMask<TimerComp>()) {}
    void update(float dt);
    static void runAction(GameLogic& logic, ecs::Entity entity, int32_t code);
};

}  // namespace Zelmo
