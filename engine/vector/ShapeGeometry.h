#pragma once

// Boxes, bounds and wall probes of vector shapes, in shape units with y upward.

#include <cstdint>
#include <vector>

namespace Vector {
struct VectorGraphic;
}

struct FloatBox {
    float x = 0.0f;
    float y = 0.0f;
    float w = 0.0f;
    float h = 0.0f;
};

struct IntBox {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    friend bool operator==(const IntBox& a, const IntBox& b) {
        return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
    }
};

// Each value times factor, rounded to the nearest integer (halves to even).
IntBox scaleBox(const FloatBox& box, float factor);

// Appends probe points every 8 units along one side of the box, from its low end up to (not
// including) its far end: side 0 along the top (y + h), 1 the bottom, 2 the left, 3 the right.
void makeEdgeProbes(int side, const FloatBox& box, std::vector<float>& out);

// The extent of every point of the graphic's outline polylines; empty (all 0) without points.
FloatBox vectorGraphicBounds(const Vector::VectorGraphic* graphic);
// The extent of a flat x, y list; empty (all 0) without points.
FloatBox pointListBounds(const std::vector<float>& points);

// The exponent of the smallest power of two at least as large as the extent taken as a whole
// number: 100 and 128 give 7, 129 gives 8, 0 and 1 give 0.
int gridShiftFor(float largestExtent);
