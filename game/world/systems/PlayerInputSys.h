#pragma once
#include <cstdint>

#include "data/Events_generated.h"
#include "engine/ecs/System.h"
#include "engine/events/EventReceiver.h"
#include "game/world/DisplayComps.h"
#include "game/world/MotionComps.h"
#include "game/world/PlayerComps.h"

class AppContext;

namespace Zelmo {

class GameLogic;

// Turns the held directions and the punch and shield buttons into the player's walk, poses,
// punch lunge and power punch, and keeps the entities that go with the player at its side.
// Events reach it as long as the system lives, also while the game is paused.
class PlayerInputSys : public ecs::System,
                       public EVT::EventReceiver<MoveEvent>,
                       public EVT::EventReceiver<ActionEvent> {
public:
    PlayerInputSys() : System(ecs::componentMask<PlayerComp, FireComp, PVAComp, AnimationComp>()) {}

    void init(AppContext& context, GameLogic& logic, float playerSpeed, float punchSpeed);
    void receive(const MoveEvent& event) override { onMove(event); }
    void receive(const ActionEvent& event) override { onAction(event); }
    void onMove(const MoveEvent& event);
    // 0 punch, 1 shield, 2 the power punch (which arms the punch while any are left).
    void onAction(const ActionEvent& event);
    // Lets go of every direction and button, so that a game resumed after the pause, started
    // from another screen, or started again by a new life or level, stands still; a crouch or
    // charge is dropped without a punch.
    void releaseAll();
    void update(float dt);

private:
    void control(const ecs::Entity& entity, float dt);
    void dropCharge(const ecs::Entity& entity);
    // A player joining the system, as each level's does, walks where the controls hold (pressed
    // since the level was entered).
    void takeUpHeldDirections(PlayerComp& player) const;
    // One fading after-image per 100 ms of punching.
    void leaveAfterImage(const ecs::Entity& entity, PlayerComp& player, float dt);
    // The shield entity is shown on the player while the shield pose lasts.
    void holdShield(const ecs::Entity& entity, PlayerComp& player);
    int playSound(int id);

    AppContext* m_context = nullptr;
    GameLogic* m_logic = nullptr;
    float m_playerSpeed = 0.0f;
    float m_punchSpeed = 0.0f;
    // The directions the controls hold. A direction is sent once, when pressed; one pressed as a
    // level is built is taken up by that level's player.
    int32_t m_heldDirections = 0;
};

}  // namespace Zelmo
