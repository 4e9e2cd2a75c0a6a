#pragma once
#include <functional>

#include "engine/ecs/System.h"
#include "game/world/CombatComps.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerDamage.h"

namespace Zelmo {

class GameLogic;

// Runs every beam: grows a traced beam through the level's collision grid and the entities' hit
// boxes, flashes what it hits, keeps sparks at the hit point of a robot's beam, advances the
// beam's timeline, queues the beam on the game view while the camera sees it, and ends the beam
// (or its whole entity) when the timeline is over.
class BeamSys : public ecs::System {
public:
    // Where a beam meets a hit box: the first entity whose hit box overlaps the box, or an
    // invalid handle.
    using HitFinder = std::function<ecs::Entity(const IntBox&)>;

    // What stopped a beam in its last trace.
    enum HitKind : int32_t {
        kHitNothing = 0,
        kHitWall = 3,
        kHitPlayer = 4,
        kHitShield = 5,
        kHitArmour = 6,
        kHitRobot = 7
    };

    BeamSys() : System(ecs::componentMask<PVAComp, BeamComp>()) {}
    // Without a hit finder beams pass through every entity and stop only at walls; without a
    // damage handler they stop at the player and flash it but hurt nothing.
    void init(GameLogic* logic, HitFinder findHit, PlayerDamage damage);
    void update(float dt);

    // The beam's bounds (x, y, w, h relative to its origin) meet the camera; touching counts.
    static bool onScreen(int originX, int originY, const float (&bounds)[4], const IntBox& camera);

    void hitPlayer(const BeamComp& beam, const ecs::Entity& player);
    void hitShield(const BeamComp& beam, const ecs::Entity& shield);
    void hitArmour(const BeamComp& beam, const ecs::Entity& armour);
    void hitRobot(const BeamComp& beam, const ecs::Entity& robot);

private:
    // Grows the beam by its step, probing sub-cell by sub-cell; the kind of what stopped it and
    // the probe point that met it.
    HitKind trace(const ecs::Entity& entity, BeamComp& beam, int originX, int originY, int& px, int& py);
    HitKind hitEntity(const ecs::Entity& hit, const BeamComp& beam, bool fish);
    void renewSparks(const ecs::Entity& entity, const BeamComp& beam, HitKind kind, int px, int py);
    void end(ecs::Entity entity, BeamComp& beam);

    GameLogic* m_logic = nullptr;
    HitFinder m_findHit;
    PlayerDamage m_damage;
};

}  // namespace Zelmo
