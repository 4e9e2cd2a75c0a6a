#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/map/IMapRenderer.h"
#include "engine/map/MapTexture.h"

namespace Map {

// Writes each tile as one sub-rectangle upload straight from a copy of the atlas re-packed tile
// by tile, so an upload never gathers rows from across the atlas.
class TexSubUpdater : public MapTexture::Updater {
public:
    // The atlas is read back here, once, and converted to RGBA8 whatever its own format.
    TexSubUpdater(IMapRenderer& renderer, const Game::TextureRecord& texture, const Game::TextureRecord& atlas,
                  int tileShiftX, int tileShiftY);

    void update(int x, int y, int tile) override;

private:
    void packAtlas();

    IMapRenderer& m_renderer;
    // One block per atlas tile, then one blank block for indexes outside the atlas.
    std::vector<uint8_t> m_packed;
    size_t m_blockSize;
};

}  // namespace Map
