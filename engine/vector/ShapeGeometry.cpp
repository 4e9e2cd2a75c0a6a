#include "engine/vector/ShapeGeometry.h"

#include <algorithm>
#include <cmath>

#include "data/VectorGraphics_generated.h"

namespace {

constexpr float ProbeStep = 8.0f;

// Grows over the points it is shown; an extent that saw none stays empty.
class Extent {
public:
    void add(float x, float y) {
        minX_ = std::min(minX_, x);
        minY_ = std::min(minY_, y);
        maxX_ = std::max(maxX_, x);
        maxY_ = std::max(maxY_, y);
        any_ = true;
    }

    template <typename Floats>
    void addPairs(const Floats& values, size_t count) {
        for (size_t i = 0; i + 1 < count; i += 2) {
            add(values[i], values[i + 1]);
        }
    }

    FloatBox box() const { return any_ ? FloatBox{minX_, minY_, maxX_ - minX_, maxY_ - minY_} : FloatBox{}; }

private:
    float minX_ = 1e9f;
    float minY_ = 1e9f;
    float maxX_ = -1e9f;
    float maxY_ = -1e9f;
    bool any_ = false;
};

int roundEven(float value) { return int(std::nearbyint(value)); }

}  // namespace

IntBox scaleBox(const FloatBox& box, float factor) {
    return IntBox{roundEven(box.x * factor), roundEven(box.y * factor), roundEven(box.w * factor),
                  roundEven(box.h * factor)};
}

void makeEdgeProbes(int side, const FloatBox& box, std::vector<float>& out) {
    const bool horizontal = side == 0 || side == 1;
    const float start = horizontal ? box.x : box.y;
    const float end = horizontal ? box.x + box.w : box.y + box.h;
    for (int k = 0; start + ProbeStep * float(k) < end; ++k) {
        const float along = start + ProbeStep * float(k);
        switch (side) {
            case 0:
                out.insert(out.end(), {along, box.y + box.h});
                break;
            case 1:
                out.insert(out.end(), {along, box.y});
                break;
            case 2:
                out.insert(out.end(), {box.x, along});
                break;
            case 3:
                out.insert(out.end(), {box.x + box.w, along});
                break;
            default:
                return;
        }
    }
}

FloatBox vectorGraphicBounds(const Vector::VectorGraphic* graphic) {
    Extent extent;
    if (graphic != nullptr && graphic->outline() != nullptr) {
        for (const Vector::Polyline* polyline : *graphic->outline()) {
            if (polyline->points() != nullptr) {
                extent.addPairs(*polyline->points(), polyline->points()->size());
            }
        }
    }
    return extent.box();
}

FloatBox pointListBounds(const std::vector<float>& points) {
    Extent extent;
    extent.addPairs(points, points.size());
    return extent.box();
}

int gridShiftFor(float largestExtent) {
    const unsigned whole = largestExtent > 0.0f ? unsigned(largestExtent) : 0u;
    int shift = 0;
    while ((1ull << shift) < whole) {
        ++shift;
    }
    return shift;
}
