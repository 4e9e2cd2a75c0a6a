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
    GridOptions options;
    options.width = shape.width;
    options.height = shape.height;
    options.excluded = shape.excluded;
    return options;
}

// Checks that hold for every generated maze.
void expectWellFormed(const Maze::MazeData& maze, const Shape& shape) {
    const auto nodes = MazeTest::nodesOf(maze);
    EXPECT_EQ(nodes.size(), shape.nodes);
    EXPECT_TRUE(MazeTest::openingsAreSymmetric(nodes));
    for (const Maze::Node* node : nodes) {
        EXPECT_FALSE(maze.isExcluded(node->getPosition()));
        ASSERT_EQ(node->getNumExits(), 4);
        for (int exitStatus = 0; exitStatus < 4; ++exitStatus) {
            Position neighbour =
                Maze::offsetPosition(node->getPosition(), maze.getTiles().getConnection(0, exitStatus)->offset);
            const Maze::Node* target = node->getExit(exitStatus);
            if (!maze.validatePosition(neighbour)) {
                EXPECT_EQ(target, nullptr);
                EXPECT_TRUE(node->isExitClosed(exitStatus));
            } else {
                ASSERT_NE(target, nullptr);
                EXPECT_EQ(target->getPosition(), neighbour);
            }
        }
    }
}

TEST(GeneratorTest, PerfectMazesAreSpanningTrees) {
    for (const Shape& shape : kShapes) {
        for (bool backtracker : {false, true}) {
            for (uint64_t stream : kStreams) {
                SCOPED_TRACE(::testing::Message()
                             << shape.width << "x" << shape.height << " excluded " << shape.excluded.size()
                             << (backtracker ? " backtracker" : "") << " stream " << stream);
                GridOptions options = optionsFor(shape);
                options.backtracker = backtracker;
                auto maze = MazeTest::generate(MazeTest::gridTemplate(options), stream);
                expectWellFormed(*maze, shape);
                const auto nodes = MazeTest::nodesOf(*maze);
                EXPECT_EQ(MazeTest::countPassages(nodes), int(nodes.size()) - 1);
                EXPECT_EQ(MazeTest::countReachable(maze->getStartNode()), nodes.size());
            }
        }
    }
}

TEST(GeneratorTest, FullLoopPercentageOpensEveryWallBetweenValidCells) {
    for (const Shape& shape : kShapes) {
        GridOptions options = optionsFor(shape);
        options.loopPercent = 100;
        auto maze = MazeTest::generate(MazeTest::gridTemplate(options), 4);
        expectWellFormed(*maze, shape);
        for (const Maze::Node* node : MazeTest::nodesOf(*maze)) {
            for (int exitStatus = 0; exitStatus < 4; ++exitStatus) {
                EXPECT_EQ(node->isExitOpen(exitStatus), node->getExit(exitStatus) != nullptr);
            }
        }
    }
}

TEST(GeneratorTest, LoopsOnlyAddPassages) {
    for (uint64_t stream : kStreams) {
        GridOptions options;
        options.width = 12;
        options.height = 10;
        options.loopPercent = 25;
        auto maze = MazeTest::generate(MazeTest::gridTemplate(options), stream);
        expectWellFormed(*maze, {12, 10, {}, 120});
        EXPECT_GT(MazeTest::countPassages(MazeTest::nodesOf(*maze)), 119);
    }
}

TEST(GeneratorTest, DeadEndRemovalLeavesNoDeadEndThatCouldBeOpened) {
    for (const Shape& shape : kShapes) {
        for (uint64_t stream : kStreams) {
            GridOptions options = optionsFor(shape);
            options.removeDeadEnds = true;
            auto maze = MazeTest::generate(MazeTest::gridTemplate(options), stream);
            expectWellFormed(*maze, shape);
            for (const Maze::Node* node : MazeTest::nodesOf(*maze)) {
                if (node->getNumOpenExits() != 1) continue;
                for (int exitStatus = 0; exitStatus < 4; ++exitStatus) {
                    EXPECT_FALSE(node->isExitClosed(exitStatus) && node->getExit(exitStatus))
                        << "dead end at " << ::testing::PrintToString(node->getPosition());
                }
            }
        }
    }
}

