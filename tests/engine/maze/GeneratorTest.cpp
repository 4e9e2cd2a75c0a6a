#include "engine/maze/Generator.h"

#include <gtest/gtest.h>

#include "MazeTestSupport.h"
#include "engine/maze/HashedNode.h"

namespace {

using Maze::Position;
using MazeTest::GridOptions;

struct Shape {
    int width;
    int height;
    std::vector<Position> excluded;
    size_t nodes;  // cells reachable from the start
};

const Shape kShapes[] = {
    {1, 1, {}, 1},
    {2, 1, {}, 2},
    {1, 6, {}, 6},
    {5, 4, {}, 20},
    {9, 7, {}, 63},
    {6, 6, {{2, 2}, {3, 3}, {5, 0}}, 33},
    // (0, 2) is walled off by the excluded cells around it.
    {4, 3, {{0, 1}, {1, 2}}, 9},
};
const uint64_t kStreams[] = {1, 2, 99, 123456789};

GridOptions optionsFor(const Shape& shape) {
    GridOptions l_options;
    l_options.width = shape.width;
    l_options.height = shape.height;
    l_options.excluded = shape.excluded;
    return l_options;
}

// Checks that hold for every generated maze.
void expectWellFormed(const Maze::MazeData& maze, const Shape& shape) {
    const auto l_nodes = MazeTest::nodesOf(maze);
    EXPECT_EQ(l_nodes.size(), shape.nodes);
    EXPECT_TRUE(MazeTest::openingsAreSymmetric(l_nodes));
    for (const Maze::Node* l_node : l_nodes) {
        EXPECT_FALSE(maze.isExcluded(l_node->getPosition()));
        ASSERT_EQ(l_node->getNumExits(), 4);
        for (int l_exit = 0; l_exit < 4; ++l_exit) {
            Position l_neighbour =
                Maze::offsetPosition(l_node->getPosition(), maze.getTiles().getConnection(0, l_exit)->offset);
            const Maze::Node* l_target = l_node->getExit(l_exit);
            if (!maze.validatePosition(l_neighbour)) {
                EXPECT_EQ(l_target, nullptr);
                EXPECT_TRUE(l_node->isExitClosed(l_exit));
            } else {
                ASSERT_NE(l_target, nullptr);
                EXPECT_EQ(l_target->getPosition(), l_neighbour);
            }
        }
    }
}

TEST(GeneratorTest, PerfectMazesAreSpanningTrees) {
    for (const Shape& l_shape : kShapes) {
        for (bool l_backtracker : {false, true}) {
            for (uint64_t l_stream : kStreams) {
                SCOPED_TRACE(::testing::Message() << l_shape.width << "x" << l_shape.height << " excluded "
                                                  << l_shape.excluded.size() << (l_backtracker ? " backtracker" : "")
                                                  << " stream " << l_stream);
                GridOptions l_options = optionsFor(l_shape);
                l_options.backtracker = l_backtracker;
                auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), l_stream);
                expectWellFormed(*l_maze, l_shape);
                const auto l_nodes = MazeTest::nodesOf(*l_maze);
                EXPECT_EQ(MazeTest::countPassages(l_nodes), int(l_nodes.size()) - 1);
                EXPECT_EQ(MazeTest::countReachable(l_maze->getStartNode()), l_nodes.size());
            }
        }
    }
}

TEST(GeneratorTest, FullLoopPercentageOpensEveryWallBetweenValidCells) {
    for (const Shape& l_shape : kShapes) {
        GridOptions l_options = optionsFor(l_shape);
        l_options.loopPercent = 100;
        auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), 4);
        expectWellFormed(*l_maze, l_shape);
        for (const Maze::Node* l_node : MazeTest::nodesOf(*l_maze)) {
            for (int l_exit = 0; l_exit < 4; ++l_exit) {
                EXPECT_EQ(l_node->isExitOpen(l_exit), l_node->getExit(l_exit) != nullptr);
            }
        }
    }
}

TEST(GeneratorTest, LoopsOnlyAddPassages) {
    for (uint64_t l_stream : kStreams) {
        GridOptions l_options;
        l_options.width = 12;
        l_options.height = 10;
        l_options.loopPercent = 25;
        auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), l_stream);
        expectWellFormed(*l_maze, {12, 10, {}, 120});
        EXPECT_GT(MazeTest::countPassages(MazeTest::nodesOf(*l_maze)), 119);
    }
}

