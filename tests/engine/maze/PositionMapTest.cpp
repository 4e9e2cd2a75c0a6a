// The index from a cell position: its hash and the map built over a generated maze.
#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/PositionMap.h"

namespace {

TEST(PositionHashTest, XorsCoordinatesShiftedByZeroAndEightInTurn) {
    Maze::PositionHash l_hash;
    EXPECT_EQ(l_hash({3, 5}), 1283u);
    EXPECT_EQ(l_hash({3, 5, 6}), size_t(3 ^ (5 << 8) ^ 6));
    EXPECT_EQ(l_hash({3, 5, 6, 1}), size_t(3 ^ (5 << 8) ^ 6 ^ (1 << 8)));
    EXPECT_EQ(l_hash({}), 0u);
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
