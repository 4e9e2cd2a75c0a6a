#pragma once
#include <cstdint>

namespace Util {

// Moves a packed 4-byte colour towards a target byte by byte, truncating toward zero so that
// the result never overshoots the target for f in [0, 1].
void lerpColour(uint32_t& colour, uint32_t target, float f);

}  // namespace Util
