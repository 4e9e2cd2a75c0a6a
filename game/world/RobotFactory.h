#pragma once
#include "engine/ecs/Entity.h"

namespace Zelmo {

class GameLogic;

// The two combat outcomes every damage source shares. (Building robots from their kinds' data
// belongs here too.)
class RobotFactory {
public:
    // A hit from heading degrees at the world point (x, y): knock-back divided by the robot's
    // mass, damage, sparks and the kind's reaction; a robot whose health runs out is destroyed.
    // A robot already dead is left alone.
    static void robotHit(GameLogic& logic, const ecs::Entity& robot, int heading, float x, float y, float knockBack,
                         float damage);
    // Emitters stopped, an explosion, the robot shattered and what it leaves behind; once only,
    // however many blows land in one update.
    static void robotDestroyed(GameLogic& logic, const ecs::Entity& robot);
};

}  // namespace Zelmo
