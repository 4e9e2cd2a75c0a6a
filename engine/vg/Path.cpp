#include "engine/vg/Path.h"

#include <algorithm>
#include <cmath>

namespace vg {

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kMaxCurveError = 0.3f;  // pixels

}  // namespace

void Path::clear() {
    m_points.clear();
    m_subPaths.clear();
    m_open = false;
}

void Path::moveTo(float x, float y) {
    m_subPaths.push_back(SubPath{uint32_t(m_points.size()), 1, false});
    m_points.push_back(Point{x, y});
    m_open = true;
}

void Path::lineTo(float x, float y) {
    if (!m_open) {
        moveTo(x, y);
        return;
    }
    const Point& last = m_points.back();
    if (last.x == x && last.y == y) {
        return;
    }
    m_points.push_back(Point{x, y});
    m_subPaths.back().count++;
}

void Path::close() {
    if (!m_open) {
        return;
    }
    SubPath& sub = m_subPaths.back();
    const Point& first = m_points[sub.first];
    const Point& last = m_points.back();
    if (sub.count > 1 && first.x == last.x && first.y == last.y) {
        m_points.pop_back();
        sub.count--;
    }
    sub.closed = true;
    m_open = false;
}

void Path::roundedRect(float x, float y, float w, float h, float topLeft, float topRight, float bottomRight,
                       float bottomLeft) {
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    float limit = std::min(w, h) * 0.5f;
    auto radius = [limit](float r) { return std::clamp(r, 0.0f, limit); };
    topLeft = radius(topLeft);
    topRight = radius(topRight);
    bottomRight = radius(bottomRight);
    bottomLeft = radius(bottomLeft);

    // Clockwise on screen (y grows downward): top-left, top-right, bottom-right, bottom-left.
    m_open = false;
    moveTo(x, y + topLeft);
    arc(x + topLeft, y + topLeft, topLeft, kPi, 1.5f * kPi);
    arc(x + w - topRight, y + topRight, topRight, 1.5f * kPi, 2.0f * kPi);
    arc(x + w - bottomRight, y + h - bottomRight, bottomRight, 0.0f, 0.5f * kPi);
    arc(x + bottomLeft, y + h - bottomLeft, bottomLeft, 0.5f * kPi, kPi);
    close();
}

void Path::circle(float cx, float cy, float radius) {
    radius = std::fabs(radius);
    int segments = segmentsForFullCircle(radius);
    m_open = false;
    moveTo(cx + radius, cy);
    for (int i = 1; i < segments; ++i) {
        float angle = 2.0f * kPi * float(i) / float(segments);
        lineTo(cx + std::cos(angle) * radius, cy + std::sin(angle) * radius);
    }
    close();
}

// Appends the arc's points from fromAngle to toAngle (radians, growing clockwise on screen);
// a zero radius leaves the single corner point.
void Path::arc(float cx, float cy, float radius, float fromAngle, float toAngle) {
    int segments = 1;
    if (radius > 0) {
        float sweep = toAngle - fromAngle;
        segments = std::max(1, int(std::ceil(float(segmentsForFullCircle(radius)) * sweep / (2.0f * kPi))));
    }
    for (int i = 0; i <= segments; ++i) {
        float angle = fromAngle + (toAngle - fromAngle) * float(i) / float(segments);
        lineTo(cx + std::cos(angle) * radius, cy + std::sin(angle) * radius);
    }
}

int Path::segmentsForFullCircle(float radius) const {
    float pixels = radius * m_pixelRatio;
    if (pixels <= kMaxCurveError) {
        return 4;
    }
    // A chord of angle a strays radius × (1 − cos(a/2)) from the circle.
    float angle = 2.0f * std::acos(1.0f - kMaxCurveError / pixels);
    return std::clamp(int(std::ceil(2.0f * kPi / angle)), 4, 512);
}

}  // namespace vg
