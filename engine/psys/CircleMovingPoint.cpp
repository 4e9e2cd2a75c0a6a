#include "engine/psys/CircleMovingPoint.h"

#include <cmath>

#include "engine/psys/Angles.h"

namespace Util {

CircleMovingPoint::CircleMovingPoint(float radius, float turnsPerSecond, bool clockwise, int32_t startAngle)
    : m_radius(radius), m_turnsPerSecond(turnsPerSecond), m_clockwise(clockwise), m_startAngle(startAngle) {
    place();
    m_x0 = m_x;
    m_y0 = m_y;
}

void CircleMovingPoint::update(float dt) {
    // Only the fraction of a turn matters; keeping the clock within one turn keeps its float
    // precision (and so the motion) the same however long the game runs.
    const float turnTime = 1000.0f / m_turnsPerSecond;
    m_elapsed = std::fmod(m_elapsed + dt, turnTime);
    place();
}

void CircleMovingPoint::place() {
    const float turns = m_elapsed / (1000.0f / m_turnsPerSecond);
    const float fraction = turns - static_cast<float>(std::floor(static_cast<double>(turns)));
    float theta = wrapDegrees(fraction * 360.0f + static_cast<float>(m_startAngle));
    if (!m_clockwise) theta = 360.0f - theta;
    const float a = (theta + 90.0f) * kRadiansPerDegree;
    m_x = -static_cast<float>(std::cos(static_cast<double>(a))) * m_radius;
    m_y = static_cast<float>(std::sin(static_cast<double>(a))) * m_radius;
}

}  // namespace Util
