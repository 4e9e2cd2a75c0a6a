#include "engine/maze/MazeData.h"

#include <set>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "MazeTestSupport.h"

namespace {

using Maze::Position;
using ::testing::ElementsAre;

TEST(PositionTest, EqualityNeedsTheSameLengthAndCoordinates) {
    EXPECT_EQ(Position({1, 2}), Position({1, 2}));
    EXPECT_NE(Position({1, 2}), Position({2, 1}));
    EXPECT_NE(Position({1, 2}), Position({1, 2, 0}));
    EXPECT_EQ(Position(3), Position({0, 0, 0}));
    EXPECT_NE(Position(), Position({0}));
}

TEST(PositionTest, ManyDimensionsSurviveCopiesMovesAndGrowth) {
    Position l_big{1, 2, 3, 4, 5, 6};
    l_big.push_back(7);
    Position l_copy(l_big);
    Position l_small{9};
    l_small = l_big;
    Position l_moved(std::move(l_copy));
    EXPECT_THAT(l_moved, ElementsAre(1, 2, 3, 4, 5, 6, 7));
    EXPECT_EQ(l_small, l_moved);
    l_small = Position{8, 9};
    EXPECT_THAT(l_small, ElementsAre(8, 9));
    l_big[6] = -7;
    EXPECT_NE(l_big, l_moved);
}

TEST(PositionTest, OffsetAddsCoordinatewiseKeepingThePositionsLength) {
    EXPECT_EQ(Maze::offsetPosition({3, 4}, {0, -1}), Position({3, 3}));
    EXPECT_EQ(Maze::offsetPosition({3, 4, 5}, {1, 1}), Position({4, 5, 5}));
    EXPECT_EQ(Maze::offsetPosition({3, 4}, {}), Position({3, 4}));
    EXPECT_EQ(Maze::offsetPosition({3}, {1, 1}), Position({4}));
}

TEST(TileDataTest, ConnectionsAreNumberedPerType) {
    Maze::TileData l_tiles;
    l_tiles.addConnection({0, {1}, 5});
    l_tiles.addConnection({1, {2}, 0});
    l_tiles.addConnection({0, {3}, 6});
    EXPECT_EQ(l_tiles.getNumConnections(0), 2);
    EXPECT_EQ(l_tiles.getNumConnections(1), 1);
    EXPECT_EQ(l_tiles.getNumConnections(2), 0);
    ASSERT_NE(l_tiles.getConnection(0, 1), nullptr);
    EXPECT_EQ(l_tiles.getConnection(0, 1)->offset, Position({3}));
    EXPECT_EQ(l_tiles.getConnection(0, 1)->toType, 6);
    EXPECT_EQ(l_tiles.getConnection(1, 0)->offset, Position({2}));
    EXPECT_EQ(l_tiles.getConnection(0, 2), nullptr);
    EXPECT_EQ(l_tiles.getConnection(0, -1), nullptr);
    EXPECT_EQ(l_tiles.getConnection(2, 0), nullptr);
}

TEST(TileDataTest, OnlyTheFirstConnectionSetsTheStartType) {
    Maze::TileData l_tiles;
    EXPECT_EQ(l_tiles.getStartType(), 0);
    l_tiles.addConnection({3, {1}, 3});
    l_tiles.addConnection({4, {1}, 4});
    EXPECT_EQ(l_tiles.getStartType(), 3);
}

TEST(TileDataTest, FourWayTableIsUpDownRightLeft) {
    Maze::TileData l_tiles;
    Maze::addFourWayConnections(l_tiles, 2);
    ASSERT_EQ(l_tiles.getNumConnections(2), 4);
    const Position l_expected[] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
    for (int l_i = 0; l_i < 4; ++l_i) {
        EXPECT_EQ(l_tiles.getConnection(2, l_i)->fromType, 2);
        EXPECT_EQ(l_tiles.getConnection(2, l_i)->toType, 2);
        EXPECT_EQ(l_tiles.getConnection(2, l_i)->offset, l_expected[l_i]) << "exit " << l_i;
    }
    EXPECT_EQ(l_tiles.getStartType(), 2);
}

class NodeExitTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_node.addExit({&m_up, 0});
        m_node.addExit({&m_down, Maze::Exit::kOpen});
        m_node.addExit({&m_right, Maze::Exit::kLinked});
        m_node.addExit({nullptr, 0});
    }
    Maze::Node m_node{0, {1, 1}};
    Maze::Node m_up{0, {1, 0}};
    Maze::Node m_down{0, {1, 2}};
    Maze::Node m_right{0, {2, 1}};
};

