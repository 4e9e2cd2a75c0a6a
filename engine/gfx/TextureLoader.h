#pragma once

#include <string>

#include "engine/gfx/Handles.h"
#include "engine/gfx/Texture.h"

namespace gfx {

// KTX (version 1) and DDS files, known by their first bytes, make the texture they hold: a cube
// map, a volume or a flat texture, with their mip levels and layers. A broken one, or one whose
// format or shape the renderer cannot make, gives an invalid handle and one line on standard
// error naming the file and what is wrong.
// Any other image stb_image decodes makes a flat texture in its own channel count with row 0 at
// the top of the file, or an invalid handle, silently.
// Also an invalid handle, silently, when the file cannot be read. `info` may be null.
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
