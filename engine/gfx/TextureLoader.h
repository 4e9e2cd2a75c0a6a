#pragma once

#include <string>

#include "engine/gfx/Handles.h"
#include "engine/gfx/Texture.h"

namespace gfx {

// Any image stb_image decodes, in its own channel count and with row 0 at the top of the file.
// Invalid handle when the file cannot be read or decoded. `info` may be null.
TextureHandle createTextureFromFile(const std::string& path, SamplerFlags flags, TextureInfo* info);

}  // namespace gfx

namespace Game {

// A texture and what it is. The handle is invalid when loading failed; the caller owns the
// texture and destroys it.
struct TextureRecord {
    gfx::TextureHandle handle;
    gfx::TextureInfo info;
};

// ".png" and ".tga" files load flipped vertically (row 0 is the bottom of the picture, as
// texture coordinates expect); names containing ".3D." hold a stack of square slices and make
// a width x s x s 3D texture, s the square root of the height. Other files load as
// gfx::createTextureFromFile does.
TextureRecord loadTexture(const std::string& path, gfx::SamplerFlags flags);

// An RGBA8 2D texture with undefined contents.
TextureRecord createEmptyTexture(uint16_t width, uint16_t height, gfx::SamplerFlags flags);

}  // namespace Game
