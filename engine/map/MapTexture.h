#pragma once
#include <memory>

#include "engine/gfx/TextureLoader.h"
#include "engine/map/IMapRenderer.h"
#include "engine/util/NonCopyable.h"

namespace Map {

// A texture that map tiles are written into, and the atlas they are copied from. The records
// belong to the map view, which destroys both textures.
class MapTexture : Util::NonCopyable {
public:
    // Copies atlas tiles into the texture. Tiles are numbered row-major from texture row 0 of
    // the atlas; an index outside the atlas writes a blank (transparent black) tile.
    class Updater {
    public:
        Updater(const Game::TextureRecord& texture, const Game::TextureRecord& atlas, int tileShiftX, int tileShiftY);
        virtual ~Updater() = default;
        // Writes one tile with its first texel at texture pixel (x, y).
        virtual void update(int x, int y, int tile) = 0;

        int getTileWidth() const { return m_tileWidth; }
        int getTileHeight() const { return m_tileHeight; }
        int getAtlasTileCount() const { return m_atlasTilesAcross * m_atlasTilesDown; }

    protected:
        Game::TextureRecord m_texture;
        Game::TextureRecord m_atlas;
        int m_tileShiftX;
        int m_tileShiftY;
        int m_textureWidth;
        int m_textureHeight;
        int m_atlasWidth;
        int m_atlasHeight;
        int m_tileWidth;
        int m_tileHeight;
        // Whole tiles only: a strip narrower than a tile at the right or top edge is never read.
        int m_atlasTilesAcross;
        int m_atlasTilesDown;
    };

    // Reads the atlas back once, through the renderer, to pack its tiles.
    MapTexture(IMapRenderer& renderer, const Game::TextureRecord& texture, const Game::TextureRecord& atlas,
               int tileShiftX, int tileShiftY);

    const Game::TextureRecord& getTexture() const { return m_texture; }
    const Game::TextureRecord& getAtlas() const { return m_atlas; }
    int getAtlasTileCount() const { return m_updater->getAtlasTileCount(); }
    void setTile(int x, int y, int tile) { m_updater->update(x, y, tile); }

private:
    Game::TextureRecord m_texture;
    Game::TextureRecord m_atlas;
    std::unique_ptr<Updater> m_updater;
};

}  // namespace Map
