#include "engine/gfx/ContainerParts.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace gfx {

bool ByteReader::skip(size_t count) {
    if (count > remaining()) {
        return false;
    }
    m_offset += count;
    return true;
}

bool ByteReader::readU32(uint32_t& value) {
    if (remaining() < 4) {
        return false;
    }
    const uint8_t* b = here();
    value = m_bigEndian ? uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3]
                        : uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0];
    m_offset += 4;
    return true;
}

void ByteReader::alignToFour() { skip(std::min<size_t>((4 - m_offset % 4) % 4, remaining())); }

namespace {

bool inRange(const char* name, uint32_t value, std::string& fault) {
    constexpr uint32_t kLargest = std::numeric_limits<uint16_t>::max();
    if (value == 0 || value > kLargest) {
        fault = std::string(name) + " " + std::to_string(value) + " is outside 1 to 65535";
        return false;
    }
    return true;
}

}  // namespace

bool describeTexture(const ContainerShape& shape, TextureDesc& desc, std::string& fault) {
    if (!inRange("width", shape.width, fault) || !inRange("height", shape.height, fault) ||
        !inRange("depth", shape.depth, fault) || !inRange("layer count", shape.numLayers, fault)) {
        return false;
    }
    if (shape.kind == TextureKind::Cube && shape.width != shape.height) {
        fault = "cube map faces of " + std::to_string(shape.width) + " x " + std::to_string(shape.height) +
                " are not square";
        return false;
    }
    uint8_t fullMips = fullMipCount(uint16_t(shape.width), uint16_t(shape.height), uint16_t(shape.depth));
    if (shape.numMips == 0 || shape.numMips > fullMips) {
        fault = "mip count " + std::to_string(shape.numMips) + " is beyond a " + std::to_string(shape.width) + " x " +
                std::to_string(shape.height) + " x " + std::to_string(shape.depth) + " image (at most " +
                std::to_string(fullMips) + ")";
        return false;
    }
    desc = TextureDesc();
    desc.kind = shape.kind;
    desc.format = shape.format;
    desc.width = uint16_t(shape.width);
    desc.height = uint16_t(shape.height);
    desc.depth = uint16_t(shape.depth);
    desc.numLayers = uint16_t(shape.numLayers);
    desc.numMips = uint8_t(shape.numMips);
    if (storageSize(desc) > std::numeric_limits<uint32_t>::max()) {
        fault = "texels of " + std::to_string(storageSize(desc)) + " bytes exceed 4 GiB";
        return false;
    }
    return true;
}

std::string hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

}  // namespace gfx
