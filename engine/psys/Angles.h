#pragma once
#include <cmath>

namespace Util {

// Degrees to radians as the effects compute it (a float constant, not a double pi).
constexpr float kRadiansPerDegree = 0.017453292f;

// An angle in degrees brought into [0, 360). A remainder rather than repeated steps of 360,
// so that huge angles cost nothing and cannot get stuck where a float step of 360 vanishes.
inline float wrapDegrees(float degrees) {
    float wrapped = std::fmod(degrees, 360.0f);
    if (wrapped < 0.0f) wrapped += 360.0f;
    if (wrapped >= 360.0f) wrapped -= 360.0f;
    return wrapped;
}

}  // namespace Util
