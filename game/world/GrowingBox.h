#pragma once
#include <algorithm>
#include <climits>

#include "engine/vector/ShapeGeometry.h"

namespace Zelmo {

// A box that holds nothing until it grows: its edges are those of what it is grown by.
struct GrowingBox {
    int minX = INT_MAX;
    int minY = INT_MAX;
    int maxX = INT_MIN;
    int maxY = INT_MIN;

    void add(int x, int y, int w, int h) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x + w);
        maxY = std::max(maxY, y + h);
    }
    bool empty() const { return minX > maxX; }
    // An empty box at the origin when nothing was added.
    IntBox box() const { return empty() ? IntBox{} : IntBox{minX, minY, maxX - minX, maxY - minY}; }
};

}  // namespace Zelmo
