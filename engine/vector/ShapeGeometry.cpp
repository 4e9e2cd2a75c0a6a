#include "engine/vector/ShapeGeometry.h"

#include <algorithm>
#include <cmath>

#include "data/VectorGraphics_generated.h"

namespace {

constexpr float kProbeStep = 8.0f;

// Grows over the points it is shown; an extent that saw none stays empty.
class Extent {
public:
    void add(float x, float y) {
        m_minX = std::min(m_minX, x);
        m_minY = std::min(m_minY, y);
        m_maxX = std::max(m_maxX, x);
        m_maxY = std::max(m_maxY, y);
        m_any = true;
    }

    template <typename Floats>
    void addPairs(const Floats& values, size_t count) {
        for (size_t i = 0; i + 1 < count; i += 2) {
            add(values[i], values[i + 1]);
        }
    }

    FloatBox box() const { return m_any ? FloatBox{m_minX, m_minY, m_maxX - m_minX, m_maxY - m_minY} : FloatBox{}; }

private:
    float m_minX = 1e9f;
    float m_minY = 1e9f;
    float m_maxX = -1e9f;
    float m_maxY = -1e9f;
    bool m_any = false;
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
    for (int k = 0; start + kProbeStep * float(k) < end; ++k) {
        const float along = start + kProbeStep * float(k);
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
