#pragma once

#include <cstdint>

namespace gfx {

// BGRA8 is stored as RGBA8 on the GPU; only uploads and read-backs use the B, G, R, A byte order.
enum class TextureFormat : uint8_t { R8, RG8, RGB8, RGBA8, BGRA8 };

uint8_t bitsPerPixel(TextureFormat format);

// Sampler flags: the default (0) is linear filtering with repeat addressing.
using SamplerFlags = uint32_t;
namespace Sampler {
constexpr SamplerFlags Default = 0;
constexpr SamplerFlags MinPoint = 1u << 0;
constexpr SamplerFlags MagPoint = 1u << 1;
constexpr SamplerFlags Point = MinPoint | MagPoint;
constexpr SamplerFlags UClamp = 1u << 2;
constexpr SamplerFlags VClamp = 1u << 3;
constexpr SamplerFlags WClamp = 1u << 4;
constexpr SamplerFlags Clamp = UClamp | VClamp | WClamp;
// Passed to setTexture: sample with the flags the texture was created with.
constexpr SamplerFlags FromTexture = 0xffffffffu;
}  // namespace Sampler

// What a texture is, as the loaders report it. Textures have no mip chain and one layer.
struct TextureInfo {
    TextureFormat format = TextureFormat::RGBA8;
    uint32_t storageSize = 0;  // bytes of all texels
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t depth = 1;  // 1 for a 2D texture
    uint16_t numLayers = 1;
    uint8_t bitsPerPixel = 0;
};

// depth 0 counts as 1 (a 2D texture).
TextureInfo calcTextureSize(uint16_t width, uint16_t height, uint16_t depth, TextureFormat format);

}  // namespace gfx
