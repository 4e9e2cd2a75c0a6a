#pragma once

namespace Zelmo {

constexpr float kRadiansPerDegree = 0.017453292f;

// The whole-degree heading of the direction (u, -v): 0 along +y, 90 along +x. The heading from a
// point A to a point B is headingOf(B.x - A.x, A.y - B.y).
int headingOf(float u, float v);

}  // namespace Zelmo
