#include "engine/vg/PolygonShape.h"

#include <cmath>

namespace vg {

float signedArea2(const Point* points, uint32_t count) {
    float sum = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % count];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

bool isConvex(const Point* points, uint32_t count) {
    if (count < 3) {
        return false;
    }
    int turnSign = 0;
    float turning = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % count];
        const Point& c = points[(i + 2) % count];
        float ux = b.x - a.x, uy = b.y - a.y;
        float vx = c.x - b.x, vy = c.y - b.y;
        float cross = ux * vy - uy * vx;
        float dot = ux * vx + uy * vy;
        if (cross != 0) {
            int sign = cross > 0 ? 1 : -1;
            if (turnSign != 0 && sign != turnSign) {
                return false;
            }
            turnSign = sign;
        } else if (dot < 0) {
            return false;  // the outline doubles back on itself
        }
        turning += std::atan2(cross, dot);
    }
    constexpr float kFullTurn = 2.0f * 3.14159265358979f;
    return turnSign != 0 && std::fabs(std::fabs(turning) - kFullTurn) < 0.01f;
}

}  // namespace vg
