#pragma once
#include "engine/psys/IMovingPoint.h"
#include "engine/util/Random.h"

namespace Util {

// A point that jumps to random positions in a disc (or ring) about the origin, every interval
// milliseconds (0: at every update). It starts at a random position.
class RandMovingPointCircle : public IMovingPoint {
public:
    RandMovingPointCircle(float minRadius, float maxRadius, float interval);

    void update(float dt) override;
    float getX() const override { return m_x; }
    float getY() const override { return m_y; }
    float getDX() const override { return m_x - m_prevX; }
    float getDY() const override { return m_y - m_prevY; }

private:
    void redraw();

    Random m_random;
    float m_minRadius;
    float m_maxRadius;
    float m_interval;
    float m_elapsed = 0.0f;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_prevX = 0.0f;
    float m_prevY = 0.0f;
};

}  // namespace Util
