#pragma once
#include <vector>

// A Catmull-Rom spline through a list of points, evaluated over t in [0, 1]; the end points
// are repeated outside the list, so the curve starts and ends on them.
class CatmullRomSpline {
public:
    struct Point {
        float x;
        float y;
    };

    // pairs holds n points as x0, y0, x1, y1, ...; they are copied.
    CatmullRomSpline(const float* pairs, int n);

    Point evaluate(float t) const;
    const std::vector<Point>& getPoints() const { return m_points; }

private:
    std::vector<Point> m_points;
};
