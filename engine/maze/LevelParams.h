#pragma once
#include <cstdint>
#include <vector>

namespace Maze {

// What a level's tile map is built from.
struct LevelParams {
    int32_t seed = 0;  // of the level's random source; 0 takes the processor's time-stamp counter
    int32_t loopPercent = 0;
    int32_t cellsWide = 0;  // maze size in cells
    int32_t cellsHigh = 0;
    int32_t cellWidthTiles = 0;  // a cell's open interior in tiles
    int32_t cellHeightTiles = 0;
    int32_t tileShiftX = 0;  // tile size in pixels as powers of two
    int32_t tileShiftY = 0;
    int32_t marginLeft = 0;  // solid margins in tiles
    int32_t marginRight = 0;
    int32_t marginTop = 0;
    int32_t marginBottom = 0;
    int32_t tileFlagBits = 0;  // bits of a tile value that are flags, not tile index
    int32_t extraValue1 = 0;   // carried for the game world
    int32_t extraValue2 = 0;
    std::vector<int32_t> specialCells;  // (x, y) pairs of maze cells left out of the maze
};

}  // namespace Maze
