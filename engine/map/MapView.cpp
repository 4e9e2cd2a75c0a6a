#include "engine/map/MapView.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

#include "engine/util/Fatal.h"

namespace Map {

namespace {

int roundUpToTiles(int pixels, int tileSize) {
    const int l_pixels = std::max(pixels, 0);
    return (l_pixels + tileSize - 1) / tileSize * tileSize;
}

}  // namespace

MapView::MapView(TileMap& map, const MapViewParams& params, I_MapRenderer& renderer)
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
    Game::TextureRecord l_texture;
    if (m_textureWidth <= kLargest && m_textureHeight <= kLargest) {
        l_texture = m_renderer.createTileTexture(uint16_t(m_textureWidth), uint16_t(m_textureHeight));
    }
    if (!l_texture.handle.valid()) {
        Util::fatal("Failed to create the map texture of " + std::to_string(m_textureWidth) + " x " +
                    std::to_string(m_textureHeight));
    }
    const Game::TextureRecord l_atlas = m_renderer.loadAtlas(params.atlasName);
    if (!l_atlas.handle.valid()) Util::fatal("Failed to load: " + params.atlasName);

    m_mapTexture = std::make_unique<MapTexture>(m_renderer, l_texture, l_atlas, m_tileShiftX, m_tileShiftY);
    m_atlasTileCount = m_mapTexture->getAtlasTileCount();
    if (m_atlasTileCount == 0) {
        Util::fatal("Tile atlas " + params.atlasName + " holds no whole " + std::to_string(m_tileWidth) + " x " +
                    std::to_string(m_tileHeight) + " tile");
    }
    m_maxX = m_map.getWidth() * m_tileWidth - m_textureWidth;
    m_maxY = m_map.getHeight() * m_tileHeight - m_textureHeight;
    m_rowsVisible = m_viewHeight / m_tileHeight + 1;
    m_colsVisible = m_viewWidth / m_tileWidth + 1;

    fill(params.x, params.y);
    m_map.addWatcher(this);
}

