#pragma once
#include "engine/psys/IMovingPoint.h"

namespace Util {

class NonMovingPoint : public IMovingPoint {
public:
    NonMovingPoint(float x, float y) : m_x(x), m_y(y) {}

    void update(float) override {}
    float getX() const override { return m_x; }
    float getY() const override { return m_y; }
    float getDX() const override { return 0.0f; }
    float getDY() const override { return 0.0f; }

private:
    float m_x;
    float m_y;
};

}  // namespace Util