TEST(GeneratorTest, BacktrackerEndIsADeadEnd) {
    for (const Shape& shape : kShapes) {
        if (shape.width * shape.height < 2) continue;
        for (uint64_t stream : kStreams) {
            GridOptions options = optionsFor(shape);
            options.backtracker = true;
            auto maze = MazeTest::generate(MazeTest::gridTemplate(options), stream);
            ASSERT_EQ(maze->getEnd().size(), 2u);
            const Maze::Node* endPos = nullptr;
            for (const Maze::Node* node : MazeTest::nodesOf(*maze)) {
                if (node->getPosition() == maze->getEnd()) endPos = node;
            }
            ASSERT_NE(endPos, nullptr);
            EXPECT_EQ(endPos->getNumOpenExits(), 1);
            EXPECT_NE(endPos, maze->getStartNode());
        }
    }
}

TEST(GeneratorTest, KruskalLeavesTheEndEmpty) {
    auto maze = MazeTest::generate(MazeTest::gridTemplate({}), 1);
    EXPECT_TRUE(maze->getEnd().empty());
}

TEST(GeneratorTest, BacktrackerOnASingleCellEndsAtTheStartWithoutDrawing) {
    GridOptions options;
    options.width = 1;
    options.height = 1;
    options.backtracker = true;
    Util::Random random(11);
    Util::Random reference(11);
    Maze::Generator generator(MazeTest::gridTemplate(options), &random);
    auto maze = generator.generate(0);
    EXPECT_EQ(maze->getEnd(), Position({0, 0}));
    EXPECT_EQ(random.next(), reference.next());
}

TEST(GeneratorTest, KruskalShuffleDrawsOncePerEdge) {
    GridOptions options;
    options.width = 5;
    options.height = 3;
    Util::Random random(21);
    Util::Random reference(21);
    Maze::Generator generator(MazeTest::gridTemplate(options), &random);
    auto maze = generator.generate(0);
    // 5 x 3 cells have 4 * 3 + 5 * 2 = 22 inner walls, each recorded from both sides.
    for (uint32_t bound = 44; bound >= 1; --bound) reference.nextInt(bound);
    EXPECT_EQ(random.next(), reference.next());
}

TEST(GeneratorTest, SameTemplateAndRandomStateGiveTheSameMaze) {
    GridOptions options;
    options.width = 10;
    options.height = 8;
    options.loopPercent = 15;
    options.removeDeadEnds = true;
    options.excluded = {{4, 4}};
    const Maze::MazeData pattern = MazeTest::gridTemplate(options);
    const std::string first = MazeTest::dump(*MazeTest::generate(pattern, 77));
    EXPECT_EQ(MazeTest::dump(*MazeTest::generate(pattern, 77)), first);
    EXPECT_NE(MazeTest::dump(*MazeTest::generate(pattern, 78)), first);

    // One generator reused: its working state is reset between mazes.
    Util::Random random(77);
    Maze::Generator generator(pattern, &random);
    EXPECT_EQ(MazeTest::dump(*generator.generate(0)), first);
    random = Util::Random(77);
    EXPECT_EQ(MazeTest::dump(*generator.generate(0)), first);
}

