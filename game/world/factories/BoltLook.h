#pragma once
#include <cstdint>

namespace Zelmo {

// What one lightning strike looks like: the shape values its bolts are generated with and the
// look drawn for its polygon.
struct BoltLook {
    float amplitude = 0.0f;
    float decay = 0.0f;
    float threshold = 0.0f;
    float midpointScale = 0.0f;
    float thickness = 1.0f;
    float lifeMs = 0.0f;
    uint32_t colour = 0;  // packed ABGR
};

}  // namespace Zelmo