TEST(GeneratorTest, DeadEndRemovalLeavesNoDeadEndThatCouldBeOpened) {
    for (const Shape& l_shape : kShapes) {
        for (uint64_t l_stream : kStreams) {
            GridOptions l_options = optionsFor(l_shape);
            l_options.removeDeadEnds = true;
            auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), l_stream);
            expectWellFormed(*l_maze, l_shape);
            for (const Maze::Node* l_node : MazeTest::nodesOf(*l_maze)) {
                if (l_node->getNumOpenExits() != 1) continue;
                for (int l_exit = 0; l_exit < 4; ++l_exit) {
                    EXPECT_FALSE(l_node->isExitClosed(l_exit) && l_node->getExit(l_exit))
                        << "dead end at " << ::testing::PrintToString(l_node->getPosition());
                }
            }
        }
    }
}

TEST(GeneratorTest, BacktrackerEndIsADeadEnd) {
    for (const Shape& l_shape : kShapes) {
        if (l_shape.width * l_shape.height < 2) continue;
        for (uint64_t l_stream : kStreams) {
            GridOptions l_options = optionsFor(l_shape);
            l_options.backtracker = true;
            auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), l_stream);
            ASSERT_EQ(l_maze->getEnd().size(), 2u);
            const Maze::Node* l_end = nullptr;
            for (const Maze::Node* l_node : MazeTest::nodesOf(*l_maze)) {
                if (l_node->getPosition() == l_maze->getEnd()) l_end = l_node;
            }
            ASSERT_NE(l_end, nullptr);
            EXPECT_EQ(l_end->getNumOpenExits(), 1);
            EXPECT_NE(l_end, l_maze->getStartNode());
        }
    }
}

TEST(GeneratorTest, KruskalLeavesTheEndEmpty) {
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate({}), 1);
    EXPECT_TRUE(l_maze->getEnd().empty());
}

TEST(GeneratorTest, BacktrackerOnASingleCellEndsAtTheStartWithoutDrawing) {
    GridOptions l_options;
    l_options.width = 1;
    l_options.height = 1;
    l_options.backtracker = true;
    Util::Random l_random(11);
    Util::Random l_reference(11);
    Maze::Generator l_generator(MazeTest::gridTemplate(l_options), &l_random);
    auto l_maze = l_generator.generate(0);
    EXPECT_EQ(l_maze->getEnd(), Position({0, 0}));
    EXPECT_EQ(l_random.next(), l_reference.next());
}

TEST(GeneratorTest, KruskalShuffleDrawsOncePerEdge) {
    GridOptions l_options;
    l_options.width = 5;
    l_options.height = 3;
    Util::Random l_random(21);
    Util::Random l_reference(21);
    Maze::Generator l_generator(MazeTest::gridTemplate(l_options), &l_random);
    auto l_maze = l_generator.generate(0);
    // 5 x 3 cells have 4 * 3 + 5 * 2 = 22 inner walls, each recorded from both sides.
    for (uint32_t l_bound = 44; l_bound >= 1; --l_bound) l_reference.nextInt(l_bound);
    EXPECT_EQ(l_random.next(), l_reference.next());
}

TEST(GeneratorTest, SameTemplateAndRandomStateGiveTheSameMaze) {
    GridOptions l_options;
    l_options.width = 10;
    l_options.height = 8;
    l_options.loopPercent = 15;
    l_options.removeDeadEnds = true;
    l_options.excluded = {{4, 4}};
    const Maze::MazeData l_template = MazeTest::gridTemplate(l_options);
    const std::string l_first = MazeTest::dump(*MazeTest::generate(l_template, 77));
    EXPECT_EQ(MazeTest::dump(*MazeTest::generate(l_template, 77)), l_first);
    EXPECT_NE(MazeTest::dump(*MazeTest::generate(l_template, 78)), l_first);

    // One generator reused: its working state is reset between mazes.
    Util::Random l_random(77);
    Maze::Generator l_generator(l_template, &l_random);
    EXPECT_EQ(MazeTest::dump(*l_generator.generate(0)), l_first);
    l_random = Util::Random(77);
    EXPECT_EQ(MazeTest::dump(*l_generator.generate(0)), l_first);
}

