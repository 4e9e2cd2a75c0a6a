#pragma once
#include <cstdint>
#include <vector>

#include "engine/ecs/Entity.h"

namespace Zelmo {

// A looping sound played while the entity is on screen.
struct SoundComp {
    int32_t sound = 0;  // 0 is none
    int32_t voice = 0;  // 0 is not playing
    float stopDelay = 300.0f;  // ms off screen before it stops
};

// Marks the entity for removal at the start of the next update.
struct KillComp {};

// An entity dies once: false, changing nothing, when it is already marked for removal.
bool markForKill(ecs::Entity entity);

// Timed actions: codes with their remaining ms, in parallel. A time of exactly 0 never fires.
struct TimerComp {
    std::vector<int32_t> codes;
    std::vector<float> times;
};

// Timed action codes.
enum TimedAction : int32_t {
    kActionGiveBoxes = 0,
    kActionArmourOff = 1,
    kActionClawerBurst = 2,
    kActionLoseLife = 3,
};

// Appends a timed action, adding the timer component first when the entity has none.
void scheduleAction(const ecs::Entity& entity, int32_t code, float delayMs);

// The clamped point the camera was last centred on.
struct CameraComp {
    int32_t x = 0;
    int32_t y = 0;
};

}  // namespace Zelmo
