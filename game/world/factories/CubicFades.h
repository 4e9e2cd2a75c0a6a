#pragma once
#include <cstdint>

#include "game/world/FXsComp.h"

namespace Zelmo {

// One-step chains easing in cubically, the way pieces, doors and rescues fade and turn.
// The colour keeps its hue and loses its alpha.
void fadeOut(FXsComp& effects, uint32_t& colour, float durationMs);
void easeTo(FXsComp& effects, float& field, float to, float durationMs);

}  // namespace Zelmo
