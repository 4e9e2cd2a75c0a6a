#pragma once

// Robert Penner's easing curves in the form f(t, b, c, d): the value at time t of a change
// from b by c over a duration d. Arithmetic is in float; roots, powers and trigonometry are
// evaluated in double and narrowed.
namespace Penner {

#define ZELMO_PENNER_CURVE(Curve)                       \
    namespace Curve {                                   \
    float easeIn(float t, float b, float c, float d);    \
    float easeOut(float t, float b, float c, float d);   \
    float easeInOut(float t, float b, float c, float d); \
    }

ZELMO_PENNER_CURVE(Back)
ZELMO_PENNER_CURVE(Bounce)
ZELMO_PENNER_CURVE(Circ)
ZELMO_PENNER_CURVE(Cubic)
ZELMO_PENNER_CURVE(Elastic)
ZELMO_PENNER_CURVE(Expo)
ZELMO_PENNER_CURVE(Linear)
ZELMO_PENNER_CURVE(Quad)
ZELMO_PENNER_CURVE(Quart)
ZELMO_PENNER_CURVE(Quint)
ZELMO_PENNER_CURVE(Sine)

#undef ZELMO_PENNER_CURVE

using CurveFn = float (*)(float, float, float, float);

// Out-in form: the curve's ease-out over the first half, its ease-in over the second.
template <CurveFn EaseOut, CurveFn EaseIn>
float easeOutIn(float t, float b, float c, float d) {
    const float u = t / d;
    if (u < 0.5f) return b + c * (EaseOut(2.0f * u, 0.0f, 1.0f, 1.0f) * 0.5f);
    return b + c * (EaseIn(2.0f * u - 1.0f, 0.0f, 1.0f, 1.0f) * 0.5f + 0.5f);
}

}  // namespace Penner
