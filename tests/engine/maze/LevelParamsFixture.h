#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/maze/LevelParams.h"

namespace MazeTest {

// The size of a level: its maze in cells, each cell's open interior in tiles, and the solid
// margins around it in tiles.
struct LevelShape {
    int32_t cells[2];      // wide, high
    int32_t cellTiles[2];  // wide, high
    int32_t margins[4];    // left, right, top, bottom
};

// A level of that shape; tile sizes, flag bits and extra values are left at zero.
inline Maze::LevelParams levelParams(int32_t seed, int32_t loopPercent, const LevelShape& shape,
                                     std::vector<int32_t> specialCells = {}) {
    Maze::LevelParams params;
    params.seed = seed;
    params.loopPercent = loopPercent;
    params.cellsWide = shape.cells[0];
    params.cellsHigh = shape.cells[1];
    params.cellWidthTiles = shape.cellTiles[0];
    params.cellHeightTiles = shape.cellTiles[1];
    params.marginLeft = shape.margins[0];
    params.marginRight = shape.margins[1];
    params.marginTop = shape.margins[2];
    params.marginBottom = shape.margins[3];
    params.specialCells = std::move(specialCells);
    return params;
}

}  // namespace MazeTest
