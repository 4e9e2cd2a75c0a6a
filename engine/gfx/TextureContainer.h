#pragma once

// GPU texture container files: KTX (version 1) and DDS, read from memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/gfx/Texture.h"

namespace gfx {

// A texture as a container file holds it.
struct ContainerImage {
    TextureDesc desc;             // the sampler flags stay at the default
    std::vector<uint8_t> texels;  // storageSize(desc) bytes, laid out as Texture.h says
};

// Whether the bytes begin as a KTX (version 1) or a DDS file does.
bool isTextureContainer(const uint8_t* bytes, size_t size);

// Reads a file that isTextureContainer recognised. False, with fault set to one line saying what
// is wrong (without the file's name), when the file is truncated or inconsistent or holds a
// format or shape the renderer has no texture for; nothing is read past size.
bool readTextureContainer(const uint8_t* bytes, size_t size, ContainerImage& image, std::string& fault);

}  // namespace gfx
