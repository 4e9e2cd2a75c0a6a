#pragma once
#include <vector>

#include "engine/maze/Position.h"

namespace Maze {

// One possible neighbour of a cell type.
struct TileConnection {
    int fromType = 0;
    Position offset;  // added to a cell's position to reach the neighbour
    int toType = 0;   // the type the neighbour gets when the generator creates it
};

// The cell type table: which neighbours a cell of each type has. The connections of one type,
// in insertion order, are numbered 0, 1, 2 ... and connection i is exit i of every cell of
// that type.
class TileData {
public:
    ~TileData() = default;

    // The first connection added also fixes the start type.
    void addConnection(const TileConnection& connection);
    void setStartType(const TileConnection& connection);
    int getStartType() const;
    int getNumConnections(int type) const;
    // The i-th connection of the type, or null when the type has no connection i.
    const TileConnection* getConnection(int type, int i) const;

private:
    int m_startType = 0;
    std::vector<TileConnection> m_connections;
};

// The standard two-dimensional neighbours of one type, as exits 0 up (0, -1), 1 down (0, +1),
// 2 right (+1, 0) and 3 left (-1, 0).
void addFourWayConnections(TileData& tiles, int type);

}  // namespace Maze
