#include "engine/maze/LevelMap.h"

#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/MazeGrid.h"
#include "tests/engine/maze/LevelParamsFixture.h"

namespace {

using Maze::Position;

Maze::LevelParams smallLevel() {
    Maze::LevelParams l_params = MazeTest::levelParams(12345, 0, {{5, 4}, {3, 2}, {2, 1, 1, 3}});
    l_params.tileShiftX = 4;
    l_params.tileShiftY = 5;
    return l_params;
}

// The tile at the top-left corner (the pillar) of maze cell (x, y); the far border's pillars
// are at x = cellsWide or y = cellsHigh.
int cornerX(const Maze::LevelParams& params, int x) { return params.marginLeft + x * (params.cellWidthTiles + 1); }
int cornerY(const Maze::LevelParams& params, int y) { return params.marginTop + y * (params.cellHeightTiles + 1); }

// A tile row of the map per line, tile values as hexadecimal digits.
std::string picture(const Map::TileMap& map) {
    std::string l_text;
    for (int l_y = 0; l_y < map.getHeight(); ++l_y) {
        for (int l_x = 0; l_x < map.getWidth(); ++l_x) l_text += "0123456789abcdef"[map.getCell(l_x, l_y) & 15];
        l_text += '\n';
    }
    return l_text;
}

TEST(LevelMapTest, MapSizeFollowsCellsAndMargins) {
    struct Case {
        MazeTest::LevelShape shape;
        int width, height;
    };
    const Case l_cases[] = {
        {{{2, 1}, {2, 1}, {1, 1, 1, 1}}, 9, 5},
        {{{5, 4}, {3, 2}, {2, 1, 1, 3}}, 24, 17},
        {{{1, 1}, {1, 1}, {0, 0, 0, 0}}, 3, 3},
        {{{3, 2}, {4, 4}, {0, 2, 3, 0}}, 18, 14},
    };
    for (const Case& l_case : l_cases) {
        auto l_map = Maze::buildLevelMap(MazeTest::levelParams(3, 0, l_case.shape));
        EXPECT_EQ(l_map->getWidth(), l_case.width);
        EXPECT_EQ(l_map->getHeight(), l_case.height);
    }
}

TEST(LevelMapTest, MapCarriesTheParametersForTheGameWorld) {
    Maze::LevelParams l_params = smallLevel();
    l_params.tileFlagBits = 0xF0;
    l_params.extraValue1 = 11;
    l_params.extraValue2 = 22;
    auto l_map = Maze::buildLevelMap(l_params);
    EXPECT_EQ(l_map->getTileShiftX(), 4);
    EXPECT_EQ(l_map->getTileShiftY(), 5);
    EXPECT_EQ(l_map->getValueMask(), ~0xF0);
    EXPECT_EQ(l_map->getExtraValue1(), 11);
    EXPECT_EQ(l_map->getExtraValue2(), 22);
    EXPECT_TRUE(l_map->getWatchers().empty());
}

TEST(LevelMapTest, CellsBecomeWallRunsAndFloorMatchingTheMaze) {
    for (int l_loop : {0, 30}) {
        Maze::LevelParams l_params = smallLevel();
        l_params.loopPercent = l_loop;
        std::unique_ptr<Maze::MazeData> l_maze;
        auto l_map = Maze::buildLevelMap(l_params, &l_maze);
        ASSERT_NE(l_maze, nullptr);
        EXPECT_EQ(l_maze->getSize(), Position({5, 4}));
        const auto l_nodes = MazeTest::nodesOf(*l_maze);
        ASSERT_EQ(l_nodes.size(), 20u);
        int l_openRuns = 0;
        for (const Maze::Node* l_node : l_nodes) {
            const int l_x0 = cornerX(l_params, l_node->getPosition()[0]);
            const int l_y0 = cornerY(l_params, l_node->getPosition()[1]);
            SCOPED_TRACE(::testing::PrintToString(l_node->getPosition()));
            const int l_top = l_node->isExitClosed(0) ? Maze::kWallHorizontal : Maze::kFloor;
            const int l_left = l_node->isExitClosed(3) ? Maze::kWallVertical : Maze::kFloor;
            l_openRuns += (l_top == Maze::kFloor) + (l_left == Maze::kFloor);
            for (int l_i = 1; l_i <= 3; ++l_i) EXPECT_EQ(l_map->getCell(l_x0 + l_i, l_y0), l_top);
            for (int l_i = 1; l_i <= 2; ++l_i) EXPECT_EQ(l_map->getCell(l_x0, l_y0 + l_i), l_left);
            for (int l_dy = 1; l_dy <= 2; ++l_dy) {
                for (int l_dx = 1; l_dx <= 3; ++l_dx) EXPECT_EQ(l_map->getCell(l_x0 + l_dx, l_y0 + l_dy), Maze::kFloor);
            }
        }
        // Every passage opens exactly one top or left run; with no loops there are w * h - 1.
        EXPECT_EQ(l_openRuns, MazeTest::countPassages(l_nodes));
        if (l_loop == 0) {
            EXPECT_EQ(l_openRuns, 5 * 4 - 1);
        }
    }
}

TEST(LevelMapTest, MarginsAreSolidAndEndInTheFarBorderWalls) {
    const Maze::LevelParams l_params = smallLevel();
    auto l_map = Maze::buildLevelMap(l_params);
    const int l_right = cornerX(l_params, 5);
    const int l_bottom = cornerY(l_params, 4);
    for (int l_y = 0; l_y < l_map->getHeight(); ++l_y) {
        for (int l_x = 0; l_x < l_map->getWidth(); ++l_x) {
            const bool l_margin = l_x < 2 || l_y < 1 || l_x > l_right || l_y > l_bottom;
            if (l_margin) {
                EXPECT_EQ(l_map->getCell(l_x, l_y), Maze::kSolid) << l_x << "," << l_y;
            }
        }
    }
    // Between its pillars the right border is a vertical run and the bottom one a horizontal run.
    for (int l_y = cornerY(l_params, 0) + 1; l_y < l_bottom; ++l_y) {
        if ((l_y - cornerY(l_params, 0)) % 3 != 0) {
            EXPECT_EQ(l_map->getCell(l_right, l_y), Maze::kWallVertical);
        }
    }
    for (int l_x = cornerX(l_params, 0) + 1; l_x < l_right; ++l_x) {
        if ((l_x - cornerX(l_params, 0)) % 4 != 0) {
            EXPECT_EQ(l_map->getCell(l_x, l_bottom), Maze::kWallHorizontal);
        }
    }
}

TEST(LevelMapTest, PillarsCarryTheMaskOfTheirWallNeighbours) {
    for (int l_loop : {0, 50}) {
        Maze::LevelParams l_params = smallLevel();
        l_params.loopPercent = l_loop;
        l_params.specialCells = {1, 1, 4, 3};
        auto l_map = Maze::buildLevelMap(l_params);
        for (int l_cy = 0; l_cy <= 4; ++l_cy) {
            for (int l_cx = 0; l_cx <= 5; ++l_cx) {
                const int l_x = cornerX(l_params, l_cx);
                const int l_y = cornerY(l_params, l_cy);
                int l_mask = 0;
                if (l_cx > 0 && l_map->getCell(l_x - 1, l_y) != Maze::kFloor) l_mask |= Maze::kWallWest;
                if (l_cx < 5 && l_map->getCell(l_x + 1, l_y) != Maze::kFloor) l_mask |= Maze::kWallEast;
                if (l_cy < 4 && l_map->getCell(l_x, l_y + 1) != Maze::kFloor) l_mask |= Maze::kWallSouth;
                if (l_cy > 0 && l_map->getCell(l_x, l_y - 1) != Maze::kFloor) l_mask |= Maze::kWallNorth;
                EXPECT_EQ(l_map->getCell(l_x, l_y), l_mask) << "pillar of " << l_cx << "," << l_cy;
            }
        }
        EXPECT_EQ(l_map->getCell(cornerX(l_params, 0), cornerY(l_params, 0)), 6);
        EXPECT_EQ(l_map->getCell(cornerX(l_params, 5), cornerY(l_params, 0)), 5);
        EXPECT_EQ(l_map->getCell(cornerX(l_params, 0), cornerY(l_params, 4)), 10);
        EXPECT_EQ(l_map->getCell(cornerX(l_params, 5), cornerY(l_params, 4)), 9);
    }
}

TEST(LevelMapTest, SpecialCellsBecomeClosedBoxes) {
    Maze::LevelParams l_params = smallLevel();
    l_params.loopPercent = 100;
    l_params.specialCells = {2, 1, 4, 3, 0, 3};
    std::unique_ptr<Maze::MazeData> l_maze;
    auto l_map = Maze::buildLevelMap(l_params, &l_maze);
    EXPECT_EQ(l_maze->getExcludedCells(), (std::vector<Position>{{2, 1}, {4, 3}, {0, 3}}));
    EXPECT_EQ(MazeTest::nodesOf(*l_maze).size(), 17u);
    for (size_t l_i = 0; l_i < l_params.specialCells.size(); l_i += 2) {
        const int l_x0 = cornerX(l_params, l_params.specialCells[l_i]);
        const int l_y0 = cornerY(l_params, l_params.specialCells[l_i + 1]);
        SCOPED_TRACE(::testing::Message() << "cell " << l_params.specialCells[l_i] << "," << l_params.specialCells[l_i + 1]);
        for (int l_dx = 1; l_dx <= 3; ++l_dx) {
            EXPECT_EQ(l_map->getCell(l_x0 + l_dx, l_y0), Maze::kWallHorizontal);
            EXPECT_EQ(l_map->getCell(l_x0 + l_dx, l_y0 + 3), Maze::kWallHorizontal);
            for (int l_dy = 1; l_dy <= 2; ++l_dy) EXPECT_EQ(l_map->getCell(l_x0 + l_dx, l_y0 + l_dy), Maze::kFloor);
        }
        for (int l_dy = 1; l_dy <= 2; ++l_dy) {
            EXPECT_EQ(l_map->getCell(l_x0, l_y0 + l_dy), Maze::kWallVertical);
            EXPECT_EQ(l_map->getCell(l_x0 + 4, l_y0 + l_dy), Maze::kWallVertical);
        }
    }
}

TEST(LevelMapTest, SameSeedGivesTheSameLevel) {
    Maze::LevelParams l_params = smallLevel();
    l_params.loopPercent = 20;
    l_params.specialCells = {3, 2};
    const std::string l_first = picture(*Maze::buildLevelMap(l_params));
    EXPECT_EQ(picture(*Maze::buildLevelMap(l_params)), l_first);
    l_params.seed = 54321;
    EXPECT_NE(picture(*Maze::buildLevelMap(l_params)), l_first);
}

TEST(LevelMapTest, GoldenSmallLevel) {
    const Maze::LevelParams l_params = MazeTest::levelParams(2024, 10, {{4, 3}, {2, 1}, {1, 1, 1, 1}}, {1, 1});
    // Cell (1, 1) is the closed box in the middle; pillar 7 has walls west, east and south.
    EXPECT_EQ(picture(*Maze::buildLevelMap(l_params)),
              "fffffffffffffff\n"
              "f6333333333335f\n"
              "fc00000000000cf\n"
              "fc00633733100cf\n"
              "fc00c00c00000cf\n"
              "fc00a33b33100cf\n"
              "fc00000000000cf\n"
              "fa333333333339f\n"
              "fffffffffffffff\n");
}

TEST(LevelMapDeathTest, BadSpecialCellsAreRefusedBeforeGeneration) {
    Maze::LevelParams l_odd = smallLevel();
    l_odd.specialCells = {1, 1, 2};
    EXPECT_EXIT(Maze::buildLevelMap(l_odd), ::testing::ExitedWithCode(1),
                "Maze special cell list has an odd number of entries \\(3\\)");
    Maze::LevelParams l_outside = smallLevel();
    l_outside.specialCells = {1, 1, 5, 0};
    EXPECT_EXIT(Maze::buildLevelMap(l_outside), ::testing::ExitedWithCode(1),
                "Maze excluded cell \\(5, 0\\) lies outside the 5 x 4 maze");
    Maze::LevelParams l_startCell = smallLevel();
    l_startCell.specialCells = {0, 0};
    EXPECT_EXIT(Maze::buildLevelMap(l_startCell), ::testing::ExitedWithCode(1),
                "Maze start position lies outside the maze or on an excluded cell");
}

TEST(MazeGridTest, BuildDrawsPillarsWallsAndBorder) {
    Util::Random l_random(9);
    auto l_grid = Maze::buildMaze2D(9, 7, 0, {}, &l_random);
    ASSERT_EQ(l_grid->getWidth(), 9);
    ASSERT_EQ(l_grid->getHeight(), 7);
    for (int l_x = 0; l_x < 9; ++l_x) EXPECT_TRUE(l_grid->isWall(l_x, 0) && l_grid->isWall(l_x, 6));
    for (int l_y = 0; l_y < 7; ++l_y) EXPECT_TRUE(l_grid->isWall(0, l_y) && l_grid->isWall(8, l_y));
    for (const Maze::Node* l_node : MazeTest::nodesOf(*l_grid->getMaze())) {
        const int l_x = l_node->getPosition()[0];
        const int l_y = l_node->getPosition()[1];
        EXPECT_TRUE(l_grid->isWall(2 * l_x, 2 * l_y));
        EXPECT_FALSE(l_grid->isWall(2 * l_x + 1, 2 * l_y + 1));
        EXPECT_EQ(l_grid->isWall(2 * l_x + 1, 2 * l_y), l_node->isExitClosed(0));
        EXPECT_EQ(l_grid->isWall(2 * l_x, 2 * l_y + 1), l_node->isExitClosed(3));
        EXPECT_EQ(l_grid->isWall(2 * l_x + 2, 2 * l_y + 1), l_node->isExitClosed(2));
        EXPECT_EQ(l_grid->isWall(2 * l_x + 1, 2 * l_y + 2), l_node->isExitClosed(1));
    }
    EXPECT_FALSE(l_grid->isWall(-1, 0));
    EXPECT_FALSE(l_grid->isWall(9, 0));
    EXPECT_FALSE(l_grid->isWall(0, 7));
    EXPECT_NE(l_grid->takeMaze(), nullptr);
    EXPECT_EQ(l_grid->getMaze(), nullptr);
}

TEST(MazeGridTest, InitOfAWrappedMazeDrawsOnlyTheNearBorder) {
    MazeTest::GridOptions l_options;
    l_options.width = 3;
    l_options.height = 2;
    l_options.wrap = true;
    Maze::MazeGrid l_grid;
    l_grid.init(MazeTest::generate(MazeTest::gridTemplate(l_options), 1));
    ASSERT_EQ(l_grid.getWidth(), 6);
    ASSERT_EQ(l_grid.getHeight(), 4);
    EXPECT_TRUE(l_grid.isWall(5, 0));
    EXPECT_TRUE(l_grid.isWall(0, 3));
    EXPECT_FALSE(l_grid.isWall(5, 1));
    EXPECT_FALSE(l_grid.isWall(1, 3));
}

}  // namespace
