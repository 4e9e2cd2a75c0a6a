#include "engine/map/MapTexture.h"

#include "engine/map/TexSubUpdater.h"

namespace Map {

MapTexture::Updater::Updater(const Game::TextureRecord& texture, const Game::TextureRecord& atlas, int tileShiftX,
                             int tileShiftY)
    : m_texture(texture),
      m_atlas(atlas),
      m_tileShiftX(tileShiftX),
      m_tileShiftY(tileShiftY),
      m_textureWidth(texture.info.width),
      m_textureHeight(texture.info.height),
      m_atlasWidth(atlas.info.width),
      m_atlasHeight(atlas.info.height),
      m_tileWidth(1 << tileShiftX),
      m_tileHeight(1 << tileShiftY),
      m_atlasTilesAcross(m_atlasWidth / m_tileWidth),
      m_atlasTilesDown(m_atlasHeight / m_tileHeight) {}

MapTexture::MapTexture(IMapRenderer& renderer, const Game::TextureRecord& texture, const Game::TextureRecord& atlas,
                       int tileShiftX, int tileShiftY)
    : m_texture(texture),
      m_atlas(atlas),
      m_updater(std::make_unique<TexSubUpdater>(renderer, texture, atlas, tileShiftX, tileShiftY)) {}

}  // namespace Map
