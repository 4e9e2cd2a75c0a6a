#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/gfx/TextureContainer.h"

namespace gfx {

bool isDds(const uint8_t* bytes, size_t size);
// As readTextureContainer, for a file isDds recognised.
bool readDds(const uint8_t* bytes, size_t size, ContainerImage& image, std::string& fault);

}  // namespace gfx
