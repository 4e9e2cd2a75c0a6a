#include "engine/maze/LevelMap.h"

#include "engine/maze/MazeGrid.h"
#include "engine/util/Random.h"

namespace Maze {

namespace {

void fill(Map::TileMap& map, int x0, int y0, int x1, int y1, int value) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) map.setCell({x, y, value});
    }
}

int pillarMask(const MazeGrid& grid, int gx, int gy) {
    const int lastX = grid.getWidth() - 1;
    const int lastY = grid.getHeight() - 1;
    int mask = 0;
    if (gx > 0 && grid.isWall(gx - 1, gy)) mask |= kWallWest;
    if (gx < lastX && grid.isWall(gx + 1, gy)) mask |= kWallEast;
    if (gy < lastY && grid.isWall(gx, gy + 1)) mask |= kWallSouth;
    if (gy > 0 && grid.isWall(gx, gy - 1)) mask |= kWallNorth;
    return mask;
}

}  // namespace

std::unique_ptr<Map::TileMap> buildLevelMap(const LevelParams& params, std::unique_ptr<MazeData>* mazeOut) {
    Util::Random random(uint64_t(uint32_t(params.seed)));
    const int w = params.cellsWide;
    const int h = params.cellsHigh;
    const int cw = params.cellWidthTiles;
    const int ch = params.cellHeightTiles;
    const int left = params.marginLeft;
    const int right = params.marginRight;
    const int top = params.marginTop;
    const int bottom = params.marginBottom;
    const int width = left + w * (cw + 1) + right + 1;
    const int height = top + h * (ch + 1) + bottom + 1;
    auto map = std::make_unique<Map::TileMap>(width, height, params.tileShiftX, params.tileShiftY, params.tileFlagBits,
                                              params.extraValue1, params.extraValue2);
    Map::TileMap& tiles = *map;

    auto grid = buildMaze2D(2 * w + 1, 2 * h + 1, params.loopPercent, params.specialCells, &random);

    // A new map is all floor and nobody watches it yet, so of each cell's tiles only the wall
    // runs need writing; open runs and interiors stay floor.
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const int x0 = left + col * (cw + 1);
            const int y0 = top + row * (ch + 1);
            if (grid->isWall(2 * col + 1, 2 * row)) {
                fill(tiles, x0 + 1, y0, x0 + cw, y0, kWallHorizontal);
            }
            if (grid->isWall(2 * col, 2 * row + 1)) {
                fill(tiles, x0, y0 + 1, x0, y0 + ch, kWallVertical);
            }
        }
    }

    fill(tiles, 0, 0, left - 1, height - 1, kSolid);
    fill(tiles, 0, 0, width - 1, top - 1, kSolid);
    // The right and bottom margins each end in the maze's far border wall.
    fill(tiles, width - right, top, width - 1, height - bottom - 1, kSolid);
    fill(tiles, width - 1 - right, top, width - 1 - right, height - bottom - 1, kWallVertical);
    fill(tiles, left, height - bottom, width - right - 1, height - 1, kSolid);
    fill(tiles, left, height - 1 - bottom, width - right - 1, height - 1 - bottom, kWallHorizontal);
    fill(tiles, width - 1 - right, height - 1 - bottom, width - 1, height - 1, kSolid);

    // Pillars last: they overwrite the border runs and the far corner with their neighbour mask.
    for (int gy = 0; gy <= 2 * h; gy += 2) {
        for (int gx = 0; gx <= 2 * w; gx += 2) {
            tiles.setCell({left + (gx / 2) * (cw + 1), top + (gy / 2) * (ch + 1), pillarMask(*grid, gx, gy)});
        }
    }

    if (mazeOut) *mazeOut = grid->takeMaze();
    return map;
}

}  // namespace Maze
