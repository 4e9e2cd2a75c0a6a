#include "engine/map/TileMap.h"

#include <algorithm>
#include <string>

#include "engine/util/Fatal.h"

namespace Map {

TileMap::TileMap(int width, int height, int tileShiftX, int tileShiftY, int tileFlagBits, int extraValue1,
                 int extraValue2)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_tileShiftX(tileShiftX),
      m_tileShiftY(tileShiftY),
      m_tileFlagBits(tileFlagBits),
      m_extraValue1(extraValue1),
      m_extraValue2(extraValue2),
      m_cells(size_t(m_width) * size_t(m_height), 0) {}

void TileMap::setCell(const TileChange& change) {
    store(change);
    // Indexed so that a watcher that unregisters itself while being told cannot invalidate the walk.
    for (size_t i = 0; i < m_watchers.size(); ++i) m_watchers[i]->cellChanged(change);
}

void TileMap::setCells(const std::vector<TileChange>& changes) {
    for (const TileChange& change : changes) store(change);
    for (size_t i = 0; i < m_watchers.size(); ++i) m_watchers[i]->cellsChanged(changes);
}

void TileMap::addWatcher(IMapWatcher* watcher) {
    if (std::find(m_watchers.begin(), m_watchers.end(), watcher) == m_watchers.end()) m_watchers.push_back(watcher);
}

void TileMap::removeWatcher(IMapWatcher* watcher) {
    auto it = std::find(m_watchers.begin(), m_watchers.end(), watcher);
    if (it != m_watchers.end()) m_watchers.erase(it);
}

void TileMap::store(const TileChange& change) {
    if (!contains(change.x, change.y)) {
        Util::fatal("TileMap: cell (" + std::to_string(change.x) + ", " + std::to_string(change.y) +
                    ") lies outside the " + std::to_string(m_width) + " x " + std::to_string(m_height) + " map");
    }
    m_cells[size_t(change.y) * size_t(m_width) + size_t(change.x)] = change.value;
}

}  // namespace Map
