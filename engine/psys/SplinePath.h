#pragma once
#include <vector>

#include "engine/psys/CatmullRomSpline.h"
#include "engine/psys/IMovingPoint.h"

namespace Tween {

// A moving point that runs over a whole spline once per period, offset by a fixed amount.
// At the end it either jumps back to the start or, in ping-pong mode, runs back.
class SplinePath : public Util::IMovingPoint {
public:
    // The spline is not owned and must outlive the path.
    SplinePath(float offsetX, float offsetY, bool pingPong, float period, const CatmullRomSpline* spline);

    void update(float dt) override;
    float getX() const override { return m_x; }
    float getY() const override { return m_y; }
    float getDX() const override { return m_x - m_prevX; }
    float getDY() const override { return m_y - m_prevY; }

    const std::vector<CatmullRomSpline::Point>& getControlPoints() const { return m_spline->getPoints(); }

private:
    float fractionOfPass() const;

    float m_offsetX;
    float m_offsetY;
    bool m_pingPong;
    float m_period;
    const CatmullRomSpline* m_spline;
    float m_clock = 0.0f;
    float m_x;
    float m_y;
    float m_prevX;
    float m_prevY;
};

}  // namespace Tween
