#pragma once
#include "engine/ecs/System.h"
#include "engine/vector/ShapeGeometry.h"
#include "game/world/CombatComps.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerDamage.h"

namespace Zelmo {

class GameLogic;

// Decides what each bolt of a lightning strike hits, once an update: a wall stops it; the
// player's shield catches it (the bolt then stays pinned to the shield's centre while the shield
// is up) when the shield faces it; the armour takes it; otherwise the player takes the strike's
// damage, once for every bolt that ends in the player.
class LightningSys : public ecs::System {
public:
    LightningSys() : System(ecs::componentMask<PVAComp, LightningComp>()) {}
    // Without a damage handler strikes still count against the player but hurt nothing.
    void init(GameLogic* logic, PlayerDamage damage);
    void update(float dt);
    void strikeHit(const ecs::Entity& strike, const ecs::Entity& player);

    // Whether a shield with that facing (16 up, 32 down, 48 left, 64 right) blocks a bolt
    // travelling at the heading (whole degrees, 0 along +y, 90 along +x).
    static bool shieldBlocks(int facing, int heading);

private:
    GameLogic* m_logic = nullptr;
    PlayerDamage m_damage;
};

}  // namespace Zelmo