TEST_F(NodeExitTest, QueriesOfExitsAndOfIndexesThatAreNoExit) {
    struct Case {
        int exit;
        const Maze::Node* target;
        bool open;
        bool tree;
    };
    const Case l_cases[] = {
        {0, &m_up, false, true},   {1, &m_down, true, true}, {2, &m_right, false, false},
        {3, nullptr, false, true}, {7, nullptr, false, true}, {9, nullptr, false, true},
        {-1, nullptr, false, true},
    };
    for (const Case& l_case : l_cases) {
        SCOPED_TRACE(l_case.exit);
        EXPECT_EQ(m_node.getExit(l_case.exit), l_case.target);
        EXPECT_EQ(m_node.isExitOpen(l_case.exit), l_case.open);
        EXPECT_EQ(m_node.isExitClosed(l_case.exit), !l_case.open);
        EXPECT_EQ(m_node.isTreeExit(l_case.exit), l_case.tree);
    }
    EXPECT_EQ(m_node.getNumExits(), 4);
    EXPECT_EQ(m_node.getNumOpenExits(), 1);
}

TEST_F(NodeExitTest, OpeningTouchesOnlyTheOpenBit) {
    m_node.setExitOpen(2, true);
    m_node.setExitOpen(1, false);
    m_node.setExitOpen(9, true);
    EXPECT_TRUE(m_node.isExitOpen(2));
    EXPECT_FALSE(m_node.isTreeExit(2));
    EXPECT_TRUE(m_node.isExitClosed(1));
    EXPECT_EQ(m_node.getNumOpenExits(), 1);
}

TEST(MazeDataTest, CellCountIsTheProductOfTheExtents) {
    Maze::TileData l_tiles;
    Maze::MazeData l_maze(l_tiles, {5, 4}, {0, 0}, false, false, false, 0);
    l_maze.addExcludedCell({1, 1});
    l_maze.addExcludedCell({2, 2});
    EXPECT_EQ(l_maze.getNumCells(), 20);
    EXPECT_EQ(Maze::MazeData().getNumCells(), 1);
    EXPECT_EQ(Maze::MazeData(l_tiles, {2, 3, 4}, {0, 0, 0}, false, false, false, 0).getNumCells(), 24);
}

TEST(MazeDataTest, PositionValidityWithAndWithoutWrap) {
    struct Case {
        bool wrap;
        Position in;
        bool valid;
        Position out;
    };
    const Case l_cases[] = {
        {true, {-1, 3}, true, {3, 0}},   {false, {-1, 3}, false, {}},   {false, {3, 2}, true, {3, 2}},
        {false, {4, 0}, false, {}},      {true, {4, -1}, true, {0, 2}}, {true, {1, 1}, false, {}},
        {false, {1, 1}, false, {}},      {true, {-5, 0}, false, {}},    {false, {1}, false, {}},
        {false, {1, 0, 0}, false, {}},
    };
    Maze::TileData l_tiles;
    for (const Case& l_case : l_cases) {
        Maze::MazeData l_maze(l_tiles, {4, 3}, {0, 0}, l_case.wrap, false, false, 0);
        l_maze.addExcludedCell({1, 1});
        Position l_position = l_case.in;
        SCOPED_TRACE(::testing::PrintToString(l_case.in) + (l_case.wrap ? " wrapped" : ""));
        EXPECT_EQ(l_maze.validatePosition(l_position), l_case.valid);
        if (l_case.valid) {
            EXPECT_EQ(l_position, l_case.out);
        }
    }
}

TEST(MazeDataTest, ExcludedCellsAreMatchedByWholePosition) {
    Maze::TileData l_tiles;
    Maze::MazeData l_maze(l_tiles, {4, 3}, {0, 0}, false, false, false, 0);
    l_maze.addExcludedCell({2, 1});
    EXPECT_TRUE(l_maze.isExcluded({2, 1}));
    EXPECT_FALSE(l_maze.isExcluded({1, 2}));
    EXPECT_FALSE(l_maze.isExcluded({2, 1, 0}));
    EXPECT_THAT(l_maze.getExcludedCells(), ElementsAre(Position({2, 1})));
}

