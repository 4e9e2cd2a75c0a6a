#pragma once

#include <cstdint>

namespace gfx {

// BGRA8 is stored as RGBA8 on the GPU; only uploads and read-backs use the B, G, R, A byte order.
// BC1 to BC5 and BC7 are block-compressed: 4 x 4 texels in 8 (BC1, BC4) or 16 bytes; they need a
// context that supports them (textureFormatSupported).
enum class TextureFormat : uint8_t { R8, RG8, RGB8, RGBA8, BGRA8, BC1, BC2, BC3, BC4, BC5, BC7 };

uint8_t bitsPerPixel(TextureFormat format);
bool isBlockCompressed(TextureFormat format);
// "RGBA8", "BC7", ... for messages.
const char* formatName(TextureFormat format);

// Sampler flags: the default (0) is linear filtering with repeat addressing; textures with mip
// levels blend between them.
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

// Flat textures are 2D, in one or more layers; volumes are 3D (one layer); cube maps have six
// square faces per layer.
enum class TextureKind : uint8_t { Flat, Volume, Cube };

// Everything a texture is made from, apart from its texels.
struct TextureDesc {
    TextureKind kind = TextureKind::Flat;
    TextureFormat format = TextureFormat::RGBA8;
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t depth = 1;  // above 1 for volumes only
    uint16_t numLayers = 1;
    uint8_t numMips = 1;  // levels from the full size down, each half the one before
    SamplerFlags flags = Sampler::Default;
};

// What a texture is, as the loaders report it.
struct TextureInfo {
    TextureFormat format = TextureFormat::RGBA8;
    uint32_t storageSize = 0;  // bytes of all texels: every layer, face and mip level
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t depth = 1;  // 1 for a 2D texture or cube map
    uint16_t numLayers = 1;
    uint8_t numMips = 1;
    uint8_t bitsPerPixel = 0;
    bool cubeMap = false;
};

// Layout: a texture's texels lie in one block: for each layer, for each face (cube maps: +x, -x,
// +y, -y, +z, -z), each mip level from the full size down, as one image of tightly packed rows
// (rows of blocks for block-compressed formats), a volume's slices one after the other.

// A side's length at a mip level: halved per level, never below 1.
uint16_t mipSize(uint16_t size, uint8_t level);
// How many levels halve the largest side down to 1.
uint8_t fullMipCount(uint16_t width, uint16_t height, uint16_t depth);
uint16_t faceCount(const TextureDesc& desc);
// Bytes of one row of texels (of blocks, when block-compressed) and of one image.
uint64_t rowSize(TextureFormat format, uint16_t width);
uint64_t imageSize(TextureFormat format, uint16_t width, uint16_t height, uint16_t depth);
// Bytes of one layer's face in all its mip levels, and of the whole texture.
uint64_t faceSize(const TextureDesc& desc);
uint64_t storageSize(const TextureDesc& desc);

// For descriptions createTexture accepts (at most 4 GiB of texels).
TextureInfo calcTextureSize(const TextureDesc& desc);
// A 2D texture (depth 0 or 1) or volume without mip levels, in one layer.
TextureInfo calcTextureSize(uint16_t width, uint16_t height, uint16_t depth, TextureFormat format);

}  // namespace gfx
