#include "engine/psys/RandMovingPointCircle.h"

#include <cmath>

#include "engine/psys/Angles.h"

namespace Util {

RandMovingPointCircle::RandMovingPointCircle(float minRadius, float maxRadius, float interval)
    : m_minRadius(minRadius), m_maxRadius(maxRadius), m_interval(interval) {
    redraw();
}

void RandMovingPointCircle::update(float dt) {
    m_elapsed += dt;
    if (m_interval <= m_elapsed) {
        m_elapsed -= m_interval;
        redraw();
    }
}

void RandMovingPointCircle::redraw() {
    m_prevX = m_x;
    m_prevY = m_y;
    // Whole degrees 0 to 358: the direction of 359 degrees is never taken.
    const float degrees = static_cast<float>(m_random.nextInt(359));
    const float radius =
        m_minRadius == m_maxRadius ? m_minRadius : m_minRadius + m_random.nextFloat() * (m_maxRadius - m_minRadius);
    const float a = (degrees + 90.0f) * kRadiansPerDegree;
    m_x = -static_cast<float>(std::cos(static_cast<double>(a))) * radius;
    m_y = static_cast<float>(std::sin(static_cast<double>(a))) * radius;
}

}  // namespace Util
