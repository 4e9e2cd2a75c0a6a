#pragma once
#include "engine/vector/ShapeGeometry.h"

namespace Zelmo {

// Whether a box placed at (x, y) meets the camera rectangle; touching edges count.
inline bool onScreen(const IntBox& camera, int x, int y, const IntBox& box) {
    const int left = x + box.x;
    const int top = y + box.y;
    return camera.x <= left + box.w && left <= camera.x + camera.w && camera.y <= top + box.h &&
           top <= camera.y + camera.h;
}

}  // namespace Zelmo