MapView::~MapView() {
    m_map.removeWatcher(this);
    const Game::TextureRecord l_texture = m_mapTexture->getTexture();
    const Game::TextureRecord l_atlas = m_mapTexture->getAtlas();
    m_mapTexture.reset();
    if (l_atlas.handle.valid()) m_renderer.destroyTexture(l_atlas);
    if (l_texture.handle.valid()) m_renderer.destroyTexture(l_texture);
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
    const int l_firstColumn = m_x >> m_tileShiftX;
    const int l_firstRow = m_y >> m_tileShiftY;
    int l_drawn = 0;
    for (const TileChange& l_change : m_pending) {
        const int l_column = l_change.x - l_firstColumn;
        const int l_row = l_change.y - l_firstRow;
        if (l_column < 0 || l_column >= m_colsVisible || l_row < 0 || l_row >= m_rowsVisible) continue;
        m_mapTexture->setTile(slotX(m_texX, l_column), slotY(m_texY, l_row), l_change.value & m_map.getValueMask());
        if (++l_drawn >= m_maxTileUpdatesPerFrame) {
            m_renderer.frame();
            l_drawn = 0;
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
    int l_count = 0;
    // Columns are drawn across the old rows and rows across the new columns: together they
    // cover every tile that enters, the corner that both moves uncover included.
    scrollAlong(Axis::X, m_x >> m_tileShiftX, x >> m_tileShiftX, m_y >> m_tileShiftY, l_count);
    scrollAlong(Axis::Y, m_y >> m_tileShiftY, y >> m_tileShiftY, x >> m_tileShiftX, l_count);
    m_x = x;
    m_y = y;
}

void MapView::getCentre(int& x, int& y) const {
    x = m_textureWidth / 2 + m_x;
    y = m_textureHeight / 2 + m_y;
}

void MapView::buildQuad(PosTexCoordVertex vertices[4], int w, int h, bool halfTexel) const {
    const float l_halfW = float(w / 2);
    const float l_halfH = float(h / 2);
    const float l_texW = float(m_textureWidth);
    const float l_texH = float(m_textureHeight);
    const float l_insetU = halfTexel ? 0.5f / l_texW : 0.0f;
    const float l_insetV = halfTexel ? 0.5f / l_texH : 0.0f;
    const float l_cornerU =
        float((m_x & (m_tileWidth - 1)) + m_texX) / l_texW + float(m_textureWidth - w) * 0.5f / l_texW;
    const float l_cornerV =
        float((m_y & (m_tileHeight - 1)) + m_texY) / l_texH + float(m_textureHeight - h) * 0.5f / l_texH;
    const float l_uA = l_cornerU + l_insetU;
    const float l_uB = float(w) / l_texW + l_cornerU - l_insetU;
    const float l_vA = l_cornerV + l_insetV;
    const float l_vB = float(h) / l_texH + l_cornerV - l_insetV;
    vertices[0] = {-l_halfW, l_halfH, 0.0f, l_uA, l_vB};
    vertices[1] = {-l_halfW, -l_halfH, 0.0f, l_uA, l_vA};
    vertices[2] = {l_halfW, l_halfH, 0.0f, l_uB, l_vB};
    vertices[3] = {l_halfW, -l_halfH, 0.0f, l_uB, l_vA};
}

void MapView::fill(int x, int y) {
    m_x = clampX(x);
    m_y = clampY(y);
    m_texX = 0;
    m_texY = 0;
    // The whole window enters from the left, one column at a time, rightmost first.
    const int l_firstColumn = m_x >> m_tileShiftX;
    const int l_firstRow = m_y >> m_tileShiftY;
    int l_count = 0;
    for (int l_k = m_colsVisible - 1; l_k >= 0; --l_k) {
        drawColumn(l_firstColumn + l_k, l_firstRow, slotX(0, l_k));
        lineDrawn(l_count, m_rowsVisible);
    }
}

void MapView::scrollAlong(Axis axis, int oldFirst, int newFirst, int firstAcross, int& count) {
    const bool l_alongX = axis == Axis::X;
    const int l_visible = l_alongX ? m_colsVisible : m_rowsVisible;
    const int l_length = l_alongX ? m_rowsVisible : m_colsVisible;
    int& l_tex = l_alongX ? m_texX : m_texY;
    auto l_slot = [&](int tex, long long tiles) { return l_alongX ? slotX(tex, tiles) : slotY(tex, tiles); };
    auto l_draw = [&](int line) {
        if (l_alongX) {
            drawColumn(line, firstAcross, l_tex);
        } else {
            drawRow(line, firstAcross, l_tex);
        }
    };
    int l_steps = newFirst - oldFirst;
    // Lines that would leave again within this move are skipped, only their slots are passed.
    const int l_skipped = std::max(0, std::abs(l_steps) - l_visible);
    if (l_steps > 0) {
        l_tex = l_slot(l_tex, l_skipped);
        oldFirst += l_skipped;
        l_steps -= l_skipped;
        for (int l_i = 0; l_i < l_steps; ++l_i) {
            l_draw(oldFirst + l_visible + l_i);
            l_tex = l_slot(l_tex, 1);
            lineDrawn(count, l_length);
        }
    } else if (l_steps < 0) {
        l_tex = l_slot(l_tex, -l_skipped);
        oldFirst -= l_skipped;
        l_steps += l_skipped;
        for (int l_i = 0; l_i < -l_steps; ++l_i) {
            l_tex = l_slot(l_tex, -1);
            l_draw(oldFirst - 1 - l_i);
            lineDrawn(count, l_length);
        }
    }
}

void MapView::drawColumn(int column, int firstRow, int texX) {
    for (int l_k = 0; l_k < m_rowsVisible; ++l_k) {
        m_mapTexture->setTile(texX, slotY(m_texY, l_k), tileAt(column, firstRow + l_k));
    }
}

void MapView::drawRow(int row, int firstColumn, int texY) {
    for (int l_k = 0; l_k < m_colsVisible; ++l_k) {
        m_mapTexture->setTile(slotX(m_texX, l_k), texY, tileAt(firstColumn + l_k, row));
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

// A map smaller than the texture has a negative maximum; its window stays at 0.
int MapView::clampX(int x) const { return std::max(0, std::min(x, m_maxX)); }

int MapView::clampY(int y) const { return std::max(0, std::min(y, m_maxY)); }

int MapView::slotX(int texX, long long tiles) const {
    const long long l_pos = (texX + tiles * m_tileWidth) % m_textureWidth;
    return int(l_pos < 0 ? l_pos + m_textureWidth : l_pos);
}

int MapView::slotY(int texY, long long tiles) const {
    const long long l_pos = (texY + tiles * m_tileHeight) % m_textureHeight;
    return int(l_pos < 0 ? l_pos + m_textureHeight : l_pos);
}

}  // namespace Map
