#include "engine/map/TileCollisionMap.h"

#include "data/TileCollInfo_generated.h"
#include "engine/data/Info.h"

namespace Map {

namespace {

bool fits(const TileCollInfo& info, const TileMap& map) {
    const int l_subShift = info.sub_shift();
    if (l_subShift < 0 || l_subShift > TileCollisionMap::kMaxSubShift || l_subShift > map.getTileShiftX() ||
        l_subShift > map.getTileShiftY()) {
        return false;
    }
    const int l_typeCount = info.tile_type_count();
    if (l_typeCount < 0 || l_typeCount > TileCollisionMap::kMaxTileTypeCount) return false;
    for (const TileCollPattern* l_pPattern : *info.patterns()) {
        if (l_pPattern->tile_type() < 0 || l_pPattern->tile_type() > l_typeCount) return false;
        if (l_pPattern->values()->size() > flatbuffers::uoffset_t(TileCollisionMap::kPatternSize)) return false;
    }
    return true;
}

}  // namespace

TileCollisionMap::TileCollisionMap(TileMap& map) : m_map(map) {}

TileCollisionMap::~TileCollisionMap() { m_map.removeWatcher(this); }

bool TileCollisionMap::load(const std::string& folder, const std::string& dataName) {
    Game::Info l_info;
    if (!l_info.loadSchema(folder + "/TileCollInfo.fbs") || !l_info.loadData(folder + "/" + dataName)) return false;
    const TileCollInfo* l_pInfo = GetTileCollInfo(l_info.data());
    if (!fits(*l_pInfo, m_map)) return false;

    m_subShift = l_pInfo->sub_shift();
    m_tileTypeCount = l_pInfo->tile_type_count();
    m_gridWidth = m_map.getWidth() << m_subShift;
    m_gridHeight = m_map.getHeight() << m_subShift;
    m_patterns.assign(size_t(m_tileTypeCount + 1) * kPatternSize, 0);
    for (const TileCollPattern* l_pPattern : *l_pInfo->patterns()) {
        int16_t* l_pOut = &m_patterns[size_t(l_pPattern->tile_type()) * kPatternSize];
        for (const int32_t l_value : *l_pPattern->values()) *l_pOut++ = int16_t(l_value);
    }
    m_grid.assign(size_t(m_gridWidth) * size_t(m_gridHeight), 0);
    for (int l_y = 0; l_y < m_map.getHeight(); ++l_y) {
        for (int l_x = 0; l_x < m_map.getWidth(); ++l_x) cellChanged({l_x, l_y, m_map.getCell(l_x, l_y)});
    }
    m_map.addWatcher(this);
    return true;
}

void TileCollisionMap::cellsChanged(const std::vector<TileChange>& changes) {
    for (const TileChange& l_change : changes) cellChanged(l_change);
}

void TileCollisionMap::cellChanged(const TileChange& change) {
    if (m_grid.empty() || !m_map.contains(change.x, change.y)) return;
    static const int16_t s_free[kPatternSize] = {};
    const int l_type = change.value & m_map.getValueMask();
    const int16_t* l_pPattern =
        l_type >= 0 && l_type <= m_tileTypeCount ? &m_patterns[size_t(l_type) * kPatternSize] : s_free;
    const int l_size = 1 << m_subShift;
    for (int l_row = 0; l_row < l_size; ++l_row) {
        uint16_t* l_pOut =
            &m_grid[size_t((change.y << m_subShift) + l_row) * size_t(m_gridWidth) + size_t(change.x << m_subShift)];
        for (int l_column = 0; l_column < l_size; ++l_column) *l_pOut++ = uint16_t(*l_pPattern++);
    }
}

}  // namespace Map
