#pragma once
#include <cstddef>
#include <vector>

#include "engine/map/IMapWatcher.h"
#include "engine/map/TileChange.h"
#include "engine/util/NonCopyable.h"

namespace Map {

// A level's rectangular grid of tile values, row-major. The bits in tileFlagBits are flags;
// value & valueMask() is the tile index that views and collision use. Every write goes through
// setCell/setCells so that the watchers (map texture, collision grid) stay in step.
class TileMap : Util::NonCopyable {
public:
    TileMap(int width, int height, int tileShiftX, int tileShiftY, int tileFlagBits, int extraValue1,
            int extraValue2);

    // A change outside the map is a fatal stop: storing it would write outside the cells.
    void setCell(const TileChange& change);
    void setCells(const std::vector<TileChange>& changes);

    // Watchers are not owned; registering one twice keeps one registration.
    void addWatcher(IMapWatcher* watcher);
    void removeWatcher(IMapWatcher* watcher);
    const std::vector<IMapWatcher*>& getWatchers() const { return m_watchers; }

    int getCell(int x, int y) const { return m_cells[size_t(y) * size_t(m_width) + size_t(x)]; }
    const std::vector<int>& getCells() const { return m_cells; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    int getTileShiftX() const { return m_tileShiftX; }
    int getTileShiftY() const { return m_tileShiftY; }
    int getValueMask() const { return ~m_tileFlagBits; }
    int getTileFlagBits() const { return m_tileFlagBits; }
    int getExtraValue1() const { return m_extraValue1; }
    int getExtraValue2() const { return m_extraValue2; }

private:
    void store(const TileChange& change);

    int m_width;
    int m_height;
    int m_tileShiftX;
    int m_tileShiftY;
    int m_tileFlagBits;
    int m_extraValue1;
    int m_extraValue2;
    std::vector<int> m_cells;
    std::vector<IMapWatcher*> m_watchers;
};

}  // namespace Map
