#pragma once
#include <string>

#include "engine/vector/ShapeGeometry.h"
#include "game/world/DisplayComps.h"

namespace Zelmo {

// Where a text written in the vector font from the style's screen position would lie, in
// window pixels, with the window scale (window size over design size) applied: the first glyph
// of each line is centred on the start x, lines run downward. The box's y is its lower edge.
IntBox textLayoutBounds(const VectorComp& style, const std::string& text, float scaleX, float scaleY);

}  // namespace Zelmo
