#pragma once
#include <cstdint>

namespace Zelmo {

// How a robot's lightning strike looks: the bolt parameters its bolts are generated with and the
// ranges its polygon's look is drawn from.
struct LightningDef {
    struct Range {
        float min;
        float max;
    };

    float amplitude;
    float decay;
    float threshold;
    int32_t jitter;  // the strike's end point moves by up to this distance in a random direction
    Range midpointScale;
    Range thickness;  // of the strike polygon's lines
    Range life;       // of the strike polygon, milliseconds
    uint32_t palette[4];  // r, g, b, a from the most significant byte down
};

// The strike types 1 to 3; null for any other type.
const LightningDef* lightningDef(int type);

}  // namespace Zelmo
