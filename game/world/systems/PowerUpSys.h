#pragma once
#include "engine/ecs/System.h"
#include "game/world/DisplayComps.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"

namespace Zelmo {

class GameLogic;

// Steers the dash of a power punch through the maze: straight on while the way is open, a
// quarter turn where it closes, away from short dead-end branches at a T.
class PowerUpSys : public ecs::System {
public:
    PowerUpSys() : System(ecs::componentMask<PlayerComp, PVAComp, AnimationComp>()) {}

    void init(GameLogic& logic);
    void update(float dt);

private:
    void steer(const ecs::Entity& entity, float dt, int aheadX, int aheadY);
    // +90, -90, or 0 (with the dash flag set) at a dead end.
    int chooseTurn(PlayerComp& player, int cellX, int cellY, int left, int right, int exits);

    GameLogic* m_logic = nullptr;
};

}  // namespace Zelmo
