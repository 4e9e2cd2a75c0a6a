// Whole builds pinned by checksums: the mazes, tile maps and indexes of these levels and
// generator runs must stay exactly as they are, whatever changes in how they are stored or
// computed. The corridor depths of looped mazes depend on the order the depth pass visits the
// corridor nodes, so the looped cases guard that order too.
#include <gtest/gtest.h>

#include "engine/maze/Generator.h"
#include "engine/maze/LevelMap.h"
#include "tests/engine/maze/LevelParamsFixture.h"
#include "tests/engine/maze/MazeTestSupport.h"
#include "tests/game/maze/LevelFingerprint.h"

namespace {

struct LevelCase {
    const char* name;
    int seed;
    int loopPercent;
    MazeTest::LevelShape shape;
    std::vector<int32_t> specialCells;
    const char* expected;
};

TEST(LevelFingerprintTest, LevelBuildsMatchTheirChecksums) {
    const std::vector<LevelCase> cases{
        {"small looped, special cells",
         5,
         3,
         {{8, 8}, {2, 2}, {3, 2, 1, 2}},
         {4, 4, 1, 7, 7, 1, 2, 2},
         "3cd0d3c4af96f298 f7f0d4c2f3ab2124 519ed337fd1712f9 82be6865679ad47f 00000000"},
        {"wide looped",
         5,
         10,
         {{64, 40}, {2, 2}, {3, 2, 1, 2}},
         {},
         "ea7955df055c0652 633e45b9abd64fb0 43166d9012578437 e431032742d73e4c 00000000"},
        {"large tree",
         4242,
         0,
         {{128, 128}, {4, 4}, {2, 2, 2, 2}},
         {64, 64, 1, 127, 127, 1, 42, 32},
         "86eca73198915525 22436c109aedc00a dbd47686ee478f50 d93e4f17d39cd902 00000000"},
        {"large looped",
         4242,
         10,
         {{128, 128}, {4, 4}, {2, 2, 2, 2}},
         {64, 64, 1, 127, 127, 1, 42, 32},
         "4aaa08033ff0fcb9 ba5e67c5e81d302a dbd47686ee478f50 09696fbfdb3f0cfa 00000000"},
    };
    for (const LevelCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        std::unique_ptr<Maze::MazeData> maze;
        auto map = Maze::buildLevelMap(
            MazeTest::levelParams(testCase.seed, testCase.loopPercent, testCase.shape, testCase.specialCells), &maze);
        Maze::PositionMap<Maze::Node> positions;
        Maze::buildPositionMap(maze->getStartNode(), positions);
        Zelmo::CorridorLookup corridors(4);
        Maze::buildCorridorLookup(maze->getStartNode(), corridors);
        EXPECT_EQ(MazeTest::fingerprintLine(MazeTest::fingerprintMaze(*maze), MazeTest::fingerprintTiles(*map),
                                            MazeTest::fingerprintPositions(*maze, positions),
                                            MazeTest::fingerprintCorridors(*maze, corridors), 0),
                  testCase.expected);
    }
}

enum class Tiles { kFourWay, kSixWay, kCheckerboard };

struct GeneratorCase {
    const char* name;
    Tiles tiles;
    Maze::Position size;
    Maze::Position start;
    std::vector<Maze::Position> excluded;
    int loopPercent;
    bool backtracker;
    bool removeDeadEnds;
    bool wrap;
    uint64_t stream;
    const char* expected;
};

// The six neighbours along the three axes, in the order -x, +x, -y, +y, -z, +z.
Maze::TileData sixWayTiles() {
    Maze::TileData builtTiles;
    for (size_t axis = 0; axis < 3; ++axis) {
        for (int32_t step : {-1, 1}) {
            Maze::Position offset{0, 0, 0};
            offset[axis] = step;
            builtTiles.addConnection({0, offset, 0});
        }
    }
    return builtTiles;
}

// Two cell types in a checkerboard: each type's neighbours are of the other type, and the two
// types number their four exits in different orders.
Maze::TileData checkerboardTiles() {
    Maze::TileData builtTiles;
    for (const Maze::Position& offset : std::vector<Maze::Position>{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}) {
        builtTiles.addConnection({0, offset, 1});
    }
    for (const Maze::Position& offset : std::vector<Maze::Position>{{-1, 0}, {0, 1}, {1, 0}, {0, -1}}) {
        builtTiles.addConnection({1, offset, 0});
    }
    return builtTiles;
}

Maze::TileData tilesOf(Tiles tiles) {
    switch (tiles) {
        case Tiles::kSixWay:
            return sixWayTiles();
        case Tiles::kCheckerboard:
            return checkerboardTiles();
        case Tiles::kFourWay:
            break;
    }
    Maze::TileData builtTiles;
    Maze::addFourWayConnections(builtTiles, 0);
    return builtTiles;
}

TEST(LevelFingerprintTest, GeneratorRunsMatchTheirChecksums) {
    const std::vector<GeneratorCase> cases{
        {"looped",
         Tiles::kFourWay,
         {20, 13},
         {6, 6},
         {},
         10,
         false,
         false,
         false,
         7,
         "11969ddbb14da342 f494d64ab2c1810e 1a1d03d4fbf9c9e2 c1a594f48e0bf3c4 e96fe470"},
        {"every option",
         Tiles::kFourWay,
         {20, 13},
         {6, 6},
         {{11, 7}, {7, 6}},
         50,
         true,
         true,
         true,
         3,
         "b9c4888c493a725e 044bb88eb906c667 a16a39b71aecbb21 66c0beb30b2b751d 1711ed64"},
        {"wrapped without dead ends",
         Tiles::kFourWay,
         {6, 5},
         {2, 2},
         {},
         100,
         false,
         true,
         true,
         2,
         "1539b4cfab2f5c5b 1539b4cfab2f5c5b e7660a45eada1aba 60bdc23b5e6d041a 617e3fad"},
        {"three dimensions",
         Tiles::kSixWay,
         {3, 1, 3},
         {0, 0, 1},
         {},
         0,
         true,
         true,
         true,
         9,
         "5ee382420e2212ea c11195bf4686db49 50632c5a482f1124 236089893ecb3aef b9168420"},
        {"three dimensions looped",
         Tiles::kSixWay,
         {6, 5, 3},
         {0, 0, 1},
         {{4, 3, 2}},
         10,
         false,
         false,
         false,
         4,
         "cc99578caee944be 93e932ed92115bde 118c1a331d243c24 b64a7b433c72ae52 8d800ee8"},
        {"two cell types",
         Tiles::kCheckerboard,
         {9, 6},
         {0, 0},
         {{4, 3}},
         10,
         false,
         false,
         false,
         3,
         "7fad4340490719f4 c9aa8744ef6448d4 cf66ed120e9f08e4 dddc88db20791d69 814da7c0"},
        {"two cell types, every option",
         Tiles::kCheckerboard,
         {9, 6},
         {0, 0},
         {},
         60,
         true,
         true,
         true,
         5,
         "7a805148e72cd676 e5358017e63ab331 e3b6743147cc9612 4ea9e02c317a8980 c3712f64"},
    };
    for (const GeneratorCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const Maze::TileData builtTiles = tilesOf(testCase.tiles);
        Maze::MazeData pattern(builtTiles, testCase.size, testCase.start, testCase.wrap, testCase.backtracker,
                               testCase.removeDeadEnds, testCase.loopPercent);
        for (const Maze::Position& cell : testCase.excluded) pattern.addExcludedCell(cell);
        Util::Random random(testCase.stream);
        Maze::Generator generator(pattern, &random);
        auto first = generator.generate(0);
        auto second = generator.generate(0);
        Maze::PositionMap<Maze::Node> positions;
        Maze::buildPositionMap(first->getStartNode(), positions);
        Zelmo::CorridorLookup corridors(builtTiles.getNumConnections(0));
        Maze::buildCorridorLookup(first->getStartNode(), corridors);
        EXPECT_EQ(MazeTest::fingerprintLine(MazeTest::fingerprintMaze(*first), MazeTest::fingerprintMaze(*second),
                                            MazeTest::fingerprintPositions(*first, positions),
                                            MazeTest::fingerprintCorridors(*first, corridors),
                                            MazeTest::fingerprintRandom(random)),
                  testCase.expected);
    }
}

}  // namespace
