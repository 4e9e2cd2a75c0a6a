// The index from a cell position: its hash and the map built over a generated maze.
#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/PositionMap.h"

namespace {

// The corridor index is a standard hash map over this hash, and its depth pass walks that map in
// bucket order: the values are part of the result.
TEST(PositionHashTest, XorsCoordinatesShiftedByZeroAndEightInTurn) {
    const struct {
        Maze::Position position;
        size_t hash;
    } cases[] = {
        {{3, 5}, 1283},
        {{3, 5, 6}, 1285},
        {{3, 5, 6, 1}, 1029},
        {{}, 0},
        // A negative coordinate counts as its 32 bits, never widened with its sign.
        {{-1, 0}, 0xffffffffu},
        {{0, -1}, 0xffffffff00u},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(Maze::PositionHash()(testCase.position), testCase.hash)
            << ::testing::PrintToString(testCase.position);
    }
}

TEST(PositionMapTest, IndexesEveryNodeByPosition) {
    MazeTest::GridOptions options;
    options.width = 8;
    options.height = 6;
    options.excluded = {{3, 3}};
    auto maze = MazeTest::generate(MazeTest::gridTemplate(options), 4);
    Maze::PositionMap<Maze::Node> map;
    map[{100, 100}] = nullptr;
    Maze::buildPositionMap(maze->getStartNode(), map);
    const auto nodes = MazeTest::nodesOf(*maze);
    ASSERT_EQ(map.size(), nodes.size());
    for (Maze::Node* node : nodes) {
        auto it = map.find(node->getPosition());
        ASSERT_NE(it, map.end());
        EXPECT_EQ(it->second, node);
    }
    EXPECT_EQ(map.find({3, 3}), map.end());
    Maze::buildPositionMap(nullptr, map);
    EXPECT_TRUE(map.empty());
}

}  // namespace
