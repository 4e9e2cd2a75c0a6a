#include "engine/psys/PropertyRange.h"

#include <cmath>

namespace PSys {

float pingPong(float t, float p) {
    // Whole periods counted in float, so that long-running emitters cannot overflow an int.
    const float k = std::trunc(t / p);
    const bool backwards = std::fmod(k, 2.0f) != 0.0f;
    return backwards ? (k + 1.0f) * p - t : t - k * p;
}

float PropertyRange::valueAt(float t) const {
    // A range without a period does not sweep: it stays at the start of its curve.
    if (period <= 0.0f) return easer(0.0f, min, max - min, 1.0f);
    return easer(pingPong(t, period), min, max - min, period);
}

}  // namespace PSys
