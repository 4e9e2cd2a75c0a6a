#include "engine/maze/ConnectionTable.h"

namespace Maze {

const ConnectionTable::Connections& ConnectionTable::find(const TileData& tiles, int type) {
    for (const auto& l_entry : m_byType) {
        if (l_entry.first == type) {
            m_last = &l_entry;
            return l_entry.second;
        }
    }
    Connections l_connections;
    const int l_count = tiles.getNumConnections(type);
    for (int l_i = 0; l_i < l_count; ++l_i) l_connections.push_back(tiles.getConnection(type, l_i));
    m_last = &m_byType.emplace_back(type, std::move(l_connections));
    return m_last->second;
}

}  // namespace Maze
