#include "engine/maze/LevelMap.h"

#include "engine/maze/MazeGrid.h"
#include "engine/util/Random.h"

namespace Maze {

namespace {

void fill(Map::TileMap& map, int x0, int y0, int x1, int y1, int value) {
    for (int l_y = y0; l_y <= y1; ++l_y) {
        for (int l_x = x0; l_x <= x1; ++l_x) map.setCell({l_x, l_y, value});
    }
}

int pillarMask(const MazeGrid& grid, int gx, int gy) {
    const int l_lastX = grid.getWidth() - 1;
    const int l_lastY = grid.getHeight() - 1;
    int l_mask = 0;
    if (gx > 0 && grid.isWall(gx - 1, gy)) l_mask |= kWallWest;
    if (gx < l_lastX && grid.isWall(gx + 1, gy)) l_mask |= kWallEast;
    if (gy < l_lastY && grid.isWall(gx, gy + 1)) l_mask |= kWallSouth;
    if (gy > 0 && grid.isWall(gx, gy - 1)) l_mask |= kWallNorth;
    return l_mask;
}

}  // namespace

std::unique_ptr<Map::TileMap> buildLevelMap(const LevelParams& params, std::unique_ptr<MazeData>* mazeOut) {
    Util::Random l_random(uint64_t(uint32_t(params.seed)));
    const int l_w = params.cellsWide;
    const int l_h = params.cellsHigh;
    const int l_cw = params.cellWidthTiles;
    const int l_ch = params.cellHeightTiles;
    const int l_left = params.marginLeft;
    const int l_right = params.marginRight;
    const int l_top = params.marginTop;
    const int l_bottom = params.marginBottom;
    const int l_width = l_left + l_w * (l_cw + 1) + l_right + 1;
    const int l_height = l_top + l_h * (l_ch + 1) + l_bottom + 1;
    auto l_map = std::make_unique<Map::TileMap>(l_width, l_height, params.tileShiftX, params.tileShiftY,
                                                params.tileFlagBits, params.extraValue1, params.extraValue2);
    Map::TileMap& l_tiles = *l_map;

    auto l_grid = buildMaze2D(2 * l_w + 1, 2 * l_h + 1, params.loopPercent, params.specialCells, &l_random);

    // A new map is all floor and nobody watches it yet, so of each cell's tiles only the wall
    // runs need writing; open runs and interiors stay floor.
    for (int l_row = 0; l_row < l_h; ++l_row) {
        for (int l_col = 0; l_col < l_w; ++l_col) {
            const int l_x0 = l_left + l_col * (l_cw + 1);
            const int l_y0 = l_top + l_row * (l_ch + 1);
            if (l_grid->isWall(2 * l_col + 1, 2 * l_row)) {
                fill(l_tiles, l_x0 + 1, l_y0, l_x0 + l_cw, l_y0, kWallHorizontal);
            }
            if (l_grid->isWall(2 * l_col, 2 * l_row + 1)) {
                fill(l_tiles, l_x0, l_y0 + 1, l_x0, l_y0 + l_ch, kWallVertical);
            }
        }
    }

    fill(l_tiles, 0, 0, l_left - 1, l_height - 1, kSolid);
    fill(l_tiles, 0, 0, l_width - 1, l_top - 1, kSolid);
    // The right and bottom margins each end in the maze's far border wall.
    fill(l_tiles, l_width - l_right, l_top, l_width - 1, l_height - l_bottom - 1, kSolid);
    fill(l_tiles, l_width - 1 - l_right, l_top, l_width - 1 - l_right, l_height - l_bottom - 1, kWallVertical);
    fill(l_tiles, l_left, l_height - l_bottom, l_width - l_right - 1, l_height - 1, kSolid);
    fill(l_tiles, l_left, l_height - 1 - l_bottom, l_width - l_right - 1, l_height - 1 - l_bottom, kWallHorizontal);
    fill(l_tiles, l_width - 1 - l_right, l_height - 1 - l_bottom, l_width - 1, l_height - 1, kSolid);

    // Pillars last: they overwrite the border runs and the far corner with their neighbour mask.
    for (int l_gy = 0; l_gy <= 2 * l_h; l_gy += 2) {
        for (int l_gx = 0; l_gx <= 2 * l_w; l_gx += 2) {
            l_tiles.setCell({l_left + (l_gx / 2) * (l_cw + 1), l_top + (l_gy / 2) * (l_ch + 1),
                             pillarMask(*l_grid, l_gx, l_gy)});
        }
    }

    if (mazeOut) *mazeOut = l_grid->takeMaze();
    return l_map;
}

}  // namespace Maze
