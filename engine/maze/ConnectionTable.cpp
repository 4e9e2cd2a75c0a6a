#include "engine/maze/ConnectionTable.h"

namespace Maze {

const ConnectionTable::Connections& ConnectionTable::find(const TileData& tiles, int type) {
    for (const auto& entry : m_byType) {
        if (entry.first == type) {
            m_last = &entry;
            return entry.second;
        }
    }
    Connections connections;
    const int count = tiles.getNumConnections(type);
    for (int i = 0; i < count; ++i) connections.push_back(tiles.getConnection(type, i));
    m_last = &m_byType.emplace_back(type, std::move(connections));
    return m_last->second;
}

}  // namespace Maze
