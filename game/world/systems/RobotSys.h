#pragma once
#include "engine/ecs/System.h"
#include "game/world/MotionComps.h"
#include "game/world/RobotComp.h"

namespace Zelmo {

class GameLogic;

// Drives every robot each update: plays out knock-backs, holds zapped robots, keeps firing
// robots firing, asks the walk behaviour for a new heading when the robot reaches the cell it
// was heading for (or is stuck), runs the scan behaviour on its timer while the robot has lately
// been on screen, and keeps the robot's particle emitters on it. The owner is the game logic.
class RobotSys : public ecs::System {
public:
    RobotSys() : System(ecs::componentMask<PVAComp, RobotComp>()) {}
    void update(float dt);

    // Fires the robot's weapon at a world point and halts it unless it fires while walking.
    static void fire(GameLogic& logic, const ecs::Entity& robot, float x, float y);

private:
    void knockBack(GameLogic& logic, const ecs::Entity& robot, float dt);
    void keepFiring(GameLogic& logic, const ecs::Entity& robot, float dt);
    void walk(GameLogic& logic, const ecs::Entity& robot, int tileX, int tileY, float dt);
    void placeEmitters(const ecs::Entity& robot);
    void switchWalkAnimation(const ecs::Entity& robot);
};

}  // namespace Zelmo
