#pragma once

#include "engine/vg/Path.h"

namespace vg {

// Twice the signed area; positive for points that run clockwise on a screen whose y grows
// downward.
float signedArea2(const Point* points, uint32_t count);

// True for a simple convex polygon: every corner turns the same way and the outline goes round
// exactly once (so a star, whose corners all turn alike, is not convex).
bool isConvex(const Point* points, uint32_t count);

}  // namespace vg
