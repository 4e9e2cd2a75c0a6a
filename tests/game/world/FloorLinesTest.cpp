// The floor's grid lines are lit on bands along them only, added over the maze: every pixel the
// floor's shader lights must lie in exactly one band that takes it, or the light there is lost or
// doubled (where the bands of an upright and a level line cross). The pixels are judged here as
// the shaders judge them, at their centres, from the bottom-left corner.
#include <gtest/gtest.h>

#include <cmath>

#include "game/world/FloorLines.h"

namespace {

using Zelmo::FloorGrid;
using Zelmo::FloorLines;

constexpr int kFloorWidth = 320;
constexpr int kFloorHeight = 240;

// How many bands of the family take the pixel (column, row from the bottom).
int bandsTaking(const FloorLines& lines, float family, int column, int row) {
    const float x = (float(column) + 0.5f) / kFloorWidth;
    const float y = 1.0f - (float(row) + 0.5f) / kFloorHeight;  // the bands' y runs down
    int taking = 0;
    const std::vector<PosTexCoordVertex>& corners = lines.bands();
    for (size_t band = 0; band + 6 <= corners.size(); band += 6) {
        const PosTexCoordVertex& first = corners[band];
        const PosTexCoordVertex& opposite = corners[band + 2];
        taking += first.u == family && x > first.x && x < opposite.x && y > first.y && y < opposite.y;
    }
    return taking;
}

TEST(FloorLines, EveryLitPixelLiesInOneBandThatTakesIt) {
    // The shipped lines on 60-pixel cells, on pixel edges and off them, the thinnest lines on
    // small cells, wide lines on large ones.
    for (const FloorGrid& grid :
         {FloorGrid{0.0f, 0.0f, 1.0f / 60.0f, 0.02f}, FloorGrid{0.3f, 0.7f, 1.0f / 60.0f, 0.02f},
          FloorGrid{17.3f, -5.6f, 1.0f / 60.0f, 0.02f}, FloorGrid{-3.25f, 101.5f, 1.0f / 20.0f, 0.005f},
          FloorGrid{40.3f, 7.7f, 1.0f / 90.0f, 0.1f}}) {
        const FloorLines lines(grid, kFloorWidth, kFloorHeight);
        ASSERT_FALSE(lines.bands().empty());
        int lit = 0;
        for (int row = 0; row < kFloorHeight; ++row) {
            for (int column = 0; column < kFloorWidth; ++column) {
                const float cellX = (float(column) + 0.5f - 0.5f * kFloorWidth + grid.centreX) * grid.cellsPerPixel;
                const float cellY = (float(row) + 0.5f - 0.5f * kFloorHeight + grid.centreY) * grid.cellsPerPixel;
                const float edgeX = std::abs(cellX - std::floor(cellX) - 0.5f);
                const float edgeY = std::abs(cellY - std::floor(cellY) - 0.5f);
                const int upright = bandsTaking(lines, 0.0f, column, row);
                const int level = bandsTaking(lines, 1.0f, column, row);
                ASSERT_LE(upright, 1) << "bands of one kind never overlap";
                ASSERT_LE(level, 1);
                if (std::max(edgeX, edgeY) <= 0.5f - grid.lineWidth) continue;
                ++lit;
                const bool uprights = edgeX >= lines.split();
                EXPECT_EQ(uprights ? upright : level, 1)
                    << "pixel " << column << ", " << row << " of the grid's cells " << grid.cellsPerPixel;
            }
        }
        EXPECT_GT(lit, 0);
    }
}

TEST(FloorLines, LinesTooWideForTheirCellsOrNoCellsGiveNoBands) {
    EXPECT_TRUE(FloorLines({0.0f, 0.0f, 1.0f / 8.0f, 0.45f}, kFloorWidth, kFloorHeight).bands().empty());
    EXPECT_TRUE(FloorLines({0.0f, 0.0f, 0.0f, 0.02f}, kFloorWidth, kFloorHeight).bands().empty());
    EXPECT_TRUE(FloorLines({0.0f, 0.0f, 1.0f / 60.0f, 0.02f}, 0, kFloorHeight).bands().empty());
}

}  // namespace
