#pragma once

// What the KTX and DDS readers share: bounded reading of the file and the checks that turn the
// numbers in its header into a texture description.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/gfx/Texture.h"

namespace gfx {

// Reads 32-bit words in the file's byte order and never past the end: a read that does not fit
// says false and leaves the position where it was.
class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

    void setBigEndian(bool bigEndian) { m_bigEndian = bigEndian; }
    size_t offset() const { return m_offset; }
    size_t remaining() const { return m_size - m_offset; }
    const uint8_t* here() const { return m_bytes + m_offset; }

    bool skip(size_t count);
    bool readU32(uint32_t& value);
    // Moves to the next multiple of four from the start of the file, as far as the file goes.
    void alignToFour();

private:
    const uint8_t* m_bytes;
    size_t m_size;
    size_t m_offset = 0;
    bool m_bigEndian = false;
};

// A texture as a file's header gives it, in 32-bit numbers; 0 never stands for 1 here (the
// readers resolve their formats' conventions first).
struct ContainerShape {
    TextureKind kind = TextureKind::Flat;
    TextureFormat format = TextureFormat::RGBA8;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t depth = 1;
    uint32_t numLayers = 1;
    uint32_t numMips = 1;
};

// False, with fault saying which number is wrong, when the shape is not a texture the renderer
// can hold: a side or count of 0 or above 65535, more mip levels than the largest side halves
// to, cube faces that are not square, more than 4 GiB of texels.
bool describeTexture(const ContainerShape& shape, TextureDesc& desc, std::string& fault);

std::string hex(uint32_t value);

}  // namespace gfx