TEST(GeneratorTest, GeneratorsWithoutRandomSourceShareOneFixedStream) {
    // A fresh process, so that the shared source has not been drawn from by other tests.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Maze::MazeData l_template = MazeTest::gridTemplate({});
    EXPECT_EXIT(
        {
            Maze::Generator l_first(l_template, nullptr);
            Maze::Generator l_second(l_template, nullptr);
            Util::Random l_fixed(32);
            Maze::Generator l_reference(l_template, &l_fixed);
            const std::string l_a = MazeTest::dump(*l_first.generate(0));
            const std::string l_b = MazeTest::dump(*l_second.generate(0));
            const std::string l_expectedA = MazeTest::dump(*l_reference.generate(0));
            const std::string l_expectedB = MazeTest::dump(*l_reference.generate(0));
            std::exit(l_a == l_expectedA && l_b == l_expectedB ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(GeneratorTest, WrappedBoxIsATorus) {
    GridOptions l_options;
    l_options.width = 4;
    l_options.height = 3;
    l_options.wrap = true;
    for (uint64_t l_stream : kStreams) {
        auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), l_stream);
        const auto l_nodes = MazeTest::nodesOf(*l_maze);
        ASSERT_EQ(l_nodes.size(), 12u);
        for (const Maze::Node* l_node : l_nodes) {
            for (int l_exit = 0; l_exit < 4; ++l_exit) EXPECT_NE(l_node->getExit(l_exit), nullptr);
        }
        EXPECT_TRUE(MazeTest::openingsAreSymmetric(l_nodes));
        EXPECT_EQ(MazeTest::countPassages(l_nodes), 11);
        EXPECT_EQ(MazeTest::countReachable(l_maze->getStartNode()), 12u);
    }
}

TEST(GeneratorTest, TwoCellWrapOpensTheExitWithTheNegatedOffset) {
    // Both the left and the right exit of each cell lead to the other cell.
    GridOptions l_options;
    l_options.width = 2;
    l_options.height = 1;
    l_options.wrap = true;
    l_options.loopPercent = 100;
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), 1);
    const auto l_nodes = MazeTest::nodesOf(*l_maze);
    ASSERT_EQ(l_nodes.size(), 2u);
    for (const Maze::Node* l_node : l_nodes) {
        EXPECT_TRUE(l_node->isExitOpen(2));
        EXPECT_TRUE(l_node->isExitOpen(3));
        EXPECT_EQ(l_node->getExit(2), l_node->getExit(3));
    }
}

TEST(GeneratorTest, ThreeDimensionalBoxGivesASpanningTree) {
    Maze::TileData l_tiles;
    for (const Position& l_offset : {Position{1, 0, 0}, Position{-1, 0, 0}, Position{0, 1, 0}, Position{0, -1, 0},
                                     Position{0, 0, 1}, Position{0, 0, -1}}) {
        l_tiles.addConnection({0, l_offset, 0});
    }
    Maze::MazeData l_template(l_tiles, {3, 4, 5}, {1, 1, 1}, false, false, false, 0);
    auto l_maze = MazeTest::generate(l_template, 8);
    const auto l_nodes = MazeTest::nodesOf(*l_maze);
    ASSERT_EQ(l_nodes.size(), 60u);
    EXPECT_EQ(l_nodes.front()->getPosition(), Position({1, 1, 1}));
    EXPECT_TRUE(MazeTest::openingsAreSymmetric(l_nodes));
    EXPECT_EQ(MazeTest::countPassages(l_nodes), 59);
    EXPECT_EQ(MazeTest::countReachable(l_maze->getStartNode()), 60u);
}

TEST(GeneratorTest, ConnectionsGiveTheirTargetTypeToNewNodes) {
    // A strip of alternating types: 0 leads right to 1, 1 leads left to 0 and right to 0.
    Maze::TileData l_tiles;
    l_tiles.addConnection({0, {1}, 1});
    l_tiles.addConnection({0, {-1}, 1});
    l_tiles.addConnection({1, {-1}, 0});
    l_tiles.addConnection({1, {1}, 0});
    Maze::MazeData l_template(l_tiles, {5}, {0}, false, false, false, 0);
    auto l_maze = MazeTest::generate(l_template, 1);
    const auto l_nodes = MazeTest::nodesOf(*l_maze);
    ASSERT_EQ(l_nodes.size(), 5u);
    for (const Maze::Node* l_node : l_nodes) EXPECT_EQ(l_node->getType(), l_node->getPosition()[0] % 2);
    EXPECT_EQ(MazeTest::countPassages(l_nodes), 4);
}

