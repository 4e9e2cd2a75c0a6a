#include "engine/tween/Penner.h"

#include <cmath>

namespace Penner {
namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kPi = 3.14159265f;

float root(float x) { return float(std::sqrt(double(x))); }
float pow2(float x) { return float(std::pow(2.0, double(x))); }
float sine(float x) { return float(std::sin(double(x))); }
float cosine(float x) { return float(std::cos(double(x))); }

}  // namespace

namespace Back {
float easeIn(float t, float b, float c, float d) {
    const float u = t / d;
    return c * u * u * (2.70158f * u - 1.70158f) + b;
}
float easeOut(float t, float b, float c, float d) {
    const float w = t / d - 1.0f;
    return c * (w * w * (2.70158f * w + 1.70158f) + 1.0f) + b;
}
float easeInOut(float t, float b, float c, float d) {
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return h * a * a * (3.5949094f * a - 2.5949094f) + b;
    const float w = a - 2.0f;
    return h * (w * w * (3.5949094f * w + 2.5949094f) + 2.0f) + b;
}
}  // namespace Back

namespace Bounce {
float easeOut(float t, float b, float c, float d) {
    const float u = t / d;
    if (u < 0.36363637f) return c * (7.5625f * u * u) + b;
    if (u < 0.72727275f) {
        const float v = u - 0.54545456f;
        return c * (7.5625f * v * v + 0.75f) + b;
    }
    if (double(u) < 2.5 / 2.75) {
        const float v = u - 0.8181818f;
        return c * (7.5625f * v * v + 0.9375f) + b;
    }
    const float v = u - 0.95454544f;
    return c * (7.5625f * v * v + 0.984375f) + b;
}
float easeIn(float t, float b, float c, float d) { return c - easeOut(d - t, 0.0f, c, d) + b; }
float easeInOut(float t, float b, float c, float d) {
    if (t < d / 2.0f) return (c - easeOut(d - 2.0f * t, 0.0f, c, d)) * 0.5f + b;
    return easeOut(2.0f * t - d, 0.0f, c, d) * 0.5f + c * 0.5f + b;
}
}  // namespace Bounce

namespace Circ {
float easeIn(float t, float b, float c, float d) {
    const float u = t / d;
    return -c * (root(1.0f - u * u) - 1.0f) + b;
}
float easeOut(float t, float b, float c, float d) {
    const float w = t / d - 1.0f;
    return c * root(1.0f - w * w) + b;
}
float easeInOut(float t, float b, float c, float d) {
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return -h * (root(1.0f - a * a) - 1.0f) + b;
    const float w = a - 2.0f;
    return h * (root(1.0f - w * w) + 1.0f) + b;
}
}  // namespace Circ

namespace Cubic {
float easeIn(float t, float b, float c, float d) {
    const float u = t / d;
    return c * u * u * u + b;
}
float easeOut(float t, float b, float c, float d) {
    const float w = t / d - 1.0f;
    return c * (w * w * w + 1.0f) + b;
}
float easeInOut(float t, float b, float c, float d) {
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return h * a * a * a + b;
    const float w = a - 2.0f;
    return h * (w * w * w + 2.0f) + b;
}
}  // namespace Cubic

namespace Elastic {
float easeIn(float t, float b, float c, float d) {
    if (t == 0.0f) return b;
    const float u = t / d;
    if (u == 1.0f) return b + c;
    const float p = d * 0.3f;
    const float s = p / 4.0f;
    const float w = u - 1.0f;
    return b - c * pow2(10.0f * w) * sine((w * d - s) * kTwoPi / p);
}
float easeOut(float t, float b, float c, float d) {
    if (t == 0.0f) return b;
    const float u = t / d;
    if (u == 1.0f) return b + c;
    const float p = d * 0.3f;
    const float s = p / 4.0f;
    return c * pow2(-10.0f * u) * sine((u * d - s) * kTwoPi / p) + c + b;
}
float easeInOut(float t, float b, float c, float d) {
    if (t == 0.0f) return b;
    const float a = t / (d / 2.0f);
    if (a == 2.0f) return b + c;
    const float p = d * 0.45000002f;
    const float s = p / 4.0f;
    const float e = a - 1.0f;
    if (a < 1.0f) return b - 0.5f * c * pow2(10.0f * e) * sine((e * d - s) * kTwoPi / p);
    return 0.5f * c * pow2(-10.0f * e) * sine((e * d - s) * kTwoPi / p) + c + b;
}
}  // namespace Elastic

namespace Expo {
float easeIn(float t, float b, float c, float d) {
    if (t == 0.0f) return b;
    return c * pow2(10.0f * (t / d - 1.0f)) + b;
}
float easeOut(float t, float b, float c, float d) {
    if (t == d) return b + c;
    return c * (1.0f - pow2(-10.0f * t / d)) + b;
}
float easeInOut(float t, float b, float c, float d) {
    if (t == 0.0f) return b;
    if (t == d) return b + c;
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return h * pow2(10.0f * (a - 1.0f)) + b;
    return h * (2.0f - pow2(-10.0f * (a - 1.0f))) + b;
}
}  // namespace Expo

namespace Linear {
float easeIn(float t, float b, float c, float d) { return c * (t / d) + b; }
float easeOut(float t, float b, float c, float d) { return easeIn(t, b, c, d); }
float easeInOut(float t, float b, float c, float d) { return easeIn(t, b, c, d); }
}  // namespace Linear

namespace Quad {
float easeIn(float t, float b, float c, float d) {
    const float u = t / d;
    return c * u * u + b;
}
float easeOut(float t, float b, float c, float d) {
    const float u = t / d;
    return -c * u * (u - 2.0f) + b;
}
float easeInOut(float t, float b, float c, float d) {
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return h * a * a + b;
    return -h * ((a - 1.0f) * (a - 3.0f) - 1.0f) + b;
}
}  // namespace Quad

namespace Quart {
float easeIn(float t, float b, float c, float d) {
    const float u = t / d;
    return c * u * u * u * u + b;
}
float easeOut(float t, float b, float c, float d) {
    const float w = t / d - 1.0f;
    return -c * (w * w * w * w - 1.0f) + b;
}
float easeInOut(float t, float b, float c, float d) {
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return h * a * a * a * a + b;
    const float w = a - 2.0f;
    return -h * (w * w * w * w - 2.0f) + b;
}
}  // namespace Quart

namespace Quint {
float easeIn(float t, float b, float c, float d) {
    const float u = t / d;
    return c * u * u * u * u * u + b;
}
float easeOut(float t, float b, float c, float d) {
    const float w = t / d - 1.0f;
    return c * (w * w * w * w * w + 1.0f) + b;
}
float easeInOut(float t, float b, float c, float d) {
    const float a = t / (d / 2.0f);
    const float h = c / 2.0f;
    if (a < 1.0f) return h * a * a * a * a * a + b;
    const float w = a - 2.0f;
    return h * (w * w * w * w * w + 2.0f) + b;
}
}  // namespace Quint

namespace Sine {
float easeIn(float t, float b, float c, float d) { return -c * cosine(t / d * (kPi / 2.0f)) + c + b; }
float easeOut(float t, float b, float c, float d) { return c * sine(t / d * (kPi / 2.0f)) + b; }
float easeInOut(float t, float b, float c, float d) { return -c / 2.0f * (cosine(kPi * t / d) - 1.0f) + b; }
}  // namespace Sine

}  // namespace Penner
