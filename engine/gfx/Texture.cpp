#include "engine/gfx/Texture.h"

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
    }
    return 32;
}

TextureInfo calcTextureSize(uint16_t width, uint16_t height, uint16_t depth, TextureFormat format) {
    TextureInfo info;
    info.format = format;
    info.width = width;
    info.height = height;
    info.depth = depth == 0 ? 1 : depth;
    info.numLayers = 1;
    info.bitsPerPixel = bitsPerPixel(format);
    info.storageSize = uint32_t(width) * height * info.depth * info.bitsPerPixel / 8;
    return info;
}

}  // namespace gfx
