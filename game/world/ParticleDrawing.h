#pragma once
#include "engine/vector/ShapeGeometry.h"
#include "engine/vector/VectorDisplay.h"

namespace Zelmo {

// Draws every live particle of the four particle systems on the display, through the camera
// (world units) and the zooms (display pixels per world unit). Drawing changes nothing: the
// game's step tests the hostile ones against the player and the walls (collideHostileParticles).
void drawParticles(VectorDisplay& display, const IntBox& camera, float zoomX, float zoomY);

}  // namespace Zelmo
