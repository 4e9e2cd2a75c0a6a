#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/ecs/Entity.h"

namespace Zelmo {

// Which way the player left each recent cell that is not a plain corridor, in a ring.
struct FootstepsComp {
    struct Step {
        int32_t cellX = -1;
        int32_t cellY = -1;
        int32_t direction = 0;  // exit bit
        float time = 0.0f;      // game time, ms
    };

    explicit FootstepsComp(int count = 50) : steps(size_t(count > 0 ? count : 1)) {}

    // Overwrites the entry of the same cell, else the oldest slot.
    void record(const Step& step);
    // The entry of a cell, or null.
    const Step* find(int32_t cellX, int32_t cellY) const;

    int32_t cellX = 0;
    int32_t cellY = 0;
    std::vector<Step> steps;
    int32_t next = 0;
};

// The player's fire buttons.
struct FireComp {
    int32_t value1 = 0;
    int32_t value2 = 1000;
    bool power = false;
    std::array<bool, 2> wasDown{};
    std::array<bool, 2> isDown{};
};

struct PlayerComp {
    static constexpr int kChargeEmittersPerDirection = 16;
    // The looping sound played while the armour lasts.
    static constexpr int kArmourHum = 17;

    // The charge effect of the facing direction at (x, y): mode > 0 starts it, mode < 0 stops
    // it, 0 only moves it; the other directions are emptied.
    void placeChargeEmitters(float x, float y, int mode);
    void stopChargeEmitters();
    // Every damage to the player comes here. Nothing while punching; a player already dead
    // takes no more, so a death is handled once however many hits land.
    static void takeDamage(const ecs::Entity& player, float damage);
    // Facing in the high nibble (16 up, 32 down, 48 left, 64 right), pose in the low one (0 stand,
    // 1 run, 2 shield, 3 crouch or charge, 4 punch). A drawing that is not one of the player's
    // is a fatal stop.
    static int32_t stateFromAnim(uint32_t animation);
    // Leaving the punch pose ends any dash.
    void setState(uint32_t animation);

    int32_t heldDirections = 0;
    int32_t lastDirection = 0;
    float health = 1000.0f;
    float maxHealth = 1000.0f;
    float rechargeTimer = 0.0f;
    float rechargeDelay = 2000.0f;
    float rechargeSpeed = 500.0f;
    float drawScale = 0.6f;
    float trailTimer = 0.0f;
    int32_t glowEmitter = 0;
    std::array<int32_t, 2> bodyEmitters{};
    int32_t voice = 0;
    int32_t armourVoice = 0;
    bool chargeEmittersOn = false;
    std::array<std::array<int32_t, kChargeEmittersPerDirection>, 4> chargeEmitters{};
    std::array<ecs::Entity, 4> directionEntities;
    int32_t stateCode = 0;
    ecs::Entity shield;
    ecs::Entity armour;
    int32_t powerPunches = 0;
    float dashTime = 0.0f;
    bool dashing = false;
    int32_t pendingStrikes = 0;
};

}  // namespace Zelmo
