#include "game/world/systems/TimerSys.h"

#include "engine/data/Globals.h"
#include "engine/psys/System.h"
#include "game/config/Settings.h"
#include "game/effects/ParticleSystems.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/PlayerComps.h"
#include "game/world/RobotComp.h"
#include "game/world/RobotFactory.h"

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

// A latched clawer's time is up: it bursts, hurting the player it clings to, and its pieces fly
// the way the player runs.
void burstClawer(GameLogic& logic, const ecs::Entity& clawer) {
    if (!clawer.has<LinkedPVAComp>() || !clawer.has<RobotComp>()) return;
    const ecs::Entity player = clawer.get<LinkedPVAComp>().source;
    if (!player.isValid() || !player.has<PlayerComp>()) return;
    const PVAComp& pva = player.get<PVAComp>();
    RobotComp& state = clawer.get<RobotComp>();
    state.knockBackAngle = pva.heading;
    state.knockBackSpeed = tweenStepValue(pva.speed);
    RobotFactory::robotDestroyed(logic, clawer);
    PlayerComp& target = player.get<PlayerComp>();
    if (target.health <= 0.0f) return;
    PlayerComp::takeDamage(player, Globals::getFloat("CLAWERDAMAGE") * getOptionValue("CLAWER_DMG"));
    if (target.health > 0.0f) return;
    logic.shatter(player.get<VectorComp>().shape, int(pva.x), int(pva.y), 1000.0f, target.lastDirection, 0.0f,
                  target.drawScale, true);
    const ecs::Entity burst = logic.createBeamEffect(12, pva.x, pva.y, 0.0f, 100.0f, 0.0f, false);
    burst.get<BeamComp>().killOwner = true;
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
        case kActionClawerBurst:
            burstClawer(logic, entity);
            break;
        case kActionLoseLife:
            logic.loseLife();
            break;
        default:
            break;
    }
}

}  // namespace Zelmo
