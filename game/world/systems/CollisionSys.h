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
    // Contact and punches between the player and a robot: damage and knock-back.
    void playerVsRobot(const ecs::Entity& player, const ecs::Entity& robot);
    void openPowerUpBox(const ecs::Entity& player, const ecs::Entity& box);
    void pickUpArmour(const ecs::Entity& player, const ecs::Entity& item);
    void pickUpFish(const ecs::Entity& player, const ecs::Entity& item);
    void pickUpFist(const ecs::Entity& player, const ecs::Entity& item);
    void reachLift(const ecs::Entity& player, const ecs::Entity& lift);
    // The entity stops being hit by beams, strikes and shots.
    void removeHitBox(ecs::Entity entity, bool reactivate);

    EntityGrid& gridA() { return m_gridA; }
    EntityGrid& gridB() { return m_gridB; }

private:
    void playerMeets(const ecs::Entity& entity, const ecs::Entity& player, const ecs::Entity& other);
    void othersMeet(const ecs::Entity& entity, const ecs::Entity& other);
    void robotMeets(const ecs::Entity& robot, const ecs::Entity& other);
    void punch(const ecs::Entity& player, const ecs::Entity& robot, const IntBox& robotBox);
    void touch(const ecs::Entity& player, const ecs::Entity& robot);
    void latchClawer(const ecs::Entity& player, ecs::Entity clawer);

    GameLogic* m_logic = nullptr;
    EntityGrid m_gridA;
    EntityGrid m_gridB;
};

// A box of an entity moved to its proposed next position.
IntBox boxAtNext(const IntBox& box, const PVAComp& pva);
// a - b brought into -180 .. 180.
int headingDiff(int a, int b);

}  // namespace Zelmo
