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
    } l_cases[] = {
        {{3, 5}, 1283},
        {{3, 5, 6}, 1285},
        {{3, 5, 6, 1}, 1029},
        {{}, 0},
        // A negative coordinate counts as its 32 bits, never widened with its sign.
        {{-1, 0}, 0xffffffffu},
        {{0, -1}, 0xffffffff00u},
    };
    for (const auto& l_case : l_cases) {
        EXPECT_EQ(Maze::PositionHash()(l_case.position), l_case.hash) << ::testing::PrintToString(l_case.position);
    }
}

TEST(PositionMapTest, IndexesEveryNodeByPosition) {
    MazeTest::GridOptions l_options;
    l_options.width = 8;
    l_options.height = 6;
    l_options.excluded = {{3, 3}};
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), 4);
    Maze::PositionMap<Maze::Node> l_map;
    l_map[{100, 100}] = nullptr;
    Maze::buildPositionMap(l_maze->getStartNode(), l_map);
    const auto l_nodes = MazeTest::nodesOf(*l_maze);
    ASSERT_EQ(l_map.size(), l_nodes.size());
    for (Maze::Node* l_node : l_nodes) {
        auto l_it = l_map.find(l_node->getPosition());
        ASSERT_NE(l_it, l_map.end());
        EXPECT_EQ(l_it->second, l_node);
    }
    EXPECT_EQ(l_map.find({3, 3}), l_map.end());
    Maze::buildPositionMap(nullptr, l_map);
    EXPECT_TRUE(l_map.empty());
}

}  // namespace
