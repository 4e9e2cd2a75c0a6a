#pragma once

#include <cstdint>
#include <vector>

#include "engine/vg/Path.h"

struct GLUtesselator;

namespace vg {

// Cuts outlines into triangles with GLU's tessellator, for fills that the convex fast path
// cannot draw: concave and self-crossing outlines, and several outlines filled as one.
class Tessellator {
public:
    Tessellator();
    ~Tessellator();
    Tessellator(const Tessellator&) = delete;
    Tessellator& operator=(const Tessellator&) = delete;

    // Triangles covering the union of the sub-paths, each by the non-zero rule, whatever their
    // direction. vertices receives the input points followed by any crossings the tessellator
    // adds; indices every triangle as three entries into vertices. False, with both emptied,
    // when the tessellator fails.
    bool fillUnion(const std::vector<Point>& points, const std::vector<SubPath>& subPaths, std::vector<Point>& vertices,
                   std::vector<uint32_t>& indices);

private:
    struct Output;
    GLUtesselator* m_tess = nullptr;
    std::vector<double> m_coords;
};

}  // namespace vg