TEST(MazeDataTest, TemplateCopyCarriesEveryFieldButNoGraph) {
    MazeTest::GridOptions l_options;
    l_options.backtracker = true;
    l_options.removeDeadEnds = true;
    l_options.wrap = true;
    l_options.loopPercent = 30;
    l_options.excluded = {{1, 1}};
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), 5);
    ASSERT_NE(l_maze->getStartNode(), nullptr);
    Maze::MazeData l_copy = l_maze->copyTemplate();
    EXPECT_EQ(l_copy.getStartNode(), nullptr);
    EXPECT_EQ(l_copy.getSize(), Position({4, 4}));
    EXPECT_EQ(l_copy.getStart(), Position({0, 0}));
    EXPECT_EQ(l_copy.getEnd(), l_maze->getEnd());
    EXPECT_FALSE(l_copy.getEnd().empty());
    EXPECT_TRUE(l_copy.wraps());
    EXPECT_TRUE(l_copy.usesBacktracker());
    EXPECT_TRUE(l_copy.removesDeadEnds());
    EXPECT_EQ(l_copy.getLoopPercent(), 30);
    EXPECT_TRUE(l_copy.isExcluded({1, 1}));
    EXPECT_EQ(l_copy.getTiles().getNumConnections(0), 4);
}

TEST(MazeDataTest, MovingHandsTheGraphOverOnce) {
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate({}), 5);
    Maze::Node* l_start = l_maze->getStartNode();
    Maze::MazeData l_moved(std::move(*l_maze));
    EXPECT_EQ(l_maze->getStartNode(), nullptr);
    EXPECT_EQ(l_moved.getStartNode(), l_start);
    Maze::MazeData l_assigned;
    l_assigned = std::move(l_moved);
    EXPECT_EQ(l_moved.getStartNode(), nullptr);
    EXPECT_EQ(l_assigned.getStartNode(), l_start);
    // Replacing a graph frees the old one (the sanitizer build reports a leak otherwise).
    l_assigned = std::move(*MazeTest::generate(MazeTest::gridTemplate({}), 6));
    EXPECT_NE(l_assigned.getStartNode(), nullptr);
}

TEST(CollectNodesTest, NullStartGivesAnEmptyList) {
    std::vector<Maze::Node*> l_nodes{nullptr};
    Maze::collectNodes(nullptr, l_nodes);
    EXPECT_TRUE(l_nodes.empty());
}

TEST(CollectNodesTest, FollowsTreeExitsBreadthFirstListingEachNodeOnce) {
    // a - b - c in a row, with c also linked back to a (as a wrapped row would be).
    auto* l_a = new Maze::Node(0, {0});
    auto* l_b = new Maze::Node(0, {1});
    auto* l_c = new Maze::Node(0, {2});
    l_a->addExit({l_b, 0});
    l_a->addExit({l_c, 0});
    l_b->addExit({l_a, Maze::Exit::kLinked});
    l_b->addExit({l_c, Maze::Exit::kLinked});
    l_c->addExit({l_b, Maze::Exit::kLinked});
    l_c->addExit({l_a, Maze::Exit::kLinked});
    std::vector<Maze::Node*> l_nodes;
    Maze::collectNodes(l_a, l_nodes);
    EXPECT_THAT(l_nodes, ElementsAre(l_a, l_b, l_c));
    Maze::deleteNodes(l_a);
}

TEST(CollectNodesTest, ListsEveryNodeOfAGeneratedMazeStartFirst) {
    MazeTest::GridOptions l_options;
    l_options.width = 7;
    l_options.height = 5;
    l_options.loopPercent = 40;
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), 3);
    const auto l_nodes = MazeTest::nodesOf(*l_maze);
    ASSERT_EQ(l_nodes.size(), 35u);
    EXPECT_EQ(l_nodes.front(), l_maze->getStartNode());
    std::set<Position, bool (*)(const Position&, const Position&)> l_positions(
        [](const Position& a, const Position& b) { return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end()); });
    for (const Maze::Node* l_node : l_nodes) l_positions.insert(l_node->getPosition());
    EXPECT_EQ(l_positions.size(), 35u);
}

}  // namespace
