#pragma once

#include <cstdint>
#include <vector>

namespace vg {

struct Point {
    float x = 0;
    float y = 0;
};

struct SubPath {
    uint32_t first = 0;  // into Path::points()
    uint32_t count = 0;
    bool closed = false;
};

// The sub-paths of the current path as point lists. Curves become line segments fine enough that
// no point of a segment strays more than a third of a pixel from the curve.
class Path {
public:
    void clear();
    // Pixels per unit, which decides how finely curves are cut.
    void setPixelRatio(float ratio) { m_pixelRatio = ratio; }

    void moveTo(float x, float y);
    void lineTo(float x, float y);
    void close();
    void roundedRect(float x, float y, float w, float h, float topLeft, float topRight, float bottomRight,
                     float bottomLeft);
    void circle(float cx, float cy, float radius);

    const std::vector<Point>& points() const { return m_points; }
    const std::vector<SubPath>& subPaths() const { return m_subPaths; }

private:
    void arc(float cx, float cy, float radius, float fromAngle, float toAngle);
    int segmentsForFullCircle(float radius) const;

    std::vector<Point> m_points;
    std::vector<SubPath> m_subPaths;
    bool m_open = false;  // the last sub-path still takes lineTo points
    float m_pixelRatio = 1.0f;
};

}  // namespace vg
