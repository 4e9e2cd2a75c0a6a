#include "engine/map/TileCollisionMap.h"

#include "data/TileCollInfo_generated.h"
#include "engine/data/Info.h"

namespace Map {

namespace {

bool fits(const TileCollInfo& info, const TileMap& map) {
    const int subShift = info.sub_shift();
    if (subShift < 0 || subShift > TileCollisionMap::kMaxSubShift || subShift > map.getTileShiftX() ||
        subShift > map.getTileShiftY()) {
        return false;
    }
    const int typeCount = info.tile_type_count();
    if (typeCount < 0 || typeCount > TileCollisionMap::kMaxTileTypeCount) return false;
    for (const TileCollPattern* pPattern : *info.patterns()) {
        if (pPattern->tile_type() < 0 || pPattern->tile_type() > typeCount) return false;
        if (pPattern->values()->size() > flatbuffers::uoffset_t(TileCollisionMap::kPatternSize)) return false;
    }
    return true;
}

}  // namespace

TileCollisionMap::TileCollisionMap(TileMap& map) : m_map(map) {}

TileCollisionMap::~TileCollisionMap() { m_map.removeWatcher(this); }

bool TileCollisionMap::load(const std::string& folder, const std::string& dataName) {
    Game::Info info;
    if (!info.loadSchema(folder + "/TileCollInfo.fbs") || !info.loadData(folder + "/" + dataName)) return false;
    const TileCollInfo* pInfo = GetTileCollInfo(info.data());
    if (!fits(*pInfo, m_map)) return false;

    m_subShift = pInfo->sub_shift();
    m_tileTypeCount = pInfo->tile_type_count();
    m_gridWidth = m_map.getWidth() << m_subShift;
    m_gridHeight = m_map.getHeight() << m_subShift;
    m_patterns.assign(size_t(m_tileTypeCount + 1) * kPatternSize, 0);
    for (const TileCollPattern* pPattern : *pInfo->patterns()) {
        int16_t* pOut = &m_patterns[size_t(pPattern->tile_type()) * kPatternSize];
        for (const int32_t value : *pPattern->values()) *pOut++ = int16_t(value);
    }
    m_grid.assign(size_t(m_gridWidth) * size_t(m_gridHeight), 0);
    for (int y = 0; y < m_map.getHeight(); ++y) {
        for (int x = 0; x < m_map.getWidth(); ++x) cellChanged({x, y, m_map.getCell(x, y)});
    }
    m_map.addWatcher(this);
    return true;
}

void TileCollisionMap::cellsChanged(const std::vector<TileChange>& changes) {
    for (const TileChange& change : changes) cellChanged(change);
}

void TileCollisionMap::cellChanged(const TileChange& change) {
    if (m_grid.empty() || !m_map.contains(change.x, change.y)) return;
    static const int16_t s_free[kPatternSize] = {};
    const int type = change.value & m_map.getValueMask();
    const int16_t* pPattern = type >= 0 && type <= m_tileTypeCount ? &m_patterns[size_t(type) * kPatternSize] : s_free;
    const int count = 1 << m_subShift;
    for (int row = 0; row < count; ++row) {
        uint16_t* pOut =
            &m_grid[size_t((change.y << m_subShift) + row) * size_t(m_gridWidth) + size_t(change.x << m_subShift)];
        for (int column = 0; column < count; ++column) *pOut++ = uint16_t(*pPattern++);
    }
}

uint16_t TileCollisionMap::valueAtPixel(int px, int py, uint16_t outside) const {
    const int gridX = px >> (m_map.getTileShiftX() - m_subShift);
    const int gridY = py >> (m_map.getTileShiftY() - m_subShift);
    if (gridX < 0 || gridY < 0 || gridX >= m_gridWidth || gridY >= m_gridHeight) return outside;
    return getValue(gridX, gridY);
}

}  // namespace Map
