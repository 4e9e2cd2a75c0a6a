#include "game/maze/CorridorLookup.h"

#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/maze/PositionMap.h"
#include "tests/engine/maze/MazeTestSupport.h"

namespace {

using Maze::Position;
using Zelmo::CorridorLink;
using Zelmo::CorridorLookup;
using Zelmo::CorridorNode;

constexpr int kUp = 0, kDown = 1, kRight = 2, kLeft = 3;

std::unique_ptr<CorridorLookup> lookupOf(const Maze::MazeData& maze) {
    auto l_lookup = std::make_unique<CorridorLookup>(4);
    Maze::buildCorridorLookup(maze.getStartNode(), *l_lookup);
    return l_lookup;
}

const CorridorLink* linkThrough(const CorridorNode* node, int exit) {
    for (const CorridorLink& l_link : node->links) {
        if (l_link.exit == exit) return &l_link;
    }
    return nullptr;
}

// The decision point reached by leaving node through exit, walking the maze directly.
const Maze::Node* walkToDecisionPoint(const Maze::Node* node, int exit) {
    const Maze::Node* l_previous = node;
    const Maze::Node* l_current = node->getExit(exit);
    while (l_current->getNumOpenExits() == 2) {
        const Maze::Node* l_next = nullptr;
        for (int l_e = 0; l_e < l_current->getNumExits() && !l_next; ++l_e) {
            if (l_current->isExitOpen(l_e) && l_current->getExit(l_e) != l_previous) l_next = l_current->getExit(l_e);
        }
        l_previous = l_current;
        l_current = l_next;
    }
    return l_current;
}

// Depth of the dead-end tree behind the corridor from `from` to `to`, on a maze without loops.
int treeDepth(const CorridorNode* from, const CorridorNode* to) {
    int l_deepest = 0;
    for (const CorridorLink& l_link : to->links) {
        if (l_link.target != from) l_deepest = std::max(l_deepest, treeDepth(to, l_link.target));
    }
    return l_deepest + 1;
}

TEST(CorridorLookupTest, NullStartLeavesTheLookupEmpty) {
    CorridorLookup l_lookup(4);
    Maze::buildCorridorLookup(nullptr, l_lookup);
    EXPECT_TRUE(l_lookup.getNodes().empty());
    EXPECT_EQ(l_lookup.getDirectionEntry(kUp, {0, 0}), nullptr);
}

TEST(CorridorLookupTest, ARingWithoutDecisionPointsStaysEmpty) {
    auto l_maze = MazeTest::shapedMaze({"###", "#.#", "###"});
    auto l_lookup = lookupOf(*l_maze);
    EXPECT_TRUE(l_lookup->getNodes().empty());
}

TEST(CorridorLookupTest, StraightCorridorBetweenTwoDeadEnds) {
    auto l_maze = MazeTest::shapedMaze({"#####"});
    auto l_lookup = lookupOf(*l_maze);
    ASSERT_EQ(l_lookup->getNodes().size(), 2u);
    CorridorNode* l_west = l_lookup->getNode({0, 0});
    CorridorNode* l_east = l_lookup->getNode({4, 0});
    ASSERT_TRUE(l_west && l_east);
    ASSERT_EQ(l_west->links.size(), 1u);
    ASSERT_EQ(l_east->links.size(), 1u);
    EXPECT_EQ(l_west->links[0].exit, kRight);
    EXPECT_EQ(l_west->links[0].target, l_east);
    EXPECT_EQ(l_west->links[0].deadEndDepth, 1);
    EXPECT_EQ(l_east->links[0].exit, kLeft);
    EXPECT_EQ(l_east->links[0].target, l_west);
    EXPECT_EQ(l_east->links[0].deadEndDepth, 1);
    for (int l_x = 0; l_x < 5; ++l_x) {
        SCOPED_TRACE(l_x);
        EXPECT_EQ(l_lookup->getDirectionEntry(kRight, {l_x, 0}), l_x < 4 ? l_east : nullptr);
        EXPECT_EQ(l_lookup->getDirectionEntry(kLeft, {l_x, 0}), l_x > 0 ? l_west : nullptr);
        EXPECT_EQ(l_lookup->getDirectionEntry(kUp, {l_x, 0}), nullptr);
        EXPECT_EQ(l_lookup->getDirectionEntry(kDown, {l_x, 0}), nullptr);
    }
}

TEST(CorridorLookupTest, TJunctionWithThreeDeadEndBranches) {
    auto l_maze = MazeTest::shapedMaze({
        "#####",
        "..#..",
        "..#..",
    });
    auto l_lookup = lookupOf(*l_maze);
    ASSERT_EQ(l_lookup->getNodes().size(), 4u);
    CorridorNode* l_junction = l_lookup->getNode({2, 0});
    ASSERT_NE(l_junction, nullptr);
    ASSERT_EQ(l_junction->links.size(), 3u);
    for (const CorridorLink& l_link : l_junction->links) {
        EXPECT_EQ(l_link.deadEndDepth, 1);
        ASSERT_EQ(l_link.target->links.size(), 1u);
        EXPECT_EQ(l_link.target->links[0].target, l_junction);
        EXPECT_EQ(l_link.target->links[0].deadEndDepth, 2);
    }
    EXPECT_EQ(linkThrough(l_junction, kLeft)->target, l_lookup->getNode({0, 0}));
    EXPECT_EQ(linkThrough(l_junction, kRight)->target, l_lookup->getNode({4, 0}));
    EXPECT_EQ(linkThrough(l_junction, kDown)->target, l_lookup->getNode({2, 2}));
    EXPECT_EQ(l_lookup->getDirectionEntry(kUp, {2, 2}), l_junction);
    EXPECT_EQ(l_lookup->getDirectionEntry(kDown, {2, 1}), l_lookup->getNode({2, 2}));
}

TEST(CorridorLookupTest, CorridorBackToItsOwnJunctionIsALoopOfDepthOne) {
    // A ring whose only decision point is the junction towards the tail on the right.
    auto l_maze = MazeTest::shapedMaze({
        "###.",
        "#.##",
        "###.",
    });
    auto l_lookup = lookupOf(*l_maze);
    ASSERT_EQ(l_lookup->getNodes().size(), 2u);
    CorridorNode* l_junction = l_lookup->getNode({2, 1});
    CorridorNode* l_tail = l_lookup->getNode({3, 1});
    ASSERT_TRUE(l_junction && l_tail);
    ASSERT_EQ(l_junction->links.size(), 3u);
    for (int l_exit : {kUp, kDown}) {
        const CorridorLink* l_loop = linkThrough(l_junction, l_exit);
        ASSERT_NE(l_loop, nullptr);
        EXPECT_EQ(l_loop->target, l_junction);
        EXPECT_EQ(l_loop->deadEndDepth, 1);
        EXPECT_EQ(l_lookup->getDirectionEntry(size_t(l_exit), {2, 1}), l_junction);
    }
    EXPECT_EQ(linkThrough(l_junction, kRight)->target, l_tail);
    EXPECT_EQ(linkThrough(l_junction, kRight)->deadEndDepth, 1);
    // Every ring cell leads back to the junction whichever way it is left.
    for (const Position& l_cell : {Position{0, 0}, Position{1, 0}, Position{2, 0}, Position{0, 1}, Position{0, 2},
                                   Position{1, 2}, Position{2, 2}}) {
        int l_entries = 0;
        for (size_t l_d = 0; l_d < 4; ++l_d) {
            if (CorridorNode* l_to = l_lookup->getDirectionEntry(l_d, l_cell)) {
                EXPECT_EQ(l_to, l_junction);
                ++l_entries;
            }
        }
        EXPECT_EQ(l_entries, 2) << ::testing::PrintToString(l_cell);
    }
}

TEST(CorridorLookupTest, LinksIntoALoopKeepDepthZero) {
    // A ring through three junctions, each with a one-cell tail.
    auto l_maze = MazeTest::shapedMaze({
        "..#..",
        ".###.",
        "##.##",
        ".###.",
    });
    auto l_lookup = lookupOf(*l_maze);
    for (const Position& l_tail : {Position{2, 0}, Position{0, 2}, Position{4, 2}}) {
        CorridorNode* l_node = l_lookup->getNode(l_tail);
        ASSERT_NE(l_node, nullptr);
        ASSERT_EQ(l_node->links.size(), 1u);
        EXPECT_EQ(l_node->links[0].deadEndDepth, 0);
    }
    for (const Position& l_junction : {Position{2, 1}, Position{1, 2}, Position{3, 2}}) {
        CorridorNode* l_node = l_lookup->getNode(l_junction);
        ASSERT_NE(l_node, nullptr);
        ASSERT_EQ(l_node->links.size(), 3u);
        for (const CorridorLink& l_link : l_node->links) {
            EXPECT_EQ(l_link.deadEndDepth, l_link.target->links.size() == 1 ? 1 : 0);
        }
    }
}

TEST(CorridorLookupTest, GeneratedMazesAreIndexedCorridorByCorridor) {
    for (int l_loop : {0, 10, 35}) {
        for (uint64_t l_stream : {1u, 2u, 3u}) {
            SCOPED_TRACE(::testing::Message() << "loop " << l_loop << " stream " << l_stream);
            MazeTest::GridOptions l_options;
            l_options.width = 14;
            l_options.height = 11;
            l_options.loopPercent = l_loop;
            l_options.excluded = {{5, 5}, {9, 2}};
            auto l_maze = MazeTest::generate(MazeTest::gridTemplate(l_options), l_stream);
            auto l_lookup = lookupOf(*l_maze);
            const auto l_nodes = MazeTest::nodesOf(*l_maze);

            size_t l_decisionPoints = 0;
            for (const Maze::Node* l_node : l_nodes) {
                const bool l_decides = l_node->getNumOpenExits() != 2;
                CorridorNode* l_corridorNode = l_lookup->getNode(l_node->getPosition());
                EXPECT_EQ(l_corridorNode != nullptr, l_decides);
                l_decisionPoints += l_decides;
                for (int l_exit = 0; l_exit < 4; ++l_exit) {
                    CorridorNode* l_to = l_lookup->getDirectionEntry(size_t(l_exit), l_node->getPosition());
                    if (!l_node->isExitOpen(l_exit)) {
                        EXPECT_EQ(l_to, nullptr);
                        continue;
                    }
                    ASSERT_NE(l_to, nullptr);
                    EXPECT_EQ(l_to->node, walkToDecisionPoint(l_node, l_exit));
                    if (l_decides) {
                        const CorridorLink* l_link = linkThrough(l_corridorNode, l_exit);
                        ASSERT_NE(l_link, nullptr);
                        EXPECT_EQ(l_link->target, l_to);
                    }
                }
            }
            EXPECT_EQ(l_lookup->getNodes().size(), l_decisionPoints);

            // Each corridor is known from both of its ends.
            for (const auto& l_entry : l_lookup->getNodes()) {
                const CorridorNode* l_from = l_entry.second;
                EXPECT_EQ(int(l_from->links.size()), l_from->node->getNumOpenExits());
                for (const CorridorLink& l_link : l_from->links) {
                    const auto l_back = std::count_if(l_link.target->links.begin(), l_link.target->links.end(),
                                                      [&](const CorridorLink& l) { return l.target == l_from; });
                    const auto l_forth = std::count_if(l_from->links.begin(), l_from->links.end(),
                                                       [&](const CorridorLink& l) { return l.target == l_link.target; });
                    EXPECT_EQ(l_back, l_forth);
                    if (l_loop == 0) {
                        EXPECT_EQ(l_link.deadEndDepth, treeDepth(l_from, l_link.target));
                    }
                }
            }
        }
    }
}

TEST(CorridorLookupDeathTest, ADirectionOutsideTheLookupStops) {
    CorridorLookup l_lookup(4);
    EXPECT_EQ(l_lookup.getNumDirections(), 4u);
    EXPECT_EXIT(l_lookup.setDirectionEntry(4, {0, 0}, nullptr), ::testing::ExitedWithCode(1),
                "Corridor lookup: direction 4 is out of range \\(4 directions\\)");
    EXPECT_EXIT(l_lookup.getDirectionEntry(7, {0, 0}), ::testing::ExitedWithCode(1),
                "Corridor lookup: direction 7 is out of range");
}

TEST(CorridorLookupDeathTest, ACellWithoutOpenExitsOnACorridorStops) {
    // A passage opened on one side only: the walk reaches a cell it cannot leave.
    Maze::Node l_a(0, {0, 0});
    Maze::Node l_b(0, {1, 0});
    l_a.addExit({&l_b, Maze::Exit::kOpen});
    l_b.addExit({&l_a, Maze::Exit::kLinked});
    CorridorLookup l_lookup(4);
    EXPECT_EXIT(l_lookup.traceCorridors(&l_a), ::testing::ExitedWithCode(1), "EEK! No open exits!");
}

}  // namespace