// The hash keys the node set by position: it follows the position alone, never the node or its
// type, and away from the axes it tells a cell from its neighbours.
TEST(HashedNodeTest, EqualPositionsHashEquallyWhateverTheNode) {
    for (const Position& l_position : {Position{}, Position{0}, Position{3, -4, 5}, Position{-1, -1}}) {
        Maze::Node l_first(0, l_position);
        Maze::Node l_second(1, l_position);
        EXPECT_EQ(Maze::HashedNode(&l_first).hash(), Maze::HashedNode(&l_second).hash())
            << ::testing::PrintToString(l_position);
    }
}

TEST(HashedNodeTest, NeighboursOffTheAxesHashApart) {
    for (int32_t l_y = 1; l_y < 8; ++l_y) {
        for (int32_t l_x = 1; l_x < 8; ++l_x) {
            Maze::Node l_cell(0, {l_x, l_y});
            Maze::Node l_right(0, {l_x + 1, l_y});
            Maze::Node l_below(0, {l_x, l_y + 1});
            const size_t l_hash = Maze::HashedNode(&l_cell).hash();
            EXPECT_NE(l_hash, Maze::HashedNode(&l_right).hash()) << l_x << "," << l_y;
            EXPECT_NE(l_hash, Maze::HashedNode(&l_below).hash()) << l_x << "," << l_y;
        }
    }
}

TEST(HashedNodeTest, LinkPointsTheWholeChainAtTheRoot) {
    Maze::Node l_node(0, {0});
    Maze::HashedNode l_a(&l_node), l_b(&l_node), l_c(&l_node), l_root(&l_node), l_other(&l_node);
    l_b.link(&l_c);
    l_a.link(&l_b);
    EXPECT_EQ(l_a.getRoot(), &l_c);
    l_a.link(&l_root);
    EXPECT_EQ(l_a.getRoot(), &l_root);
    EXPECT_EQ(l_b.getRoot(), &l_root);
    EXPECT_EQ(l_c.getRoot(), &l_root);
    l_root.link(&l_root);
    EXPECT_EQ(l_root.getRoot(), &l_root);
    // Linking inside one set leaves the root a root.
    l_other.link(&l_root);
    l_c.link(&l_root);
    EXPECT_EQ(static_cast<const Maze::HashedNode&>(l_other).getRoot(), &l_root);
    EXPECT_EQ(l_root.getRoot(), &l_root);
}

TEST(GeneratorDeathTest, OneWayConnectionFailsTheReverseExitCheck) {
    Maze::TileData l_oneWay;
    l_oneWay.addConnection({0, {1}, 0});
    Maze::MazeData l_noWayBack(l_oneWay, {2}, {0}, false, false, false, 0);
    EXPECT_EXIT(MazeTest::generate(l_noWayBack, 1), ::testing::ExitedWithCode(1),
                "l_toExit != l_pToNode->getNumExits\\(\\), file engine/maze/Generator, line 771");
}

TEST(GeneratorDeathTest, StartOutsideOrExcludedIsRefusedBeforeGeneration) {
    GridOptions l_excludedStart;
    l_excludedStart.excluded = {{0, 0}};
    EXPECT_EXIT(MazeTest::generate(MazeTest::gridTemplate(l_excludedStart), 1), ::testing::ExitedWithCode(1),
                "Maze start position lies outside the maze or on an excluded cell");
    GridOptions l_empty;
    l_empty.width = 0;
    EXPECT_EXIT(MazeTest::generate(MazeTest::gridTemplate(l_empty), 1), ::testing::ExitedWithCode(1),
                "Maze start position lies outside the maze or on an excluded cell");
}

TEST(GeneratorTest, BacktrackerStopsWhenCellsAreUnreachable) {
    // The excluded column cuts the box in two; the flood and the walk stay on the start side.
    GridOptions l_options;
    l_options.width = 5;
    l_options.height = 3;
    l_options.backtracker = true;
    l_options.excluded = {{2, 0}, {2, 1}, {2, 2}};
    auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), 3);
    const auto l_nodes = MazeTest::nodesOf(*l_maze);
    EXPECT_EQ(l_nodes.size(), 6u);
    EXPECT_EQ(MazeTest::countPassages(l_nodes), 5);
    EXPECT_EQ(MazeTest::countReachable(l_maze->getStartNode()), 6u);
}

}  // namespace
