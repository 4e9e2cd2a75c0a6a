#pragma once

#include <cmath>

namespace Audio {

// Output samples up to this level pass unchanged, so a quiet mix keeps its exact gains.
constexpr float kRoundOffKnee = 0.75f;

// Bends samples above the knee smoothly towards full scale (the curve leaves the knee with slope 1
// and goes no further than 1), so loud mixes saturate softly instead of clipping hard or wrapping.
inline float roundOff(float sample) {
    const float level = std::fabs(sample);
    if (level <= kRoundOffKnee) return sample;
    if (std::isnan(sample)) return 0.0f;
    constexpr float kRange = 1.0f - kRoundOffKnee;
    return std::copysign(kRoundOffKnee + kRange * std::tanh((level - kRoundOffKnee) / kRange), sample);
}

}  // namespace Audio
