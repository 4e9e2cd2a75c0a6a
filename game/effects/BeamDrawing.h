#pragma once

// Drawing a beam's evaluated segments along the beam: outlines as glowing lines on a vector
// display, and the segments flagged filled as translucent polygons on a renderer view.

#include <vector>

#include "engine/gfx/Handles.h"
#include "game/effects/BeamSegment.h"

class FillBatch;
class VectorDisplay;

namespace Zelmo {

// (x, y): the beam's origin on the display; beamAngle: its direction in degrees, 0 up and
// clockwise from there; zoom: the renderer's zoom; alongScale: zoom × the beam's length, by
// which stretched segments are drawn along the beam. The display's thickness is left as it was.
void drawBeamSegments(VectorDisplay& display, float x, float y, float beamAngle, float alongScale, float zoom,
                      const std::vector<BeamSegment>& segments);

// Each polyline of three or more corners is filled once as a triangle strip (the outline should
// be convex), always stretched along the beam's length. The view draws y upward; z must lie
// within its depth range (0 is, for every view the game draws fills on). The fill colour is the
// segment's colour bytes r, g, b, a read most significant first, as the shapes' fills take
// theirs. A polygon that no longer fits in the frame's transient buffers is left out of that
// frame.
void drawBeamSegmentFilled(gfx::ViewId view, gfx::ProgramHandle program, float x, float y, float z, float zoom,
                           float beamAngle, float length, const BeamSegment& segment);
// The same fills gathered into a batch, to be drawn in one go (FillBatch::submit).
void drawBeamSegmentFilled(FillBatch& batch, float x, float y, float z, float zoom, float beamAngle, float length,
                           const BeamSegment& segment);

}  // namespace Zelmo
