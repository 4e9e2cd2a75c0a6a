#pragma once
#include <cstdint>

#include "engine/psys/IMovingPoint.h"

namespace Util {

// A point running round a circle about the origin. Angle 0 is (0, radius); with the clockwise
// flag set the point turns from +y towards +x, otherwise the other way.
class CircleMovingPoint : public IMovingPoint {
public:
    CircleMovingPoint(float radius, float turnsPerSecond, bool clockwise, int32_t startAngle);

    void update(float dt) override;
    float getX() const override { return m_x; }
    float getY() const override { return m_y; }
    // Offset from the position at construction.
    float getDX() const override { return m_x - m_x0; }
    float getDY() const override { return m_y - m_y0; }

private:
    void place();

    float m_radius;
    float m_turnsPerSecond;
    bool m_clockwise;
    int32_t m_startAngle;
    float m_elapsed = 0.0f;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_x0 = 0.0f;
    float m_y0 = 0.0f;
};

}  // namespace Util