TEST(GeneratorTest, GeneratorsWithoutRandomSourceShareOneFixedStream) {
    // A fresh process, so that the shared source has not been drawn from by other tests.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Maze::MazeData pattern = MazeTest::gridTemplate({});
    EXPECT_EXIT(
        {
            Maze::Generator first(pattern, nullptr);
            Maze::Generator second(pattern, nullptr);
            Util::Random fixed(32);
            Maze::Generator reference(pattern, &fixed);
            const std::string a = MazeTest::dump(*first.generate(0));
            const std::string b = MazeTest::dump(*second.generate(0));
            const std::string expectedA = MazeTest::dump(*reference.generate(0));
            const std::string expectedB = MazeTest::dump(*reference.generate(0));
            std::exit(a == expectedA && b == expectedB ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(GeneratorTest, WrappedBoxIsATorus) {
    GridOptions options;
    options.width = 4;
    options.height = 3;
    options.wrap = true;
    for (uint64_t stream : kStreams) {
        auto maze = MazeTest::generate(MazeTest::gridTemplate(options), stream);
        const auto nodes = MazeTest::nodesOf(*maze);
        ASSERT_EQ(nodes.size(), 12u);
        for (const Maze::Node* node : nodes) {
            for (int exitStatus = 0; exitStatus < 4; ++exitStatus) EXPECT_NE(node->getExit(exitStatus), nullptr);
        }
        EXPECT_TRUE(MazeTest::openingsAreSymmetric(nodes));
        EXPECT_EQ(MazeTest::countPassages(nodes), 11);
        EXPECT_EQ(MazeTest::countReachable(maze->getStartNode()), 12u);
    }
}

TEST(GeneratorTest, TwoCellWrapOpensTheExitWithTheNegatedOffset) {
    // Both the left and the right exit of each cell lead to the other cell.
    GridOptions options;
    options.width = 2;
    options.height = 1;
    options.wrap = true;
    options.loopPercent = 100;
    auto maze = MazeTest::generate(MazeTest::gridTemplate(options), 1);
    const auto nodes = MazeTest::nodesOf(*maze);
    ASSERT_EQ(nodes.size(), 2u);
    for (const Maze::Node* node : nodes) {
        EXPECT_TRUE(node->isExitOpen(2));
        EXPECT_TRUE(node->isExitOpen(3));
        EXPECT_EQ(node->getExit(2), node->getExit(3));
    }
}

TEST(GeneratorTest, ThreeDimensionalBoxGivesASpanningTree) {
    Maze::TileData tiles;
    for (const Position& offset : {Position{1, 0, 0}, Position{-1, 0, 0}, Position{0, 1, 0}, Position{0, -1, 0},
                                   Position{0, 0, 1}, Position{0, 0, -1}}) {
        tiles.addConnection({0, offset, 0});
    }
    Maze::MazeData pattern(tiles, {3, 4, 5}, {1, 1, 1}, false, false, false, 0);
    auto maze = MazeTest::generate(pattern, 8);
    const auto nodes = MazeTest::nodesOf(*maze);
    ASSERT_EQ(nodes.size(), 60u);
    EXPECT_EQ(nodes.front()->getPosition(), Position({1, 1, 1}));
    EXPECT_TRUE(MazeTest::openingsAreSymmetric(nodes));
    EXPECT_EQ(MazeTest::countPassages(nodes), 59);
    EXPECT_EQ(MazeTest::countReachable(maze->getStartNode()), 60u);
}

TEST(GeneratorTest, ConnectionsGiveTheirTargetTypeToNewNodes) {
    // A strip of alternating types: 0 leads right to 1, 1 leads left to 0 and right to 0.
    Maze::TileData tiles;
    tiles.addConnection({0, {1}, 1});
    tiles.addConnection({0, {-1}, 1});
    tiles.addConnection({1, {-1}, 0});
    tiles.addConnection({1, {1}, 0});
    Maze::MazeData pattern(tiles, {5}, {0}, false, false, false, 0);
    auto maze = MazeTest::generate(pattern, 1);
    const auto nodes = MazeTest::nodesOf(*maze);
    ASSERT_EQ(nodes.size(), 5u);
    for (const Maze::Node* node : nodes) EXPECT_EQ(node->getType(), node->getPosition()[0] % 2);
    EXPECT_EQ(MazeTest::countPassages(nodes), 4);
}

// The hash keys the node set by position: it follows the position alone, never the node or its
// type, and away from the axes it tells a cell from its neighbours.
TEST(HashedNodeTest, EqualPositionsHashEquallyWhateverTheNode) {
    for (const Position& position : {Position{}, Position{0}, Position{3, -4, 5}, Position{-1, -1}}) {
        Maze::Node first(0, position);
        Maze::Node second(1, position);
        EXPECT_EQ(Maze::HashedNode(&first).hash(), Maze::HashedNode(&second).hash())
            << ::testing::PrintToString(position);
    }
}

TEST(HashedNodeTest, NeighboursOffTheAxesHashApart) {
    for (int32_t y = 1; y < 8; ++y) {
        for (int32_t x = 1; x < 8; ++x) {
            Maze::Node cell(0, {x, y});
            Maze::Node right(0, {x + 1, y});
            Maze::Node below(0, {x, y + 1});
            const size_t hash = Maze::HashedNode(&cell).hash();
            EXPECT_NE(hash, Maze::HashedNode(&right).hash()) << x << "," << y;
            EXPECT_NE(hash, Maze::HashedNode(&below).hash()) << x << "," << y;
        }
    }
}

TEST(HashedNodeTest, LinkPointsTheWholeChainAtTheRoot) {
    Maze::Node node(0, {0});
    Maze::HashedNode a(&node), b(&node), c(&node), root(&node), other(&node);
    b.link(&c);
    a.link(&b);
    EXPECT_EQ(a.getRoot(), &c);
    a.link(&root);
    EXPECT_EQ(a.getRoot(), &root);
    EXPECT_EQ(b.getRoot(), &root);
    EXPECT_EQ(c.getRoot(), &root);
    root.link(&root);
    EXPECT_EQ(root.getRoot(), &root);
    // Linking inside one set leaves the root a root.
    other.link(&root);
    c.link(&root);
    EXPECT_EQ(static_cast<const Maze::HashedNode&>(other).getRoot(), &root);
    EXPECT_EQ(root.getRoot(), &root);
}

TEST(GeneratorDeathTest, OneWayConnectionFailsTheReverseExitCheck) {
    Maze::TileData oneWay;
    oneWay.addConnection({0, {1}, 0});
    Maze::MazeData noWayBack(oneWay, {2}, {0}, false, false, false, 0);
    EXPECT_EXIT(MazeTest::generate(noWayBack, 1), ::testing::ExitedWithCode(1),
                "l_toExit != l_pToNode->getNumExits\\(\\), file engine/maze/Generator, line 771");
}

TEST(GeneratorDeathTest, StartOutsideOrExcludedIsRefusedBeforeGeneration) {
    GridOptions excludedStart;
    excludedStart.excluded = {{0, 0}};
    EXPECT_EXIT(MazeTest::generate(MazeTest::gridTemplate(excludedStart), 1), ::testing::ExitedWithCode(1),
                "Maze start position lies outside the maze or on an excluded cell");
    GridOptions empty;
    empty.width = 0;
    EXPECT_EXIT(MazeTest::generate(MazeTest::gridTemplate(empty), 1), ::testing::ExitedWithCode(1),
                "Maze start position lies outside the maze or on an excluded cell");
}

TEST(GeneratorTest, BacktrackerStopsWhenCellsAreUnreachable) {
    // The excluded column cuts the box in two; the flood and the walk stay on the start side.
    GridOptions options;
    options.width = 5;
    options.height = 3;
    options.backtracker = true;
    options.excluded = {{2, 0}, {2, 1}, {2, 2}};
    auto maze = MazeTest::generate(MazeTest::gridTemplate(options), 3);
    const auto nodes = MazeTest::nodesOf(*maze);
    EXPECT_EQ(nodes.size(), 6u);
    EXPECT_EQ(MazeTest::countPassages(nodes), 5);
    EXPECT_EQ(MazeTest::countReachable(maze->getStartNode()), 6u);
}

}  // namespace
