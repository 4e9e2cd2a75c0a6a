#include "engine/gfx/Texture.h"

#include <algorithm>

namespace gfx {

uint8_t bitsPerPixel(TextureFormat format) {
    switch (format) {
        case TextureFormat::R8:
            return 8;
        case TextureFormat::RG8:
            return 16;
        case TextureFormat::RGB8:
            return 24;
        case TextureFormat::RGBA8:
        case TextureFormat::BGRA8:
            return 32;
        case TextureFormat::BC1:
        case TextureFormat::BC4:
            return 4;
        case TextureFormat::BC2:
        case TextureFormat::BC3:
        case TextureFormat::BC5:
        case TextureFormat::BC7:
            return 8;
    }
    return 32;
}

bool isBlockCompressed(TextureFormat format) { return format >= TextureFormat::BC1; }

const char* formatName(TextureFormat format) {
    switch (format) {
        case TextureFormat::R8:
            return "R8";
        case TextureFormat::RG8:
            return "RG8";
        case TextureFormat::RGB8:
            return "RGB8";
        case TextureFormat::RGBA8:
            return "RGBA8";
        case TextureFormat::BGRA8:
            return "BGRA8";
        case TextureFormat::BC1:
            return "BC1";
        case TextureFormat::BC2:
            return "BC2";
        case TextureFormat::BC3:
            return "BC3";
        case TextureFormat::BC4:
            return "BC4";
        case TextureFormat::BC5:
            return "BC5";
        case TextureFormat::BC7:
            return "BC7";
    }
    return "?";
}

uint16_t mipSize(uint16_t size, uint8_t level) {
    return level >= 16 ? uint16_t(1) : std::max<uint16_t>(1, uint16_t(size >> level));
}

uint8_t fullMipCount(uint16_t width, uint16_t height, uint16_t depth) {
    uint16_t largest = std::max({width, height, depth});
    uint8_t count = 1;
    while (largest > 1) {
        largest >>= 1;
        ++count;
    }
    return count;
}

uint16_t faceCount(const TextureDesc& desc) { return desc.kind == TextureKind::Cube ? 6 : 1; }

uint64_t rowSize(TextureFormat format, uint16_t width) {
    if (isBlockCompressed(format)) {
        // Blocks of 4 x 4 texels: bits per pixel x 16 / 8 bytes each.
        return (uint64_t(width) + 3) / 4 * bitsPerPixel(format) * 2;
    }
    return uint64_t(width) * bitsPerPixel(format) / 8;
}

uint64_t imageSize(TextureFormat format, uint16_t width, uint16_t height, uint16_t depth) {
    uint64_t rows = isBlockCompressed(format) ? (uint64_t(height) + 3) / 4 : height;
    return rowSize(format, width) * rows * depth;
}

uint64_t faceSize(const TextureDesc& desc) {
    uint64_t size = 0;
    for (uint8_t level = 0; level < desc.numMips; ++level) {
        size +=
            imageSize(desc.format, mipSize(desc.width, level), mipSize(desc.height, level), mipSize(desc.depth, level));
    }
    return size;
}

uint64_t storageSize(const TextureDesc& desc) { return faceSize(desc) * faceCount(desc) * desc.numLayers; }

TextureInfo calcTextureSize(const TextureDesc& desc) {
    TextureInfo info;
    info.format = desc.format;
    info.width = desc.width;
    info.height = desc.height;
    info.depth = desc.depth;
    info.numLayers = desc.numLayers;
    info.numMips = desc.numMips;
    info.bitsPerPixel = bitsPerPixel(desc.format);
    info.cubeMap = desc.kind == TextureKind::Cube;
    info.storageSize = uint32_t(storageSize(desc));
    return info;
}

TextureInfo calcTextureSize(uint16_t width, uint16_t height, uint16_t depth, TextureFormat format) {
    TextureDesc desc;
    desc.kind = depth > 1 ? TextureKind::Volume : TextureKind::Flat;
    desc.format = format;
    desc.width = width;
    desc.height = height;
    desc.depth = depth == 0 ? 1 : depth;
    return calcTextureSize(desc);
}

}  // namespace gfx
