#include "engine/maze/TileData.h"

#include <algorithm>

namespace Maze {

void TileData::addConnection(const TileConnection& connection) {
    if (m_connections.empty()) setStartType(connection);
    m_connections.push_back(connection);
}

void TileData::setStartType(const TileConnection& connection) { m_startType = connection.fromType; }

int TileData::getStartType() const { return m_startType; }

int TileData::getNumConnections(int type) const {
    return int(std::count_if(m_connections.begin(), m_connections.end(),
                             [type](const TileConnection& c) { return c.fromType == type; }));
}

const TileConnection* TileData::getConnection(int type, int i) const {
    if (i < 0) return nullptr;
    for (const TileConnection& connection : m_connections) {
        if (connection.fromType != type) continue;
        if (i == 0) return &connection;
        --i;
    }
    return nullptr;
}

void addFourWayConnections(TileData& tiles, int type) {
    tiles.addConnection({type, {0, -1}, type});
    tiles.addConnection({type, {0, 1}, type});
    tiles.addConnection({type, {1, 0}, type});
    tiles.addConnection({type, {-1, 0}, type});
}

}  // namespace Maze
