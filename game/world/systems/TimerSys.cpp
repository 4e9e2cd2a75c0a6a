#include "game/world/systems/TimerSys.h"

#include "engine/psys/System.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/PlayerComps.h"

namespace Zelmo {
namespace {

void endArmour(GameLogic& logic, const ecs::Entity& player) {
    PlayerComp& state = player.get<PlayerComp>();
    for (int32_t id : state.bodyEmitters) {
        if (PSys::ParticleEmitter* emitter = particleSystem(kEffectsSystem)->findEmitter(id)) emitter->def.rate = 0;
    }
    state.armour.deactivate();
    if (state.armourVoice != 0) {
        logic.stopSound(state.armourVoice);
        state.armourVoice = 0;
    }
}

}  // namespace

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

// The clawer's burst arrives with the robots, whose destruction and damage to the player it uses.
void TimerSys::runAction(GameLogic& logic, ecs::Entity entity, int32_t code) {
    switch (code) {
        case kActionGiveBoxes: {
            const VectorComp& vector = entity.get<VectorComp>();
            addHitBoxes(entity, vector.shape, vector.scale);
            entity.activate();
            break;
        }
        case kActionArmourOff:
            endArmour(logic, entity);
            break;
        case kActionLoseLife:
            logic.loseLife();
            break;
        default:
            break;
    }
}

}  // namespace Zelmo
