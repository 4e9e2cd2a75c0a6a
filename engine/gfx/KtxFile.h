#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/gfx/TextureContainer.h"

namespace gfx {

bool isKtx(const uint8_t* bytes, size_t size);
// As readTextureContainer, for a file isKtx recognised.
bool readKtx(const uint8_t* bytes, size_t size, ContainerImage& image, std::string& fault);

}  // namespace gfx
