#pragma once
#include <deque>
#include <utility>
#include <vector>

#include "engine/maze/TileData.h"

namespace Maze {

// The connections of each cell type in exit order, gathered once per type. The cell type table
// finds a type's i-th connection by scanning all of them; the generator asks for every exit of
// every cell, and for both sides of every passage it opens.
class ConnectionTable {
public:
    using Connections = std::vector<const TileConnection*>;

    // As many entries as tiles counts for the type; an entry is null where tiles has no such
    // connection after all. The list lasts until clear().
    const Connections& of(const TileData& tiles, int type) {
        return m_last && m_last->first == type ? m_last->second : find(tiles, type);
    }
    void clear() {
        m_byType.clear();
        m_last = nullptr;
    }

private:
    const Connections& find(const TileData& tiles, int type);

    // A generator meets one or two types, so a list searched from the front serves; a deque
    // keeps the lists handed out in place while others are added.
    std::deque<std::pair<int, Connections>> m_byType;
    // The type asked for last: cells mostly come in runs of one type.
    const std::pair<int, Connections>* m_last = nullptr;
};

}  // namespace Maze
