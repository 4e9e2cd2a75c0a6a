#pragma once
#include <cstdint>
#include <vector>

#include "game/effects/BeamSegmentDef.h"

namespace Zelmo {

// A segment as it shows at one moment of its beam's timeline, ready to draw.
struct BeamSegment {
    static constexpr float kShapeExtent = 99999.0f;

    int32_t count = 1;  // times the shape is drawn over itself
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    float scale = 1.0f;
    float thickness = 1.0f;
    float angle = 0.0f;
    bool stretch = true;
    bool mirror = false;
    bool filled = false;
    uint32_t colour = 0xffffffff;  // packed ABGR: bytes r, g, b, a in memory
    // The largest absolute coordinate of a lightning segment's bolts; shapes are taken as
    // unbounded.
    float extent = kShapeExtent;
    std::vector<Polyline> polylines;
};

// The largest absolute value among all coordinates; 0 for no points.
float beamSegmentExtent(const std::vector<Polyline>& polylines);

}  // namespace Zelmo
