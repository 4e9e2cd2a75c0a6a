#include "engine/maze/LevelMap.h"

#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/MazeGrid.h"
#include "tests/engine/maze/LevelParamsFixture.h"

namespace {

using Maze::Position;

Maze::LevelParams smallLevel() {
    Maze::LevelParams params = MazeTest::levelParams(12345, 0, {{5, 4}, {3, 2}, {2, 1, 1, 3}});
    params.tileShiftX = 4;
    params.tileShiftY = 5;
    return params;
}

// The tile at the top-left corner (the pillar) of maze cell (x, y); the far border's pillars
// are at x = cellsWide or y = cellsHigh.
int cornerX(const Maze::LevelParams& params, int x) { return params.marginLeft + x * (params.cellWidthTiles + 1); }
int cornerY(const Maze::LevelParams& params, int y) { return params.marginTop + y * (params.cellHeightTiles + 1); }

// A tile row of the map per line, tile values as hexadecimal digits.
std::string picture(const Map::TileMap& map) {
    std::string text;
    for (int y = 0; y < map.getHeight(); ++y) {
        for (int x = 0; x < map.getWidth(); ++x) text += "0123456789abcdef"[map.getCell(x, y) & 15];
        text += '\n';
    }
    return text;
}

TEST(LevelMapTest, MapSizeFollowsCellsAndMargins) {
    struct Case {
        MazeTest::LevelShape shape;
        int width, height;
    };
    const Case cases[] = {
        {{{2, 1}, {2, 1}, {1, 1, 1, 1}}, 9, 5},
        {{{5, 4}, {3, 2}, {2, 1, 1, 3}}, 24, 17},
        {{{1, 1}, {1, 1}, {0, 0, 0, 0}}, 3, 3},
        {{{3, 2}, {4, 4}, {0, 2, 3, 0}}, 18, 14},
    };
    for (const Case& testCase : cases) {
        auto map = Maze::buildLevelMap(MazeTest::levelParams(3, 0, testCase.shape));
        EXPECT_EQ(map->getWidth(), testCase.width);
        EXPECT_EQ(map->getHeight(), testCase.height);
    }
}

TEST(LevelMapTest, MapCarriesTheParametersForTheGameWorld) {
    Maze::LevelParams params = smallLevel();
    params.tileFlagBits = 0xF0;
    params.extraValue1 = 11;
    params.extraValue2 = 22;
    auto map = Maze::buildLevelMap(params);
    EXPECT_EQ(map->getTileShiftX(), 4);
    EXPECT_EQ(map->getTileShiftY(), 5);
    EXPECT_EQ(map->getValueMask(), ~0xF0);
    EXPECT_EQ(map->getExtraValue1(), 11);
    EXPECT_EQ(map->getExtraValue2(), 22);
    EXPECT_TRUE(map->getWatchers().empty());
}

TEST(LevelMapTest, CellsBecomeWallRunsAndFloorMatchingTheMaze) {
    for (int loop : {0, 30}) {
        Maze::LevelParams params = smallLevel();
        params.loopPercent = loop;
        std::unique_ptr<Maze::MazeData> maze;
        auto map = Maze::buildLevelMap(params, &maze);
        ASSERT_NE(maze, nullptr);
        EXPECT_EQ(maze->getSize(), Position({5, 4}));
        const auto nodes = MazeTest::nodesOf(*maze);
        ASSERT_EQ(nodes.size(), 20u);
        int openRuns = 0;
        for (const Maze::Node* node : nodes) {
            const int x0 = cornerX(params, node->getPosition()[0]);
            const int y0 = cornerY(params, node->getPosition()[1]);
            SCOPED_TRACE(::testing::PrintToString(node->getPosition()));
            const int top = node->isExitClosed(0) ? Maze::kWallHorizontal : Maze::kFloor;
            const int left = node->isExitClosed(3) ? Maze::kWallVertical : Maze::kFloor;
            openRuns += (top == Maze::kFloor) + (left == Maze::kFloor);
            for (int i = 1; i <= 3; ++i) EXPECT_EQ(map->getCell(x0 + i, y0), top);
            for (int i = 1; i <= 2; ++i) EXPECT_EQ(map->getCell(x0, y0 + i), left);
            for (int dy = 1; dy <= 2; ++dy) {
                for (int dx = 1; dx <= 3; ++dx) EXPECT_EQ(map->getCell(x0 + dx, y0 + dy), Maze::kFloor);
            }
        }
        // Every passage opens exactly one top or left run; with no loops there are w * h - 1.
        EXPECT_EQ(openRuns, MazeTest::countPassages(nodes));
        if (loop == 0) {
            EXPECT_EQ(openRuns, 5 * 4 - 1);
        }
    }
}

TEST(LevelMapTest, MarginsAreSolidAndEndInTheFarBorderWalls) {
    const Maze::LevelParams params = smallLevel();
    auto map = Maze::buildLevelMap(params);
    const int right = cornerX(params, 5);
    const int bottom = cornerY(params, 4);
    for (int y = 0; y < map->getHeight(); ++y) {
        for (int x = 0; x < map->getWidth(); ++x) {
            const bool margin = x < 2 || y < 1 || x > right || y > bottom;
            if (margin) {
                EXPECT_EQ(map->getCell(x, y), Maze::kSolid) << x << "," << y;
            }
        }
    }
    // Between its pillars the right border is a vertical run and the bottom one a horizontal run.
    for (int y = cornerY(params, 0) + 1; y < bottom; ++y) {
        if ((y - cornerY(params, 0)) % 3 != 0) {
            EXPECT_EQ(map->getCell(right, y), Maze::kWallVertical);
        }
    }
    for (int x = cornerX(params, 0) + 1; x < right; ++x) {
        if ((x - cornerX(params, 0)) % 4 != 0) {
            EXPECT_EQ(map->getCell(x, bottom), Maze::kWallHorizontal);
        }
    }
}

TEST(LevelMapTest, PillarsCarryTheMaskOfTheirWallNeighbours) {
    for (int loop : {0, 50}) {
        Maze::LevelParams params = smallLevel();
        params.loopPercent = loop;
        params.specialCells = {1, 1, 4, 3};
        auto map = Maze::buildLevelMap(params);
        for (int cy = 0; cy <= 4; ++cy) {
            for (int cx = 0; cx <= 5; ++cx) {
                const int x = cornerX(params, cx);
                const int y = cornerY(params, cy);
                int mask = 0;
                if (cx > 0 && map->getCell(x - 1, y) != Maze::kFloor) mask |= Maze::kWallWest;
                if (cx < 5 && map->getCell(x + 1, y) != Maze::kFloor) mask |= Maze::kWallEast;
                if (cy < 4 && map->getCell(x, y + 1) != Maze::kFloor) mask |= Maze::kWallSouth;
                if (cy > 0 && map->getCell(x, y - 1) != Maze::kFloor) mask |= Maze::kWallNorth;
                EXPECT_EQ(map->getCell(x, y), mask) << "pillar of " << cx << "," << cy;
            }
        }
        EXPECT_EQ(map->getCell(cornerX(params, 0), cornerY(params, 0)), 6);
        EXPECT_EQ(map->getCell(cornerX(params, 5), cornerY(params, 0)), 5);
        EXPECT_EQ(map->getCell(cornerX(params, 0), cornerY(params, 4)), 10);
        EXPECT_EQ(map->getCell(cornerX(params, 5), cornerY(params, 4)), 9);
    }
}

TEST(LevelMapTest, SpecialCellsBecomeClosedBoxes) {
    Maze::LevelParams params = smallLevel();
    params.loopPercent = 100;
    params.specialCells = {2, 1, 4, 3, 0, 3};
    std::unique_ptr<Maze::MazeData> maze;
    auto map = Maze::buildLevelMap(params, &maze);
    EXPECT_EQ(maze->getExcludedCells(), (std::vector<Position>{{2, 1}, {4, 3}, {0, 3}}));
    EXPECT_EQ(MazeTest::nodesOf(*maze).size(), 17u);
    for (size_t i = 0; i < params.specialCells.size(); i += 2) {
        const int x0 = cornerX(params, params.specialCells[i]);
        const int y0 = cornerY(params, params.specialCells[i + 1]);
        SCOPED_TRACE(::testing::Message() << "cell " << params.specialCells[i] << "," << params.specialCells[i + 1]);
        for (int dx = 1; dx <= 3; ++dx) {
            EXPECT_EQ(map->getCell(x0 + dx, y0), Maze::kWallHorizontal);
            EXPECT_EQ(map->getCell(x0 + dx, y0 + 3), Maze::kWallHorizontal);
            for (int dy = 1; dy <= 2; ++dy) EXPECT_EQ(map->getCell(x0 + dx, y0 + dy), Maze::kFloor);
        }
        for (int dy = 1; dy <= 2; ++dy) {
            EXPECT_EQ(map->getCell(x0, y0 + dy), Maze::kWallVertical);
            EXPECT_EQ(map->getCell(x0 + 4, y0 + dy), Maze::kWallVertical);
        }
    }
}

TEST(LevelMapTest, SameSeedGivesTheSameLevel) {
    Maze::LevelParams params = smallLevel();
    params.loopPercent = 20;
    params.specialCells = {3, 2};
    const std::string first = picture(*Maze::buildLevelMap(params));
    EXPECT_EQ(picture(*Maze::buildLevelMap(params)), first);
    params.seed = 54321;
    EXPECT_NE(picture(*Maze::buildLevelMap(params)), first);
}

TEST(LevelMapTest, GoldenSmallLevel) {
    const Maze::LevelParams params = MazeTest::levelParams(2024, 10, {{4, 3}, {2, 1}, {1, 1, 1, 1}}, {1, 1});
    // Cell (1, 1) is the closed box in the middle; pillar 7 has walls west, east and south.
    EXPECT_EQ(picture(*Maze::buildLevelMap(params)),
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
    Maze::LevelParams odd = smallLevel();
    odd.specialCells = {1, 1, 2};
    EXPECT_EXIT(Maze::buildLevelMap(odd), ::testing::ExitedWithCode(1),
                "Maze special cell list has an odd number of entries \\(3\\)");
    Maze::LevelParams outside = smallLevel();
    outside.specialCells = {1, 1, 5, 0};
    EXPECT_EXIT(Maze::buildLevelMap(outside), ::testing::ExitedWithCode(1),
                "Maze excluded cell \\(5, 0\\) lies outside the 5 x 4 maze");
    Maze::LevelParams startCell = smallLevel();
    startCell.specialCells = {0, 0};
    EXPECT_EXIT(Maze::buildLevelMap(startCell), ::testing::ExitedWithCode(1),
                "Maze start position lies outside the maze or on an excluded cell");
}

TEST(MazeGridTest, BuildDrawsPillarsWallsAndBorder) {
    Util::Random random(9);
    auto grid = Maze::buildMaze2D(9, 7, 0, {}, &random);
    ASSERT_EQ(grid->getWidth(), 9);
    ASSERT_EQ(grid->getHeight(), 7);
    for (int x = 0; x < 9; ++x) EXPECT_TRUE(grid->isWall(x, 0) && grid->isWall(x, 6));
    for (int y = 0; y < 7; ++y) EXPECT_TRUE(grid->isWall(0, y) && grid->isWall(8, y));
    for (const Maze::Node* node : MazeTest::nodesOf(*grid->getMaze())) {
        const int x = node->getPosition()[0];
        const int y = node->getPosition()[1];
        EXPECT_TRUE(grid->isWall(2 * x, 2 * y));
        EXPECT_FALSE(grid->isWall(2 * x + 1, 2 * y + 1));
        EXPECT_EQ(grid->isWall(2 * x + 1, 2 * y), node->isExitClosed(0));
        EXPECT_EQ(grid->isWall(2 * x, 2 * y + 1), node->isExitClosed(3));
        EXPECT_EQ(grid->isWall(2 * x + 2, 2 * y + 1), node->isExitClosed(2));
        EXPECT_EQ(grid->isWall(2 * x + 1, 2 * y + 2), node->isExitClosed(1));
    }
    EXPECT_FALSE(grid->isWall(-1, 0));
    EXPECT_FALSE(grid->isWall(9, 0));
    EXPECT_FALSE(grid->isWall(0, 7));
    EXPECT_NE(grid->takeMaze(), nullptr);
    EXPECT_EQ(grid->getMaze(), nullptr);
}

TEST(MazeGridTest, InitOfAWrappedMazeDrawsOnlyTheNearBorder) {
    MazeTest::GridOptions options;
    options.width = 3;
    options.height = 2;
    options.wrap = true;
    Maze::MazeGrid grid;
    grid.init(MazeTest::generate(MazeTest::gridTemplate(options), 1));
    ASSERT_EQ(grid.getWidth(), 6);
    ASSERT_EQ(grid.getHeight(), 4);
    EXPECT_TRUE(grid.isWall(5, 0));
    EXPECT_TRUE(grid.isWall(0, 3));
    EXPECT_FALSE(grid.isWall(5, 1));
    EXPECT_FALSE(grid.isWall(1, 3));
}

}  // namespace
