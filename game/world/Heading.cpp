#include "game/world/Heading.h"

#include <cmath>

namespace Zelmo {

int headingOf(float u, float v) {
    if (u == 0.0f) return v < 0.0f ? 0 : 180;
    const int heading = (u < 0.0f ? 270 : 90) + int(std::nearbyint(std::atan(v / u) * 57.2957763671875f));
    return heading == 360 ? 0 : heading;
}

}  // namespace Zelmo
