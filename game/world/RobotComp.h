#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "engine/ecs/Entity.h"

namespace Zelmo {

class GameLogic;

// A walk behaviour picks the robot's next heading; the corridor flag tells it that the robot
// stands in a plain corridor cell. A scan behaviour looks for the player and fires; with the fire
// flag it only re-aims a beam that is already out.
using WalkMode = void (*)(GameLogic& logic, const ecs::Entity& robot, bool corridor);
using ScanMode = void (*)(GameLogic& logic, const ecs::Entity& robot, bool fire);

// A robot's state. The robot factory fills in its tuning from the robot kinds.
struct RobotComp {
    struct JunctionVisit {
        int32_t x = 0;
        int32_t y = 0;
        int32_t count = 0;
    };

    explicit RobotComp(int junctionMemory = 5) : junctions(size_t(junctionMemory > 0 ? junctionMemory : 0)) {}

    // Counts a visit to a junction (three or more exits); other cells are not remembered.
    void recordJunctionVisit(const GameLogic& logic, int cellX, int cellY);
    int junctionVisits(int cellX, int cellY) const;

    int32_t type = 0;
    int32_t hitSound = 20;
    int32_t deathSound = 23;
    int32_t state = 0;  // 0 walking, 1 knocked back, 2 firing and halted, 3 firing while walking
    float mass = 1.0f;
    float knockBackSpeed = 0.0f;
    int32_t knockBackAngle = 0;
    float knockBackDecay = 0.96f;
    // The sparks of the last hit, kept at the hit point relative to the robot.
    int32_t impactEmitter = 0;
    float impactX = 0.0f;
    float impactY = 0.0f;
    float health = 100.0f;
    int32_t weaponEmitter = 0;  // in the hostile particle system
    ecs::Entity carried;        // the power-up box a carrier drops
    ecs::Entity target;         // the player, for kinds that hunt

    float footstepMemory = 10.0f;  // seconds; 0 follows footsteps of any age
    float footstepSpeed = 5.0f;
    bool followingFootsteps = false;
    bool followedLastTime = false;

    int32_t deadEndLimit = 2;
    std::vector<JunctionVisit> junctions;
    int32_t junctionCursor = 0;

    int32_t targetTileX = 0;
    int32_t targetTileY = 0;
    int32_t fishTargetX = 0;
    int32_t fishTargetY = 0;
    float wanderTimer = 0.0f;  // ms

    float speed = 4.0f;
    int32_t heading = 0;  // degrees, as last chosen by a behaviour
    int32_t cellShift = 0;
    int32_t deflectionCount = 0;
    int32_t deflectionLimit = 100;
    int32_t lastDirection = 0;  // exit bit
    // Turn A and turn B when straight on is open, then when it is blocked.
    std::array<int32_t, 4> mazeWeights{20, 20, 40, 40};

    WalkMode walk = nullptr;
    int32_t pathSearchSteps = 0;
    int32_t pathLimit = 0;
    ScanMode scan = nullptr;
    float attentionWindow = 1.0f;  // ms
    float scanTimer = 0.0f;
    float fireTimer = 999999.0f;
    float scanInterval = 0.0f;
    float refireInterval = 999999.0f;
    float turnTime = 10.0f;  // ms per degree
    int32_t sightRange = 7;
    int32_t weaponKind = 1;  // 1 beam, 2 lightning, 3 hostile particles, 4 beam and particles
    int32_t beamType = 0;
    int32_t strikeType = 0;
    int32_t particleDef = 0;
    bool firesWhileWalking = false;
    int32_t muzzleX = 0;
    int32_t muzzleY = 0;
};

}  // namespace Zelmo
