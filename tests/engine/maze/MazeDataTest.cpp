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
    Position big{1, 2, 3, 4, 5, 6};
    big.push_back(7);
    Position copy(big);
    Position small{9};
    small = big;
    Position moved(std::move(copy));
    EXPECT_THAT(moved, ElementsAre(1, 2, 3, 4, 5, 6, 7));
    EXPECT_EQ(small, moved);
    small = Position{8, 9};
    EXPECT_THAT(small, ElementsAre(8, 9));
    big[6] = -7;
    EXPECT_NE(big, moved);
}

TEST(PositionTest, OffsetAddsCoordinatewiseKeepingThePositionsLength) {
    EXPECT_EQ(Maze::offsetPosition({3, 4}, {0, -1}), Position({3, 3}));
    EXPECT_EQ(Maze::offsetPosition({3, 4, 5}, {1, 1}), Position({4, 5, 5}));
    EXPECT_EQ(Maze::offsetPosition({3, 4}, {}), Position({3, 4}));
    EXPECT_EQ(Maze::offsetPosition({3}, {1, 1}), Position({4}));
}

TEST(TileDataTest, ConnectionsAreNumberedPerType) {
    Maze::TileData tiles;
    tiles.addConnection({0, {1}, 5});
    tiles.addConnection({1, {2}, 0});
    tiles.addConnection({0, {3}, 6});
    EXPECT_EQ(tiles.getNumConnections(0), 2);
    EXPECT_EQ(tiles.getNumConnections(1), 1);
    EXPECT_EQ(tiles.getNumConnections(2), 0);
    ASSERT_NE(tiles.getConnection(0, 1), nullptr);
    EXPECT_EQ(tiles.getConnection(0, 1)->offset, Position({3}));
    EXPECT_EQ(tiles.getConnection(0, 1)->toType, 6);
    EXPECT_EQ(tiles.getConnection(1, 0)->offset, Position({2}));
    EXPECT_EQ(tiles.getConnection(0, 2), nullptr);
    EXPECT_EQ(tiles.getConnection(0, -1), nullptr);
    EXPECT_EQ(tiles.getConnection(2, 0), nullptr);
}

TEST(TileDataTest, OnlyTheFirstConnectionSetsTheStartType) {
    Maze::TileData tiles;
    EXPECT_EQ(tiles.getStartType(), 0);
    tiles.addConnection({3, {1}, 3});
    tiles.addConnection({4, {1}, 4});
    EXPECT_EQ(tiles.getStartType(), 3);
}

TEST(TileDataTest, FourWayTableIsUpDownRightLeft) {
    Maze::TileData tiles;
    Maze::addFourWayConnections(tiles, 2);
    ASSERT_EQ(tiles.getNumConnections(2), 4);
    const Position expected[] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tiles.getConnection(2, i)->fromType, 2);
        EXPECT_EQ(tiles.getConnection(2, i)->toType, 2);
        EXPECT_EQ(tiles.getConnection(2, i)->offset, expected[i]) << "exit " << i;
    }
    EXPECT_EQ(tiles.getStartType(), 2);
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
    const Case cases[] = {
        {0, &m_up, false, true},   {1, &m_down, true, true},  {2, &m_right, false, false}, {3, nullptr, false, true},
        {7, nullptr, false, true}, {9, nullptr, false, true}, {-1, nullptr, false, true},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.exit);
        EXPECT_EQ(m_node.getExit(testCase.exit), testCase.target);
        EXPECT_EQ(m_node.isExitOpen(testCase.exit), testCase.open);
        EXPECT_EQ(m_node.isExitClosed(testCase.exit), !testCase.open);
        EXPECT_EQ(m_node.isTreeExit(testCase.exit), testCase.tree);
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
    Maze::TileData tiles;
    Maze::MazeData maze(tiles, {5, 4}, {0, 0}, false, false, false, 0);
    maze.addExcludedCell({1, 1});
    maze.addExcludedCell({2, 2});
    EXPECT_EQ(maze.getNumCells(), 20);
    EXPECT_EQ(Maze::MazeData().getNumCells(), 1);
    EXPECT_EQ(Maze::MazeData(tiles, {2, 3, 4}, {0, 0, 0}, false, false, false, 0).getNumCells(), 24);
}

TEST(MazeDataTest, PositionValidityWithAndWithoutWrap) {
    struct Case {
        bool wrap;
        Position in;
        bool valid;
        Position out;
    };
    const Case cases[] = {
        {true, {-1, 3}, true, {3, 0}}, {false, {-1, 3}, false, {}},   {false, {3, 2}, true, {3, 2}},
        {false, {4, 0}, false, {}},    {true, {4, -1}, true, {0, 2}}, {true, {1, 1}, false, {}},
        {false, {1, 1}, false, {}},    {true, {-5, 0}, false, {}},    {false, {1}, false, {}},
        {false, {1, 0, 0}, false, {}},
    };
    Maze::TileData tiles;
    for (const Case& testCase : cases) {
        Maze::MazeData maze(tiles, {4, 3}, {0, 0}, testCase.wrap, false, false, 0);
        maze.addExcludedCell({1, 1});
        Position position = testCase.in;
        SCOPED_TRACE(::testing::PrintToString(testCase.in) + (testCase.wrap ? " wrapped" : ""));
        EXPECT_EQ(maze.validatePosition(position), testCase.valid);
        if (testCase.valid) {
            EXPECT_EQ(position, testCase.out);
        }
    }
}

