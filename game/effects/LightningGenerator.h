#pragma once

// Jagged lightning bolts by recursive midpoint displacement: each midpoint of a segment is moved
// sideways by a random share of an amplitude that shrinks with every level, until it falls below
// a threshold.

#include <cstdint>
#include <vector>

#include "engine/util/Random.h"

namespace Zelmo {

struct BoltParams {
    bool mirror = false;  // reflect the finished bolt through the midpoint of its two ends
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float amplitude = 0.0f;  // of the first displacement
    float decay = 0.0f;      // amplitude factor per level
    float threshold = 0.0f;  // no further level once the amplitude is below it
    // Each midpoint is (start + end) / 2 scaled about the origin, not about the bolt: bolts that
    // start at the origin bend toward it or away from it, which is the look the beams are made for.
    float midpointScale = 0.0f;
    int32_t budget = 0;     // subdivisions; 0 is unlimited
    int32_t maxPoints = 0;  // the most points one bolt may have (at least its two ends)
};

}  // namespace Zelmo

class LightningGenerator {
public:
    // Deeper than any bolt the game draws (seven levels), and its 2^16 leaves exceed any point
    // limit: it only ends subdivisions whose amplitude never falls below the threshold.
    static constexpr int kMaxDepth = 16;

    // Seeded with the next value of a process-wide count of generators; the first gets 0, which
    // stands for the processor's time-stamp counter.
    LightningGenerator();
    // Seeded with the given stream (0: the time-stamp counter).
    explicit LightningGenerator(uint64_t stream);

    // Appends one bolt from (x0, y0) to (x1, y1) to out as x, y pairs, drawing on this
    // generator's random numbers.
    void generate(const Zelmo::BoltParams& params, std::vector<float>& out);

    // A generator restored before each generation repeats its bolts for as long as the
    // parameters stay the same.
    void saveRandomState() { m_saved = m_random; }
    void restoreRandomState() { m_random = m_saved; }

private:
    struct Bolt;
    void subdivide(Bolt& bolt, float x0, float y0, float x1, float y1, float amplitude, int32_t budget, int depth);

    Util::Random m_random;
    Util::Random m_saved;
};
