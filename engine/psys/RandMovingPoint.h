#pragma once
#include <utility>

#include "engine/psys/IMovingPoint.h"
#include "engine/util/Random.h"

namespace Util {

// A point that jumps to random positions in a rectangle; x and y are redrawn independently,
// each at its own interval (0: at every update).
class RandMovingPoint : public IMovingPoint {
public:
    using Range = std::pair<float, float>;  // {min, max}

    RandMovingPoint(float intervalX, Range xRange, float intervalY, Range yRange);

    void update(float dt) override;
    float getX() const override { return m_x; }
    float getY() const override { return m_y; }
    float getDX() const override { return m_x - m_prevX; }
    float getDY() const override { return m_y - m_prevY; }

private:
    float draw(float min, float max);

    Random m_random;
    float m_minX;
    float m_maxX;
    float m_minY;
    float m_maxY;
    float m_intervalX;
    float m_intervalY;
    float m_elapsedX = 0.0f;
    float m_elapsedY = 0.0f;
    float m_x;
    float m_y;
    float m_prevX;
    float m_prevY;
};

}  // namespace Util