TEST(MazeDataTest, ExcludedCellsAreMatchedByWholePosition) {
    Maze::TileData tiles;
    Maze::MazeData maze(tiles, {4, 3}, {0, 0}, false, false, false, 0);
    maze.addExcludedCell({2, 1});
    EXPECT_TRUE(maze.isExcluded({2, 1}));
    EXPECT_FALSE(maze.isExcluded({1, 2}));
    EXPECT_FALSE(maze.isExcluded({2, 1, 0}));
    EXPECT_THAT(maze.getExcludedCells(), ElementsAre(Position({2, 1})));
}

TEST(MazeDataTest, TemplateCopyCarriesEveryFieldButNoGraph) {
    MazeTest::GridOptions options;
    options.backtracker = true;
    options.removeDeadEnds = true;
    options.wrap = true;
    options.loopPercent = 30;
    options.excluded = {{1, 1}};
    auto maze = MazeTest::generate(MazeTest::gridTemplate(options), 5);
    ASSERT_NE(maze->getStartNode(), nullptr);
    Maze::MazeData copy = maze->copyTemplate();
    EXPECT_EQ(copy.getStartNode(), nullptr);
    EXPECT_EQ(copy.getSize(), Position({4, 4}));
    EXPECT_EQ(copy.getStart(), Position({0, 0}));
    EXPECT_EQ(copy.getEnd(), maze->getEnd());
    EXPECT_FALSE(copy.getEnd().empty());
    EXPECT_TRUE(copy.wraps());
    EXPECT_TRUE(copy.usesBacktracker());
    EXPECT_TRUE(copy.removesDeadEnds());
    EXPECT_EQ(copy.getLoopPercent(), 30);
    EXPECT_TRUE(copy.isExcluded({1, 1}));
    EXPECT_EQ(copy.getTiles().getNumConnections(0), 4);
}

TEST(MazeDataTest, MovingHandsTheGraphOverOnce) {
    auto maze = MazeTest::generate(MazeTest::gridTemplate({}), 5);
    Maze::Node* start = maze->getStartNode();
    Maze::MazeData moved(std::move(*maze));
    EXPECT_EQ(maze->getStartNode(), nullptr);
    EXPECT_EQ(moved.getStartNode(), start);
    Maze::MazeData assigned;
    assigned = std::move(moved);
    EXPECT_EQ(moved.getStartNode(), nullptr);
    EXPECT_EQ(assigned.getStartNode(), start);
    // Replacing a graph frees the old one (the sanitizer build reports a leak otherwise).
    assigned = std::move(*MazeTest::generate(MazeTest::gridTemplate({}), 6));
    EXPECT_NE(assigned.getStartNode(), nullptr);
}

TEST(CollectNodesTest, NullStartGivesAnEmptyList) {
    std::vector<Maze::Node*> nodes{nullptr};
    Maze::collectNodes(nullptr, nodes);
    EXPECT_TRUE(nodes.empty());
}

TEST(CollectNodesTest, FollowsTreeExitsBreadthFirstListingEachNodeOnce) {
    // a - b - c in a row, with c also linked back to a (as a wrapped row would be).
    auto* a = new Maze::Node(0, {0});
    auto* b = new Maze::Node(0, {1});
    auto* c = new Maze::Node(0, {2});
    a->addExit({b, 0});
    a->addExit({c, 0});
    b->addExit({a, Maze::Exit::kLinked});
    b->addExit({c, Maze::Exit::kLinked});
    c->addExit({b, Maze::Exit::kLinked});
    c->addExit({a, Maze::Exit::kLinked});
    std::vector<Maze::Node*> nodes;
    Maze::collectNodes(a, nodes);
    EXPECT_THAT(nodes, ElementsAre(a, b, c));
    Maze::deleteNodes(a);
}

TEST(CollectNodesTest, ListsEveryNodeOfAGeneratedMazeStartFirst) {
    MazeTest::GridOptions options;
    options.width = 7;
    options.height = 5;
    options.loopPercent = 40;
    auto maze = MazeTest::generate(MazeTest::gridTemplate(options), 3);
    const auto nodes = MazeTest::nodesOf(*maze);
    ASSERT_EQ(nodes.size(), 35u);
    EXPECT_EQ(nodes.front(), maze->getStartNode());
    std::set<Position, bool (*)(const Position&, const Position&)> positions([](const Position& a, const Position& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end());
    });
    for (const Maze::Node* node : nodes) positions.insert(node->getPosition());
    EXPECT_EQ(positions.size(), 35u);
}

}  // namespace
