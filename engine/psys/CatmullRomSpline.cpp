#include "engine/psys/CatmullRomSpline.h"

#include <algorithm>

namespace {

float catmullRom(float p0, float p1, float p2, float p3, float u) {
    const float sum = 2.0f * p1 + (p2 - p0) * u + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * u * u +
                      (3.0f * p1 - p0 - 3.0f * p2 + p3) * u * u * u;
    return static_cast<float>(0.5 * static_cast<double>(sum));
}

}  // namespace

CatmullRomSpline::CatmullRomSpline(const float* pairs, int n) {
    m_points.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) m_points.push_back({pairs[2 * i], pairs[2 * i + 1]});
}

CatmullRomSpline::Point CatmullRomSpline::evaluate(float t) const {
    const int n = static_cast<int>(m_points.size());
    if (n == 0) return {0.0f, 0.0f};
    if (n == 1) return m_points[0];
    // Outside [0, 1] the curve would run off its ends (and overflow the segment index).
    float u = static_cast<float>(n - 1) * std::clamp(t, 0.0f, 1.0f);
    const int s = std::min(static_cast<int>(u), n - 2);
    u -= static_cast<float>(s);
    const Point& p0 = m_points[static_cast<size_t>(std::max(s - 1, 0))];
    const Point& p1 = m_points[static_cast<size_t>(s)];
    const Point& p2 = m_points[static_cast<size_t>(s + 1)];
    const Point& p3 = m_points[static_cast<size_t>(std::min(s + 2, n - 1))];
    return {catmullRom(p0.x, p1.x, p2.x, p3.x, u), catmullRom(p0.y, p1.y, p2.y, p3.y, u)};
}
