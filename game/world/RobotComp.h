#pragma once
#include <cstdint>

#include "engine/ecs/Entity.h"

namespace Zelmo {

// A robot's state. The robot factory fills in the rest of its tuning from the robot kinds.
struct RobotComp {
    int32_t type = 0;
    int32_t hitSound = 20;
    int32_t deathSound = 23;
    int32_t state = 0;  // 0 walking, 1 knocked back, 2 firing and halted, 3 firing while walking
    float mass = 1.0f;
    float knockBackSpeed = 0.0f;
    int32_t knockBackAngle = 0;
    float knockBackDecay = 0.96f;
    float health = 100.0f;
    // The sparks where the robot's beam hits, kept at the hit point relative to the robot.
    int32_t impactEmitter = 0;
    float impactX = 0.0f;
    float impactY = 0.0f;
    int32_t weaponEmitter = 0;  // in the hostile particle system
    ecs::Entity carried;        // the power-up box a carrier drops
};

}  // namespace Zelmo
