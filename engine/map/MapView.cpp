#include "engine/map/MapView.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "engine/util/Fatal.h"

namespace Map {

namespace {

// Half of what the texture holds beyond the part the screen shows: the shown part reaches the
// map's edges when the window runs that far past them.
int shownMargin(int texture, int shown) { return shown > 0 ? std::max(texture - shown, 0) / 2 : 0; }

int roundUpToTiles(int pixels, int tileSize) {
    const int atLeastZero = std::max(pixels, 0);
    return (atLeastZero + tileSize - 1) / tileSize * tileSize;
}

}  // namespace

MapView::MapView(TileMap& map, const MapViewParams& params, IMapRenderer& renderer)
    : m_map(map),
      m_renderer(renderer),
      m_tileShiftX(map.getTileShiftX()),
      m_tileShiftY(map.getTileShiftY()),
      m_tileWidth(1 << m_tileShiftX),
      m_tileHeight(1 << m_tileShiftY),
      // Whole tiles keep the ring's period equal to the texture size, which the texture
      // coordinates and the change positions both rely on.
      m_viewWidth(roundUpToTiles(params.width, m_tileWidth)),
      m_viewHeight(roundUpToTiles(params.height, m_tileHeight)),
      m_maxTileUpdatesPerFrame(params.maxTileUpdatesPerFrame),
      m_textureWidth(m_tileWidth + m_viewWidth),
      m_textureHeight(m_viewHeight + m_tileHeight) {
    constexpr int kLargest = std::numeric_limits<uint16_t>::max();
    Game::TextureRecord texture;
    if (m_textureWidth <= kLargest && m_textureHeight <= kLargest) {
        texture = m_renderer.createTileTexture(uint16_t(m_textureWidth), uint16_t(m_textureHeight));
    }
    if (!texture.handle.valid()) {
        Util::fatal("Failed to create the map texture of " + std::to_string(m_textureWidth) + " x " +
                    std::to_string(m_textureHeight));
    }
    const Game::TextureRecord atlas = m_renderer.loadAtlas(params.atlasName);
    if (!atlas.handle.valid()) Util::fatal("Failed to load: " + params.atlasName);
    // Tiles are copied out of the atlas texel by texel.
    const gfx::TextureInfo& atlasInfo = atlas.info;
    if (atlasInfo.cubeMap || atlasInfo.depth > 1 || atlasInfo.numLayers > 1 ||
        gfx::isBlockCompressed(atlasInfo.format)) {
        Util::fatal("Tile atlas " + params.atlasName + " must be one uncompressed 2-D picture");
    }

    m_mapTexture = std::make_unique<MapTexture>(m_renderer, texture, atlas, m_tileShiftX, m_tileShiftY);
    m_atlasTileCount = m_mapTexture->getAtlasTileCount();
    if (m_atlasTileCount == 0) {
        Util::fatal("Tile atlas " + params.atlasName + " holds no whole " + std::to_string(m_tileWidth) + " x " +
                    std::to_string(m_tileHeight) + " tile");
    }
    m_minX = -shownMargin(m_textureWidth, params.shownWidth);
    m_minY = -shownMargin(m_textureHeight, params.shownHeight);
    m_maxX = m_map.getWidth() * m_tileWidth - m_textureWidth - m_minX;
    m_maxY = m_map.getHeight() * m_tileHeight - m_textureHeight - m_minY;
    m_rowsVisible = m_viewHeight / m_tileHeight + 1;
    m_colsVisible = m_viewWidth / m_tileWidth + 1;

    fill(params.x, params.y);
    m_map.addWatcher(this);
}

MapView::~MapView() {
    m_map.removeWatcher(this);
    const Game::TextureRecord texture = m_mapTexture->getTexture();
    const Game::TextureRecord atlas = m_mapTexture->getAtlas();
    m_mapTexture.reset();
    if (atlas.handle.valid()) m_renderer.destroyTexture(atlas);
    if (texture.handle.valid()) m_renderer.destroyTexture(texture);
}

void MapView::cellsChanged(const std::vector<TileChange>& changes) {
    m_pending.insert(m_pending.end(), changes.begin(), changes.end());
    if (m_immediate) flushChanges();
}

void MapView::cellChanged(const TileChange& change) {
    m_pending.push_back(change);
    if (m_immediate) flushChanges();
}

void MapView::flushChanges() {
    const int firstColumn = m_x >> m_tileShiftX;
    const int firstRow = m_y >> m_tileShiftY;
    int drawn = 0;
    for (const TileChange& change : m_pending) {
        const int column = change.x - firstColumn;
        const int row = change.y - firstRow;
        if (column < 0 || column >= m_colsVisible || row < 0 || row >= m_rowsVisible) continue;
        m_mapTexture->setTile(slotX(m_texX, column), slotY(m_texY, row), change.value & m_map.getValueMask());
        if (++drawn >= m_maxTileUpdatesPerFrame) {
            m_renderer.frame();
            drawn = 0;
        }
    }
    m_pending.clear();
}

void MapView::scrollTo(int x, int y, bool centred) {
    if (centred) {
        x -= m_viewWidth / 2;
        y -= m_viewHeight / 2;
    }
    x = clampX(x);
    y = clampY(y);
    int count = 0;
    // Columns are drawn across the old rows and rows across the new columns: together they
    // cover every tile that enters, the corner that both moves uncover included.
    scrollAlong(Axis::X, m_x >> m_tileShiftX, x >> m_tileShiftX, m_y >> m_tileShiftY, count);
    scrollAlong(Axis::Y, m_y >> m_tileShiftY, y >> m_tileShiftY, x >> m_tileShiftX, count);
    m_x = x;
    m_y = y;
}

void MapView::getCentre(int& x, int& y) const {
    x = m_textureWidth / 2 + m_x;
    y = m_textureHeight / 2 + m_y;
}

void MapView::buildQuad(PosTexCoordVertex vertices[4], int w, int h, bool halfTexel) const {
    const float halfW = float(w / 2);
    const float halfH = float(h / 2);
    const float texW = float(m_textureWidth);
    const float texH = float(m_textureHeight);
    const float insetU = halfTexel ? 0.5f / texW : 0.0f;
    const float insetV = halfTexel ? 0.5f / texH : 0.0f;
    const float cornerU = float((m_x & (m_tileWidth - 1)) + m_texX) / texW + float(m_textureWidth - w) * 0.5f / texW;
    const float cornerV = float((m_y & (m_tileHeight - 1)) + m_texY) / texH + float(m_textureHeight - h) * 0.5f / texH;
    const float uA = cornerU + insetU;
    const float uB = float(w) / texW + cornerU - insetU;
    const float vA = cornerV + insetV;
    const float vB = float(h) / texH + cornerV - insetV;
    vertices[0] = {-halfW, halfH, 0.0f, uA, vB};
    vertices[1] = {-halfW, -halfH, 0.0f, uA, vA};
    vertices[2] = {halfW, halfH, 0.0f, uB, vB};
    vertices[3] = {halfW, -halfH, 0.0f, uB, vA};
}

void MapView::fill(int x, int y) {
    m_x = clampX(x);
    m_y = clampY(y);
    m_texX = 0;
    m_texY = 0;
    // The whole window enters from the left, one column at a time, rightmost first.
    const int firstColumn = m_x >> m_tileShiftX;
    const int firstRow = m_y >> m_tileShiftY;
    int count = 0;
    for (int k = m_colsVisible - 1; k >= 0; --k) {
        drawColumn(firstColumn + k, firstRow, slotX(0, k));
        lineDrawn(count, m_rowsVisible);
    }
}

void MapView::scrollAlong(Axis axis, int oldFirst, int newFirst, int firstAcross, int& count) {
    const bool alongX = axis == Axis::X;
    const int visible = alongX ? m_colsVisible : m_rowsVisible;
    const int length = alongX ? m_rowsVisible : m_colsVisible;
    int& texOffset = alongX ? m_texX : m_texY;
    auto slot = [&](int tex, long long tiles) { return alongX ? slotX(tex, tiles) : slotY(tex, tiles); };
    auto draw = [&](int line) {
        if (alongX) {
            drawColumn(line, firstAcross, texOffset);
        } else {
            drawRow(line, firstAcross, texOffset);
        }
    };
    int steps = newFirst - oldFirst;
    // Lines that would leave again within this move are skipped, only their slots are passed.
    const int skipped = std::max(0, std::abs(steps) - visible);
    if (steps > 0) {
        texOffset = slot(texOffset, skipped);
        oldFirst += skipped;
        steps -= skipped;
        for (int i = 0; i < steps; ++i) {
            draw(oldFirst + visible + i);
            texOffset = slot(texOffset, 1);
            lineDrawn(count, length);
        }
    } else if (steps < 0) {
        texOffset = slot(texOffset, -skipped);
        oldFirst -= skipped;
        steps += skipped;
        for (int i = 0; i < -steps; ++i) {
            texOffset = slot(texOffset, -1);
            draw(oldFirst - 1 - i);
            lineDrawn(count, length);
        }
    }
}

void MapView::drawColumn(int column, int firstRow, int texX) {
    for (int k = 0; k < m_rowsVisible; ++k) {
        m_mapTexture->setTile(texX, slotY(m_texY, k), tileAt(column, firstRow + k));
    }
}

void MapView::drawRow(int row, int firstColumn, int texY) {
    for (int k = 0; k < m_colsVisible; ++k) {
        m_mapTexture->setTile(slotX(m_texX, k), texY, tileAt(firstColumn + k, row));
    }
}

void MapView::lineDrawn(int& count, int length) {
    count += length;
    if (count + length >= m_maxTileUpdatesPerFrame) {
        m_renderer.frame();
        count = 0;
    }
}

int MapView::tileAt(int x, int y) const {
    return m_map.contains(x, y) ? m_map.getCell(x, y) & m_map.getValueMask() : -1;
}

// A map smaller than the shown part has a maximum below its minimum; its window stays at the
// minimum.
int MapView::clampX(int x) const { return std::max(m_minX, std::min(x, m_maxX)); }

int MapView::clampY(int y) const { return std::max(m_minY, std::min(y, m_maxY)); }

int MapView::slotX(int texX, long long tiles) const {
    const long long pos = (texX + tiles * m_tileWidth) % m_textureWidth;
    return int(pos < 0 ? pos + m_textureWidth : pos);
}

int MapView::slotY(int texY, long long tiles) const {
    const long long pos = (texY + tiles * m_tileHeight) % m_textureHeight;
    return int(pos < 0 ? pos + m_textureHeight : pos);
}

}  // namespace Map
