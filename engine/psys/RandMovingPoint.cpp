#include "engine/psys/RandMovingPoint.h"

namespace Util {

RandMovingPoint::RandMovingPoint(float intervalX, Range xRange, float intervalY, Range yRange)
    : m_minX(xRange.first),
      m_maxX(xRange.second),
      m_minY(yRange.first),
      m_maxY(yRange.second),
      m_intervalX(intervalX),
      m_intervalY(intervalY) {
    m_x = draw(m_minX, m_maxX);
    m_y = draw(m_minY, m_maxY);
    m_prevX = m_x;
    m_prevY = m_y;
}

void RandMovingPoint::update(float dt) {
    m_elapsedX += dt;
    if (m_intervalX <= m_elapsedX) {
        m_prevX = m_x;
        m_elapsedX -= m_intervalX;
        m_x = draw(m_minX, m_maxX);
    }
    m_elapsedY += dt;
    if (m_intervalY <= m_elapsedY) {
        m_prevY = m_y;
        m_elapsedY -= m_intervalY;
        m_y = draw(m_minY, m_maxY);
    }
}

// An empty range draws no number, so a fixed axis leaves the generator's sequence alone.
float RandMovingPoint::draw(float min, float max) {
    if (min == max) return min;
    return min + m_random.nextFloat() * (max - min);
}

}  // namespace Util
