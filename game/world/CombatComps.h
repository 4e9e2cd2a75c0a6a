#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "game/effects/BeamSegment.h"
#include "game/effects/BeamTimeline.h"

namespace Zelmo {

// Particle emitters that belong to the entity and stop when it is destroyed.
struct EmittersComp {
    struct Slot {
        int32_t system = 0;
        int32_t emitter = 0;  // 0 is none
    };
    std::array<Slot, 8> slots{};
};

// A running beam, drawn from the entity's position plus the origin offset.
struct BeamComp {
    int32_t screenX = 0;
    int32_t screenY = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    float angle = 0.0f;       // degrees
    float length = 0.0f;      // the traced length
    float growthStep = 0.0f;  // length gained per update; 0 is not traced
    bool trace = true;
    bool killOwner = true;  // the whole entity goes when the beam ends
    int32_t type = 0;
    BeamTimeline timeline;
    std::vector<BeamSegment> segments;
};

struct LightningComp {
    int32_t strikeType = 0;
    std::vector<int32_t> boltsHit;  // bolts that hit the shield or armour in the last update
};

}  // namespace Zelmo
