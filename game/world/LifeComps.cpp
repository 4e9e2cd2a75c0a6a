#include "game/world/LifeComps.h"

namespace Zelmo {

bool markForKill(ecs::Entity entity) {
    if (entity.has<KillComp>()) return false;
    entity.add<KillComp>();
    entity.activate();
    return true;
}

void scheduleAction(const ecs::Entity& entity, int32_t code, float delayMs) {
    TimerComp& timers = entity.has<TimerComp>() ? entity.get<TimerComp>() : entity.add<TimerComp>();
    timers.codes.push_back(code);
    timers.times.push_back(delayMs);
}

}  // namespace Zelmo
