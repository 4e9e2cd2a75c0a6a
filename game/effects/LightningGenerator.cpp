#include "game/effects/LightningGenerator.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

constexpr uint64_t kInitialState = 0x1234;
constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kRadiansToDegrees = 57.295776f;

std::atomic<uint64_t> generatorCount{0};

}  // namespace

struct LightningGenerator::Bolt {
    const Zelmo::BoltParams& params;
    std::vector<float>& out;
    size_t endOfRoom;   // out's size once the bolt has its most points
    float px, py;       // the direction midpoints are moved in
};

LightningGenerator::LightningGenerator() : LightningGenerator(generatorCount++) {}

LightningGenerator::LightningGenerator(uint64_t stream) : m_random(stream), m_saved(m_random) {
    m_random.seed(kInitialState, stream);
    m_saved = m_random;
}

void LightningGenerator::generate(const Zelmo::BoltParams& params, std::vector<float>& out) {
    const size_t start = out.size();
    const size_t maxPoints = size_t(std::max(params.maxPoints, 2));
    out.push_back(params.x0);
    out.push_back(params.y0);

    // The bolt's heading in whole degrees; midpoints move across it.
    const float dx = params.x1 - params.x0;
    const float dy = params.y1 - params.y0;
    int angle = 0;
    if (dx == 0.0f) {
        angle = dy < 0.0f ? 0 : 180;
    } else {
        angle = (dx < 0.0f ? 270 : 90) + int(std::lround(std::atan(dy / dx) * kRadiansToDegrees));
        if (angle == 360) {
            angle = 0;
        }
    }
    const float radians = float(angle) * kDegreesToRadians;
    Bolt bolt{params, out, start + 2 * maxPoints, -std::cos(radians), std::sin(radians)};
    subdivide(bolt, params.x0, params.y0, params.x1, params.y1, params.amplitude, params.budget, 0);

    // A bolt cut short by its point limit still ends where it was aimed.
    const size_t last = out.size() - 2;
    if (out.size() == bolt.endOfRoom && (out[last] != params.x1 || out[last + 1] != params.y1)) {
        out[last] = params.x1;
        out[last + 1] = params.y1;
    }
    if (params.mirror) {
        const float gx = out[start] + out[last];
        const float gy = out[start + 1] + out[last + 1];
        for (size_t i = start; i < out.size(); i += 2) {
            out[i] = gx - out[i];
            out[i + 1] = gy - out[i + 1];
        }
    }
}

// Each pass of the loop splits the remaining segment: the first half recursively, the second
// half by the next pass. Only the leaves append, each its end point, so the points come in order.
void LightningGenerator::subdivide(Bolt& bolt, float x0, float y0, float x1, float y1, float amplitude,
                                   int32_t budget, int depth) {
    const Zelmo::BoltParams& p = bolt.params;
    if (bolt.out.size() >= bolt.endOfRoom) {
        return;
    }
    while (!(amplitude < p.threshold) && budget != 1 && depth < kMaxDepth) {
        const float mx = (x0 + x1) * 0.5f * p.midpointScale;
        const float my = (y0 + y1) * 0.5f * p.midpointScale;
        const float share = m_random.nextFloat() - 0.5f;
        const bool up = m_random.nextInt(2) != 0;
        const float move = (up ? amplitude : -amplitude) * share;
        const float nx = mx + move * bolt.px;
        const float ny = my - move * bolt.py;
        subdivide(bolt, x0, y0, nx, ny, amplitude * p.decay, budget / 2, depth + 1);
        budget = budget / 2 + budget % 2;
        amplitude *= p.decay;
        x0 = nx;
        y0 = ny;
        ++depth;
        if (bolt.out.size() >= bolt.endOfRoom) {
            return;
        }
    }
    bolt.out.push_back(x1);
    bolt.out.push_back(y1);
}
