#include "game/screens/SpeechTrace.h"

#include <cstddef>

namespace Zelmo {

std::vector<TracePoint> speechTrace(const std::vector<float>& wave, float width, float height, float cx, float cy,
                                    float e) {
    std::vector<TracePoint> points;
    if (wave.empty()) return points;
    constexpr int kSamplesPerPoint = 4;
    // The trace spans 8 % of the width whatever the number of samples.
    const float step = 8.0f * width / (float(wave.size()) * 100.0f);
    float x = cx - float(int(width * 4 / 100));
    const float y0 = cy - float(int(height * 4 / 100));
    points.push_back({x, y0});
    float sum = 0.0f;
    for (std::size_t k = 1; k <= wave.size(); ++k) {
        if (k % kSamplesPerPoint != 0) {
            sum += wave[k - 1];
            continue;
        }
        x += kSamplesPerPoint * step;
        points.push_back({x, y0 + sum * 0.25f * 50.0f * e});
        sum = 0.0f;
    }
    return points;
}

}  // namespace Zelmo
