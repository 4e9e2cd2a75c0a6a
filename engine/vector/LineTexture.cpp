#include "engine/vector/LineTexture.h"

#include <algorithm>
#include <cmath>

namespace Vector {

namespace {

constexpr float kLn16 = 2.7725887f;
constexpr float kCoreWidth = 0.45f;  // in half widths
constexpr float kHottest = 0.6f;     // how far the middle of the core runs towards white

float smoothstep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

uint8_t toByte(float value) { return uint8_t(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)); }

}  // namespace

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

std::vector<uint8_t> strokeTextureTexels(int size) {
    std::vector<uint8_t> texels = lineTextureTexels(size);
    for (size_t i = 0; i < texels.size(); i += 4) {
        // The profile as its 8-bit texel holds it, so the stroke is the one drawn from it before.
        const float falloff = std::max(float(texels[i + 3]) / 255.0f, 1.0f / 512.0f);
        const float r = std::clamp(-std::log(falloff) / (2.0f * kLn16), 0.0f, 1.0f);
        const float stroke = std::exp(-(r * r) / (kCoreWidth * kCoreWidth));
        texels[i] = 0;
        texels[i + 1] = 0;
        texels[i + 2] = toByte(kHottest * smoothstep(0.6f, 1.0f, stroke));
        texels[i + 3] = toByte(stroke);
    }
    return texels;
}

}  // namespace Vector
