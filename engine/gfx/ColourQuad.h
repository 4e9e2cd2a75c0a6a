#pragma once

// The flat-coloured rectangle the menus share, drawn with the one process-wide colour program.

#include <cstdint>

#include "engine/gfx/Handles.h"

namespace Game {

// Loads "vtx-color" for both stages (stops the process when it cannot) / releases it.
void createColourProgram();
void destroyColourProgram();

// x0..x1 by y0..y1 in pixels of a width x height view, y growing upwards. Sets the view's
// rectangle to the whole view and its projection to those pixels. Draws nothing when the frame
// has no room left for four transient vertices.
void drawColourQuad(gfx::ViewId view, int width, int height, float x0, float y0, float x1, float y1, uint32_t abgr);

// In percent of the view, from its top-left corner.
struct PercentRect {
    int x;
    int y;
    int width;
    int height;
};

void drawColourRect(gfx::ViewId view, int width, int height, uint32_t abgr, const PercentRect& rect);

}  // namespace Game
