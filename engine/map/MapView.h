#pragma once
#include <memory>
#include <vector>

#include "engine/gfx/VertexFormats.h"
#include "engine/map/IMapRenderer.h"
#include "engine/map/IMapWatcher.h"
#include "engine/map/MapTexture.h"
#include "engine/map/MapViewParams.h"
#include "engine/map/TileMap.h"
#include "engine/util/NonCopyable.h"

namespace Map {

// The visible part of a tile map, kept in a texture one tile wider and one tile higher than the
// window. The texture is a ring buffer both ways: scrolling writes only the tile columns and rows
// that enter the window, into the slots of those that left it, and the quad's texture
// coordinates follow (they run past 1 where the window wraps, so the texture repeats).
//
// Texture position (texX, texY) holds the tile at the window's first column and row; the tile k
// columns and j rows on from it sits k tile widths and j tile heights further into the texture
// (texture row 0 first), wrapping at the texture's edges.
class MapView : public IMapWatcher, Util::NonCopyable {
public:
    // Creates the texture, loads and packs the atlas (an atlas that does not load, or holds no
    // whole tile, is a fatal stop), draws the window at (params.x, params.y) and starts watching
    // the map. A window size that is not a whole number of tiles is rounded up to one.
    MapView(TileMap& map, const MapViewParams& params, IMapRenderer& renderer = gfxMapRenderer());
    ~MapView() override;

    // Changes are drawn when they lie in the window; the map already holds the values, so those
    // outside are drawn by scrolling when they enter.
    void cellsChanged(const std::vector<TileChange>& changes) override;
    void cellChanged(const TileChange& change) override;
    // When set (the default), every change is drawn at once; otherwise changes wait for
    // flushChanges.
    void setImmediate(bool immediate) { m_immediate = immediate; }
    void flushChanges();

    // Moves the window's top-left corner (or, when centred, its centre) to map pixel (x, y),
    // kept inside the map.
    void scrollTo(int x, int y, bool centred);

    const Game::TextureRecord& getTexture() const { return m_mapTexture->getTexture(); }
    const TileMap& getMap() const { return m_map; }
    // The map pixel shown at the centre of the quad.
    void getCentre(int& x, int& y) const;
    // A w x h quad centred on the origin, y up, as a triangle strip: top-left, bottom-left,
    // top-right, bottom-right. halfTexel insets the texture coordinates by half a texel.
    void buildQuad(PosTexCoordVertex vertices[4], int w, int h, bool halfTexel) const;

    int getX() const { return m_x; }
    int getY() const { return m_y; }
    int getTexX() const { return m_texX; }
    int getTexY() const { return m_texY; }
    int getViewWidth() const { return m_viewWidth; }
    int getViewHeight() const { return m_viewHeight; }
    int getTextureWidth() const { return m_textureWidth; }
    int getTextureHeight() const { return m_textureHeight; }
    int getColsVisible() const { return m_colsVisible; }
    int getRowsVisible() const { return m_rowsVisible; }
    int getMinX() const { return m_minX; }
    int getMinY() const { return m_minY; }
    int getMaxX() const { return m_maxX; }
    int getMaxY() const { return m_maxY; }
    int getAtlasTileCount() const { return m_atlasTileCount; }

private:
    void fill(int x, int y);
    enum class Axis { X, Y };
    // Brings the tile columns (along x) or rows (along y) that enter the window when its first
    // line moves from oldFirst to newFirst into the ring; firstAcross is the first line the
    // other way.
    void scrollAlong(Axis axis, int oldFirst, int newFirst, int firstAcross, int& count);
    void drawColumn(int column, int firstRow, int texX);
    void drawRow(int row, int firstColumn, int texY);
    // Counts a drawn column or row against the budget and ends the frame before the next line
    // would reach it.
    void lineDrawn(int& count, int length);
    // The atlas tile of map cell (x, y); -1 (blank) outside the map.
    int tileAt(int x, int y) const;
    int clampX(int x) const;
    int clampY(int y) const;
    // Slot arithmetic of the ring: texture positions step by a tile and wrap at the texture edge.
    int slotX(int texX, long long tiles) const;
    int slotY(int texY, long long tiles) const;

    TileMap& m_map;
    IMapRenderer& m_renderer;
    int m_tileShiftX;
    int m_tileShiftY;
    int m_tileWidth;
    int m_tileHeight;
    int m_viewWidth;
    int m_viewHeight;
    int m_maxTileUpdatesPerFrame;
    int m_textureWidth;
    int m_textureHeight;
    std::unique_ptr<MapTexture> m_mapTexture;
    int m_atlasTileCount = 0;
    int m_minX = 0;
    int m_minY = 0;
    int m_maxX = 0;
    int m_maxY = 0;
    int m_rowsVisible = 0;
    int m_colsVisible = 0;
    int m_x = 0;
    int m_y = 0;
    int m_texX = 0;
    int m_texY = 0;
    std::vector<TileChange> m_pending;
    bool m_immediate = true;
};

}  // namespace Map
