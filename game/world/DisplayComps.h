#pragma once
#include <cstdint>
#include <string>

#include "engine/vector/ScopeSweep.h"
#include "game/vector/PolyComp.h"
#include "game/world/MotionComps.h"

namespace Zelmo {

struct AnimationComp {
    int32_t animation = 0;
    int32_t frame = 0;
    int32_t frameTime = 0;  // ms into the frame
    float speed = 1.0f;
    bool advanceNow = false;
};

// One vector shape. Colours are packed ABGR; 0 is the shape's own colour.
struct VectorComp {
    int32_t screenX = 0;
    int32_t screenY = 0;
    int32_t shape = 0;
    int32_t shapeSet = 0;
    uint32_t colour = 0;
    float scale = 1.0f;
    float angle = 0.0f;  // degrees
    float thickness = 1.0f;
    bool filled = false;
    float lifetime = 0.0f;  // ms; 0 is unlimited
};

// A line of text placed in percent of the window.
struct TextComp {
    std::string text;
    float x = 0.0f;
    float y = 0.0f;
};

// A text revealed by a sweeping line inside its box.
struct VectorScopeComp {
    ScopeSweep sweep{};
    IntBox box;
    float sweepSpeedX = 0.0f;  // per update
    float sweepSpeedY = 0.0f;
};

// How the entity shows on the minimap: its drawing in shape set 2 (none there: not shown); a
// map terminal also keeps the maze cell it serves.
struct MazeMapDisplayComp {
    int32_t shape = 0;
    int32_t cellX = 0;
    int32_t cellY = 0;
};

// The zapped look; on the player also the boss charge.
struct ZappedComp {
    int32_t kind = 0;
    float remaining = 0.0f;  // ms
    float factorFrom = 1.0f;
    float factorTo = 1.0f;
};

}  // namespace Zelmo
