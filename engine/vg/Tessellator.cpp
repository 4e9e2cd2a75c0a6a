#include "engine/vg/Tessellator.h"

#include <GL/glu.h>

#include <cstddef>
#include <cstdint>

#include "engine/vg/PolygonShape.h"

namespace vg {

struct Tessellator::Output {
    std::vector<Point>* vertices;
    std::vector<uint32_t>* indices;
    bool failed = false;
};

namespace {

void* toData(uint32_t index) { return reinterpret_cast<void*>(uintptr_t(index)); }
uint32_t fromData(void* data) { return uint32_t(reinterpret_cast<uintptr_t>(data)); }

template <typename Fn>
_GLUfuncptr callback(Fn fn) {
    return reinterpret_cast<_GLUfuncptr>(fn);
}

}  // namespace

Tessellator::Tessellator() : m_tess(gluNewTess()) {
    if (m_tess == nullptr) {
        return;
    }
    gluTessProperty(m_tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(m_tess, 0, 0, 1);
    // Registering an edge-flag callback makes GLU hand out separate triangles only (no fans or
    // strips), which is all the draw list takes.
    gluTessCallback(m_tess, GLU_TESS_EDGE_FLAG_DATA, callback(+[](GLboolean, void*) {}));
    gluTessCallback(m_tess, GLU_TESS_BEGIN_DATA, callback(+[](GLenum, void*) {}));
    gluTessCallback(m_tess, GLU_TESS_VERTEX_DATA, callback(+[](void* vertex, void* out) {
                        static_cast<Tessellator::Output*>(out)->indices->push_back(fromData(vertex));
                    }));
    gluTessCallback(m_tess, GLU_TESS_COMBINE_DATA,
                    callback(+[](GLdouble coords[3], void* [4], GLfloat[4], void** result, void* out) {
                        std::vector<Point>& vertices = *static_cast<Tessellator::Output*>(out)->vertices;
                        *result = toData(uint32_t(vertices.size()));
                        vertices.push_back(Point{float(coords[0]), float(coords[1])});
                    }));
    gluTessCallback(m_tess, GLU_TESS_ERROR_DATA,
                    callback(+[](GLenum, void* out) { static_cast<Tessellator::Output*>(out)->failed = true; }));
}

Tessellator::~Tessellator() {
    if (m_tess != nullptr) {
        gluDeleteTess(m_tess);
    }
}

bool Tessellator::fillUnion(const std::vector<Point>& points, const std::vector<SubPath>& subPaths,
                            std::vector<Point>& vertices, std::vector<uint32_t>& indices) {
    vertices.clear();
    indices.clear();
    if (m_tess == nullptr) {
        return false;
    }
    // GLU reads each vertex's coordinates while the polygon is open; keep them in place.
    m_coords.assign(points.size() * 3, 0.0);
    Output output{&vertices, &indices};
    gluTessBeginPolygon(m_tess, &output);
    for (const SubPath& sub : subPaths) {
        if (sub.count < 3) {
            continue;
        }
        // The same direction for every outline, so that the non-zero rule joins overlaps.
        bool reverse = signedArea2(&points[sub.first], sub.count) < 0;
        gluTessBeginContour(m_tess);
        for (uint32_t k = 0; k < sub.count; ++k) {
            uint32_t i = sub.first + (reverse ? sub.count - 1 - k : k);
            uint32_t index = uint32_t(vertices.size());
            vertices.push_back(points[i]);
            double* c = &m_coords[size_t(i) * 3];
            c[0] = points[i].x;
            c[1] = points[i].y;
            gluTessVertex(m_tess, c, toData(index));
        }
        gluTessEndContour(m_tess);
    }
    gluTessEndPolygon(m_tess);
    if (output.failed || indices.size() % 3 != 0) {
        vertices.clear();
        indices.clear();
        return false;
    }
    return true;
}

}  // namespace vg
