#include "engine/map/TexSubUpdater.h"

#include <cstring>

#include "engine/util/Fatal.h"

namespace Map {

namespace {

// Texel i of `texels` as RGBA8.
void toRgba(gfx::TextureFormat format, const uint8_t* texels, size_t i, uint8_t* rgba) {
    switch (format) {
        case gfx::TextureFormat::R8:
            rgba[0] = rgba[1] = rgba[2] = texels[i];
            rgba[3] = 255;
            return;
        case gfx::TextureFormat::RG8:
            rgba[0] = texels[i * 2];
            rgba[1] = texels[i * 2 + 1];
            rgba[2] = 0;
            rgba[3] = 255;
            return;
        case gfx::TextureFormat::RGB8:
            std::memcpy(rgba, texels + i * 3, 3);
            rgba[3] = 255;
            return;
        case gfx::TextureFormat::RGBA8:
            std::memcpy(rgba, texels + i * 4, 4);
            return;
        case gfx::TextureFormat::BGRA8:
            rgba[0] = texels[i * 4 + 2];
            rgba[1] = texels[i * 4 + 1];
            rgba[2] = texels[i * 4];
            rgba[3] = texels[i * 4 + 3];
            return;
    }
}

}  // namespace

TexSubUpdater::TexSubUpdater(I_MapRenderer& renderer, const Game::TextureRecord& texture,
                             const Game::TextureRecord& atlas, int tileShiftX, int tileShiftY)
    : MapTexture::Updater(texture, atlas, tileShiftX, tileShiftY),
      m_renderer(renderer),
      m_blockSize(size_t(m_tileWidth) * size_t(m_tileHeight) * 4) {
    packAtlas();
}

void TexSubUpdater::packAtlas() {
    std::vector<uint8_t> l_texels;
    const size_t l_texelCount = size_t(m_atlasWidth) * size_t(m_atlasHeight);
    const size_t l_bytesPerTexel = gfx::bitsPerPixel(m_atlas.info.format) / 8;
    if (!m_renderer.readTexture(m_atlas, l_texels) || l_texels.size() < l_texelCount * l_bytesPerTexel) {
        Util::fatal("Failed to read back the tile atlas");
    }
    const int l_tileCount = getAtlasTileCount();
    m_packed.assign(m_blockSize * size_t(l_tileCount + 1), 0);
    uint8_t* l_pOut = m_packed.data();
    for (int l_row = 0; l_row < m_atlasTilesDown; ++l_row) {
        for (int l_column = 0; l_column < m_atlasTilesAcross; ++l_column) {
            for (int l_k = 0; l_k < m_tileHeight; ++l_k) {
                const size_t l_first =
                    size_t(l_row * m_tileHeight + l_k) * size_t(m_atlasWidth) + size_t(l_column * m_tileWidth);
                for (int l_i = 0; l_i < m_tileWidth; ++l_i, l_pOut += 4) {
                    toRgba(m_atlas.info.format, l_texels.data(), l_first + size_t(l_i), l_pOut);
                }
            }
        }
    }
}

void TexSubUpdater::update(int x, int y, int tile) {
    const int l_tileCount = getAtlasTileCount();
    const size_t l_block = size_t(tile >= 0 && tile < l_tileCount ? tile : l_tileCount);
    m_renderer.updateTexture(m_texture, x, y, m_tileWidth, m_tileHeight, m_packed.data() + l_block * m_blockSize);
}

}  // namespace Map
