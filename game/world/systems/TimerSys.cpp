#include "game/world/systems/TimerSys.h"

#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"

namespace Zelmo {

void TimerSys::update(float dt) {
    GameLogic* logic = owner<GameLogic>();
    for (const ecs::Entity& entity : std::vector<ecs::Entity>(entities())) {
        if (!entity.has<TimerComp>()) continue;
        TimerComp& timers = entity.get<TimerComp>();
        size_t i = 0;
        while (i < timers.times.size()) {
            if (timers.times[i] == 0.0f) {
                ++i;
                continue;
            }
            timers.times[i] -= dt;
            if (timers.times[i] > 0.0f) {
                ++i;
                continue;
            }
            const int32_t code = timers.codes[i];
            timers.times.erase(timers.times.begin() + long(i));
            timers.codes.erase(timers.codes.begin() + long(i));
            if (logic) runAction(*logic, entity, code);
        }
    }
}

// The armour's and the clawer's actions arrive with the player's power-ups and the robots.
void TimerSys::runAction(GameLogic& logic, ecs::Entity entity, int32_t code) {
    switch (code) {
        case kActionGiveBoxes: {
            const VectorComp& vector = entity.get<VectorComp>();
            addHitBoxes(entity, vector.shape, vector.scale);
            entity.activate();
            break;
        }
        case kActionLoseLife:
            logic.loseLife();
            break;
        default:
            break;
    }
}

}  // namespace Zelmo
