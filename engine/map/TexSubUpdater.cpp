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
        case gfx::TextureFormat::BC1:
        case gfx::TextureFormat::BC2:
        case gfx::TextureFormat::BC3:
        case gfx::TextureFormat::BC4:
        case gfx::TextureFormat::BC5:
        case gfx::TextureFormat::BC7:
            break;  // the view refuses block-compressed atlases before any tile is copied
    }
}

}  // namespace

TexSubUpdater::TexSubUpdater(IMapRenderer& renderer, const Game::TextureRecord& texture,
                             const Game::TextureRecord& atlas, int tileShiftX, int tileShiftY)
    : MapTexture::Updater(texture, atlas, tileShiftX, tileShiftY),
      m_renderer(renderer),
      m_blockSize(size_t(m_tileWidth) * size_t(m_tileHeight) * 4) {
    packAtlas();
}

void TexSubUpdater::packAtlas() {
    std::vector<uint8_t> texels;
    const size_t texelCount = size_t(m_atlasWidth) * size_t(m_atlasHeight);
    const size_t bytesPerTexel = gfx::bitsPerPixel(m_atlas.info.format) / 8;
    if (!m_renderer.readTexture(m_atlas, texels) || texels.size() < texelCount * bytesPerTexel) {
        Util::fatal("Failed to read back the tile atlas");
    }
    const int tileCount = getAtlasTileCount();
    m_packed.assign(m_blockSize * size_t(tileCount + 1), 0);
    uint8_t* pOut = m_packed.data();
    for (int row = 0; row < m_atlasTilesDown; ++row) {
        for (int column = 0; column < m_atlasTilesAcross; ++column) {
            for (int k = 0; k < m_tileHeight; ++k) {
                const size_t first =
                    size_t(row * m_tileHeight + k) * size_t(m_atlasWidth) + size_t(column * m_tileWidth);
                for (int i = 0; i < m_tileWidth; ++i, pOut += 4) {
                    toRgba(m_atlas.info.format, texels.data(), first + size_t(i), pOut);
                }
            }
        }
    }
}

void TexSubUpdater::update(int x, int y, int tile) {
    const int tileCount = getAtlasTileCount();
    const size_t block = size_t(tile >= 0 && tile < tileCount ? tile : tileCount);
    m_renderer.updateTexture(m_texture, x, y, m_tileWidth, m_tileHeight, m_packed.data() + block * m_blockSize);
}

}  // namespace Map
