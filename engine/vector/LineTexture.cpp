#include "engine/vector/LineTexture.h"

#include <algorithm>
#include <cmath>

namespace Vector {

std::vector<uint8_t> lineTextureTexels(int size) {
    std::vector<uint8_t> texels(size_t(size) * size * 4);
    float centre = float(size / 2);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float d = std::sqrt((x - centre) * (x - centre) + (y - centre) * (y - centre));
            float alpha = std::clamp(std::pow(16.0f, -2.0f * std::min(1.0f, d / centre)), 0.0f, 1.0f);
            uint8_t* texel = &texels[(size_t(y) * size + x) * 4];
            texel[0] = 0xff;
            texel[1] = 0xff;
            texel[2] = 0xff;
            texel[3] = uint8_t(255.0f * alpha);
        }
    }
    return texels;
}

}  // namespace Vector
