#pragma once
#include <vector>

namespace Zelmo {

struct TracePoint {
    float x;
    float y;
};

// The line of the lost game's spoken words: the speech bus's last samples, four to a point,
// across 8 % of the window from 4 % left and below the centre (cx, cy); e is the window's scale
// over the design size. Empty when there are no samples (sound off).
std::vector<TracePoint> speechTrace(const std::vector<float>& wave, float width, float height, float cx, float cy,
                                    float e);

}  // namespace Zelmo
