#pragma once

// The state of a sweeping reveal: a line at sweep y, filled in up to sweep x, shows the parts of
// a shape on one side of it; where a drawn segment crosses the line a beam joins the crossing to
// a fixed end point, like a scanning electron beam. Owners move the sweep every update.

#include <cstdint>

struct ScopeSweep {
    float sweepX = 0.0f;
    float sweepY = 0.0f;
    float beamEndX = 0.0f;
    float beamEndY = 0.0f;
    uint32_t beamColour = 0;  // packed ABGR
    // Set: the parts at y >= sweep y are shown; clear: the parts at y <= sweep y.
    bool upperSide = false;
};
