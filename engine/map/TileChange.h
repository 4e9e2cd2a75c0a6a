#pragma once

namespace Map {

// One write into a tile map: the tile at (x, y) gets value.
struct TileChange {
    int x;
    int y;
    int value;
};

}  // namespace Map
