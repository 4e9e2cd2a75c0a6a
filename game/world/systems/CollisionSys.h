#pragma once
#include "engine/ecs/System.h"
#include "game/world/EntityGrid.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

class GameLogic;

// Runs right after the movement: every moving entity with a collision box reaches the position
// the movement proposed only when its box meets no other there. Meetings are handled here: the
// player picks things up, frees prisoners, leaves by the lift and fights robots; robots bounce
// off each other and off the player's shield. Keeps two grids rebuilt every update: collision
// boxes (gridA) and hit boxes (gridB, which hostile particles, beams and strikes query).
class CollisionSys : public ecs::System {
public:
    static constexpr int kMaxEntities = 10000;

    CollisionSys() : System(ecs::componentMask<PVAComp, CBoxComp, HBoxComp>()) {}

    // Grids over the whole level in cells of 2^gridShift pixels.
    void init(int gridShift, GameLogic& logic);
    void update(float dt);

    // Registers the entity at its proposed position, or handles whom it meets there; true for a
    // meeting.
    bool handlePair(const ecs::Entity& entity);

    EntityGrid& gridA() { return m_gridA; }
    EntityGrid& gridB() { return m_gridB; }

private:
    void robotMeets(const ecs::Entity& robot, const ecs::Entity& other);

    GameLogic* m_logic = nullptr;
    EntityGrid m_gridA;
    EntityGrid m_gridB;
};

// A box of an entity moved to its proposed next position.
IntBox boxAtNext(const IntBox& box, const PVAComp& pva);
// a - b brought into -180 .. 180.
int headingDiff(int a, int b);

}  // namespace Zelmo
