#pragma once
#include "engine/vector/ShapeGeometry.h"
#include "engine/vector/VectorDisplay.h"

namespace Zelmo {

class GameLogic;

// Draws every live particle of the four particle systems on the display, through the camera
// (world units) and the zooms (display pixels per world unit); hostile particles are tested
// against the player's armour, shield, body and the walls as they are placed.
void drawParticles(GameLogic& logic, VectorDisplay& display, const IntBox& camera, float zoomX, float zoomY);

}  // namespace Zelmo
