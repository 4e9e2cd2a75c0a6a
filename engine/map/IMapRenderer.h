#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/gfx/TextureLoader.h"

namespace Map {

// The renderer as a map view uses it. The game passes gfxMapRenderer(); tests that run without a
// GPU pass a stand-in that keeps the textures in memory.
class IMapRenderer {
public:
    virtual ~IMapRenderer() = default;

    // An RGBA8 texture of undefined contents that tiles are written into; an invalid handle when
    // the renderer cannot make one of that size.
    virtual Game::TextureRecord createTileTexture(uint16_t width, uint16_t height) = 0;
    // The tile atlas image in its own pixel format; an invalid handle when it cannot be loaded.
    virtual Game::TextureRecord loadAtlas(const std::string& path) = 0;
    // The texture's texels as they are now, row 0 first (info.storageSize bytes); false when
    // they cannot be read.
    virtual bool readTexture(const Game::TextureRecord& texture, std::vector<uint8_t>& texels) = 0;
    // Writes a width x height block of tightly packed RGBA8 texels at (x, y).
    virtual void updateTexture(const Game::TextureRecord& texture, int x, int y, int width, int height,
                               const uint8_t* rgba) = 0;
    // Ends the renderer's frame, so that the uploads made so far are taken before more arrive.
    virtual void frame() = 0;
    virtual void destroyTexture(const Game::TextureRecord& texture) = 0;
};

// The renderer layer's own implementation.
IMapRenderer& gfxMapRenderer();

}  // namespace Map
