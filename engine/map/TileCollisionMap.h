#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/map/IMapWatcher.h"
#include "engine/map/TileMap.h"
#include "engine/util/NonCopyable.h"

namespace Map {

// A tile map's collision grid: every tile is divided into n x n sub-cells (n = 1 << subShift) and
// stamped with its tile type's pattern of 16-bit values, read from the collision data. It
// watches the tile map, so changed tiles (broken doors) are re-stamped at once. What the values
// mean belongs to their readers.
//
// The sub-cell of map pixel (px, py) is at column px >> (tileShiftX - subShift) and row
// py >> (tileShiftY - subShift).
class TileCollisionMap : public IMapWatcher, Util::NonCopyable {
public:
    static constexpr int kMaxSubShift = 2;
    static constexpr int kPatternSize = 16;
    // More tile types than tile indexes could ever name would only allocate.
    static constexpr int kMaxTileTypeCount = 0xffff;

    // An empty grid that watches nothing until load.
    explicit TileCollisionMap(TileMap& map);
    ~TileCollisionMap() override;

    // Reads folder + "/TileCollInfo.fbs" and folder + "/" + dataName (the data-name rule of
    // Game::Info: ".fb" or ".json"), stamps every tile and starts watching the map. False, with
    // the grid as it was, when the data has no root table or does not fit: a sub-shift outside
    // 0 .. 2 or beyond the map's tile shifts, a tile type count outside 0 .. kMaxTileTypeCount,
    // a pattern for a tile type outside 0 .. tileTypeCount, or one of more than 16 values.
    // Values are kept as their low 16 bits. An unreadable file is a fatal stop.
    bool load(const std::string& folder, const std::string& dataName);

    // A tile whose index has no pattern (beyond tileTypeCount, or negative) is stamped free.
    void cellsChanged(const std::vector<TileChange>& changes) override;
    void cellChanged(const TileChange& change) override;

    const std::vector<uint16_t>& getGrid() const { return m_grid; }
    uint16_t getValue(int gridX, int gridY) const {
        return m_grid[size_t(gridY) * size_t(m_gridWidth) + size_t(gridX)];
    }
    // The value under map pixel (px, py); a pixel outside the grid reads as outside, so callers
    // can treat the world beyond the map as a wall.
    uint16_t valueAtPixel(int px, int py, uint16_t outside) const;
    int getGridWidth() const { return m_gridWidth; }
    int getGridHeight() const { return m_gridHeight; }
    int getSubShift() const { return m_subShift; }
    int getTileTypeCount() const { return m_tileTypeCount; }

private:
    TileMap& m_map;
    std::vector<uint16_t> m_grid;
    // kPatternSize values per tile type 0 .. m_tileTypeCount.
    std::vector<int16_t> m_patterns;
    int m_gridWidth = 0;
    int m_gridHeight = 0;
    int m_subShift = 0;
    int m_tileTypeCount = 0;
};

}  // namespace Map
