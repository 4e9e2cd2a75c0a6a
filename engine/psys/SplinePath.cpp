#include "engine/psys/SplinePath.h"

#include <cmath>

namespace Tween {

SplinePath::SplinePath(float offsetX, float offsetY, bool pingPong, float period, const CatmullRomSpline* spline)
    : m_offsetX(offsetX),
      m_offsetY(offsetY),
      m_pingPong(pingPong),
      m_period(period),
      m_spline(spline),
      m_x(offsetX),
      m_y(offsetY),
      m_prevX(offsetX),
      m_prevY(offsetY) {}

void SplinePath::update(float dt) {
    m_clock += dt;
    if (m_period > 0.0f) {
        // The clock is kept within one cycle (one pass, or there and back in ping-pong mode):
        // the position depends only on the phase, and a small clock keeps its float precision
        // and its cost the same after hours of play.
        const float cycle = m_pingPong ? 2.0f * m_period : m_period;
        m_clock = std::fmod(m_clock, cycle);
    }
    m_prevX = m_x;
    m_prevY = m_y;
    const CatmullRomSpline::Point p = m_spline->evaluate(fractionOfPass());
    m_x = p.x + m_offsetX;
    m_y = p.y + m_offsetY;
}

// 0 at the spline's start, 1 at its end. A path without a period stays at the start.
float SplinePath::fractionOfPass() const {
    if (m_period <= 0.0f) return 0.0f;
    const float intoPass = m_pingPong && m_clock >= m_period ? 2.0f * m_period - m_clock : m_clock;
    return intoPass / m_period;
}

}  // namespace Tween
