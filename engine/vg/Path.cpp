#include "engine/vg/Path.h"

#include <algorithm>
#include <cmath>

namespace vg {

namespace {

constexpr float Pi = 3.14159265358979f;
constexpr float MaxCurveError = 0.3f;  // pixels

}  // namespace

void Path::clear() {
    points_.clear();
    subPaths_.clear();
    open_ = false;
}

void Path::moveTo(float x, float y) {
    subPaths_.push_back(SubPath{uint32_t(points_.size()), 1, false});
    points_.push_back(Point{x, y});
    open_ = true;
}

void Path::lineTo(float x, float y) {
    if (!open_) {
        moveTo(x, y);
        return;
    }
    const Point& last = points_.back();
    if (last.x == x && last.y == y) {
        return;
    }
    points_.push_back(Point{x, y});
    subPaths_.back().count++;
}

void Path::close() {
    if (!open_) {
        return;
    }
    SubPath& sub = subPaths_.back();
    const Point& first = points_[sub.first];
    const Point& last = points_.back();
    if (sub.count > 1 && first.x == last.x && first.y == last.y) {
        points_.pop_back();
        sub.count--;
    }
    sub.closed = true;
    open_ = false;
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
    open_ = false;
    moveTo(x, y + topLeft);
    arc(x + topLeft, y + topLeft, topLeft, Pi, 1.5f * Pi);
    arc(x + w - topRight, y + topRight, topRight, 1.5f * Pi, 2.0f * Pi);
    arc(x + w - bottomRight, y + h - bottomRight, bottomRight, 0.0f, 0.5f * Pi);
    arc(x + bottomLeft, y + h - bottomLeft, bottomLeft, 0.5f * Pi, Pi);
    close();
}

void Path::circle(float cx, float cy, float radius) {
    radius = std::fabs(radius);
    int segments = segmentsForFullCircle(radius);
    open_ = false;
    moveTo(cx + radius, cy);
    for (int i = 1; i < segments; ++i) {
        float angle = 2.0f * Pi * float(i) / float(segments);
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
        segments = std::max(1, int(std::ceil(float(segmentsForFullCircle(radius)) * sweep / (2.0f * Pi))));
    }
    for (int i = 0; i <= segments; ++i) {
        float angle = fromAngle + (toAngle - fromAngle) * float(i) / float(segments);
        lineTo(cx + std::cos(angle) * radius, cy + std::sin(angle) * radius);
    }
}

int Path::segmentsForFullCircle(float radius) const {
    float pixels = radius * pixelRatio_;
    if (pixels <= MaxCurveError) {
        return 4;
    }
    // A chord of angle a strays radius × (1 − cos(a/2)) from the circle.
    float angle = 2.0f * std::acos(1.0f - MaxCurveError / pixels);
    return std::clamp(int(std::ceil(2.0f * Pi / angle)), 4, 512);
}

}  // namespace vg
