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
    auto lookup = std::make_unique<CorridorLookup>(4);
    Maze::buildCorridorLookup(maze.getStartNode(), *lookup);
    return lookup;
}

const CorridorLink* linkThrough(const CorridorNode* node, int exit) {
    for (const CorridorLink& link : node->links) {
        if (link.exit == exit) return &link;
    }
    return nullptr;
}

// The decision point reached by leaving node through exit, walking the maze directly.
const Maze::Node* walkToDecisionPoint(const Maze::Node* node, int exit) {
    const Maze::Node* previous = node;
    const Maze::Node* current = node->getExit(exit);
    while (current->getNumOpenExits() == 2) {
        const Maze::Node* next = nullptr;
        for (int e = 0; e < current->getNumExits() && !next; ++e) {
            if (current->isExitOpen(e) && current->getExit(e) != previous) next = current->getExit(e);
        }
        previous = current;
        current = next;
    }
    return current;
}

// Depth of the dead-end tree behind the corridor from `from` to `to`, on a maze without loops.
int treeDepth(const CorridorNode* from, const CorridorNode* to) {
    int deepest = 0;
    for (const CorridorLink& link : to->links) {
        if (link.target != from) deepest = std::max(deepest, treeDepth(to, link.target));
    }
    return deepest + 1;
}

TEST(CorridorLookupTest, NullStartLeavesTheLookupEmpty) {
    CorridorLookup lookup(4);
    Maze::buildCorridorLookup(nullptr, lookup);
    EXPECT_TRUE(lookup.getNodes().empty());
    EXPECT_EQ(lookup.getDirectionEntry(kUp, {0, 0}), nullptr);
}

TEST(CorridorLookupTest, ARingWithoutDecisionPointsStaysEmpty) {
    auto maze = MazeTest::shapedMaze({"###", "#.#", "###"});
    auto lookup = lookupOf(*maze);
    EXPECT_TRUE(lookup->getNodes().empty());
}

TEST(CorridorLookupTest, StraightCorridorBetweenTwoDeadEnds) {
    auto maze = MazeTest::shapedMaze({"#####"});
    auto lookup = lookupOf(*maze);
    ASSERT_EQ(lookup->getNodes().size(), 2u);
    CorridorNode* west = lookup->getNode({0, 0});
    CorridorNode* east = lookup->getNode({4, 0});
    ASSERT_TRUE(west && east);
    ASSERT_EQ(west->links.size(), 1u);
    ASSERT_EQ(east->links.size(), 1u);
    EXPECT_EQ(west->links[0].exit, kRight);
    EXPECT_EQ(west->links[0].target, east);
    EXPECT_EQ(west->links[0].deadEndDepth, 1);
    EXPECT_EQ(east->links[0].exit, kLeft);
    EXPECT_EQ(east->links[0].target, west);
    EXPECT_EQ(east->links[0].deadEndDepth, 1);
    for (int x = 0; x < 5; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(lookup->getDirectionEntry(kRight, {x, 0}), x < 4 ? east : nullptr);
        EXPECT_EQ(lookup->getDirectionEntry(kLeft, {x, 0}), x > 0 ? west : nullptr);
        EXPECT_EQ(lookup->getDirectionEntry(kUp, {x, 0}), nullptr);
        EXPECT_EQ(lookup->getDirectionEntry(kDown, {x, 0}), nullptr);
    }
}

TEST(CorridorLookupTest, TJunctionWithThreeDeadEndBranches) {
    auto maze = MazeTest::shapedMaze({
        "#####",
        "..#..",
        "..#..",
    });
    auto lookup = lookupOf(*maze);
    ASSERT_EQ(lookup->getNodes().size(), 4u);
    CorridorNode* junction = lookup->getNode({2, 0});
    ASSERT_NE(junction, nullptr);
    ASSERT_EQ(junction->links.size(), 3u);
    for (const CorridorLink& link : junction->links) {
        EXPECT_EQ(link.deadEndDepth, 1);
        ASSERT_EQ(link.target->links.size(), 1u);
        EXPECT_EQ(link.target->links[0].target, junction);
        EXPECT_EQ(link.target->links[0].deadEndDepth, 2);
    }
    EXPECT_EQ(linkThrough(junction, kLeft)->target, lookup->getNode({0, 0}));
    EXPECT_EQ(linkThrough(junction, kRight)->target, lookup->getNode({4, 0}));
    EXPECT_EQ(linkThrough(junction, kDown)->target, lookup->getNode({2, 2}));
    EXPECT_EQ(lookup->getDirectionEntry(kUp, {2, 2}), junction);
    EXPECT_EQ(lookup->getDirectionEntry(kDown, {2, 1}), lookup->getNode({2, 2}));
}

TEST(CorridorLookupTest, CorridorBackToItsOwnJunctionIsALoopOfDepthOne) {
    // A ring whose only decision point is the junction towards the tail on the right.
    auto maze = MazeTest::shapedMaze({
        "###.",
        "#.##",
        "###.",
    });
    auto lookup = lookupOf(*maze);
    ASSERT_EQ(lookup->getNodes().size(), 2u);
    CorridorNode* junction = lookup->getNode({2, 1});
    CorridorNode* tail = lookup->getNode({3, 1});
    ASSERT_TRUE(junction && tail);
    ASSERT_EQ(junction->links.size(), 3u);
    for (int exitStatus : {kUp, kDown}) {
        const CorridorLink* loop = linkThrough(junction, exitStatus);
        ASSERT_NE(loop, nullptr);
        EXPECT_EQ(loop->target, junction);
        EXPECT_EQ(loop->deadEndDepth, 1);
        EXPECT_EQ(lookup->getDirectionEntry(size_t(exitStatus), {2, 1}), junction);
    }
    EXPECT_EQ(linkThrough(junction, kRight)->target, tail);
    EXPECT_EQ(linkThrough(junction, kRight)->deadEndDepth, 1);
    // Every ring cell leads back to the junction whichever way it is left.
    for (const Position& cell : {Position{0, 0}, Position{1, 0}, Position{2, 0}, Position{0, 1}, Position{0, 2},
                                 Position{1, 2}, Position{2, 2}}) {
        int entries = 0;
        for (size_t d = 0; d < 4; ++d) {
            if (CorridorNode* to = lookup->getDirectionEntry(d, cell)) {
                EXPECT_EQ(to, junction);
                ++entries;
            }
        }
        EXPECT_EQ(entries, 2) << ::testing::PrintToString(cell);
    }
}

TEST(CorridorLookupTest, LinksIntoALoopKeepDepthZero) {
    // A ring through three junctions, each with a one-cell tail.
    auto maze = MazeTest::shapedMaze({
        "..#..",
        ".###.",
        "##.##",
        ".###.",
    });
    auto lookup = lookupOf(*maze);
    for (const Position& tail : {Position{2, 0}, Position{0, 2}, Position{4, 2}}) {
        CorridorNode* node = lookup->getNode(tail);
        ASSERT_NE(node, nullptr);
        ASSERT_EQ(node->links.size(), 1u);
        EXPECT_EQ(node->links[0].deadEndDepth, 0);
    }
    for (const Position& junction : {Position{2, 1}, Position{1, 2}, Position{3, 2}}) {
        CorridorNode* node = lookup->getNode(junction);
        ASSERT_NE(node, nullptr);
        ASSERT_EQ(node->links.size(), 3u);
        for (const CorridorLink& link : node->links) {
            EXPECT_EQ(link.deadEndDepth, link.target->links.size() == 1 ? 1 : 0);
        }
    }
}

TEST(CorridorLookupTest, GeneratedMazesAreIndexedCorridorByCorridor) {
    for (int loop : {0, 10, 35}) {
        for (uint64_t stream : {1u, 2u, 3u}) {
            SCOPED_TRACE(::testing::Message() << "loop " << loop << " stream " << stream);
            MazeTest::GridOptions options;
            options.width = 14;
            options.height = 11;
            options.loopPercent = loop;
            options.excluded = {{5, 5}, {9, 2}};
            auto maze = MazeTest::generate(MazeTest::gridTemplate(options), stream);
            auto lookup = lookupOf(*maze);
            const auto nodes = MazeTest::nodesOf(*maze);

            size_t decisionPoints = 0;
            for (const Maze::Node* node : nodes) {
                const bool decides = node->getNumOpenExits() != 2;
                CorridorNode* corridorNode = lookup->getNode(node->getPosition());
                EXPECT_EQ(corridorNode != nullptr, decides);
                decisionPoints += decides;
                for (int exitStatus = 0; exitStatus < 4; ++exitStatus) {
                    CorridorNode* to = lookup->getDirectionEntry(size_t(exitStatus), node->getPosition());
                    if (!node->isExitOpen(exitStatus)) {
                        EXPECT_EQ(to, nullptr);
                        continue;
                    }
                    ASSERT_NE(to, nullptr);
                    EXPECT_EQ(to->node, walkToDecisionPoint(node, exitStatus));
                    if (decides) {
                        const CorridorLink* link = linkThrough(corridorNode, exitStatus);
                        ASSERT_NE(link, nullptr);
                        EXPECT_EQ(link->target, to);
                    }
                }
            }
            EXPECT_EQ(lookup->getNodes().size(), decisionPoints);

            // Each corridor is known from both of its ends.
            for (const auto& entry : lookup->getNodes()) {
                const CorridorNode* from = entry.second;
                EXPECT_EQ(int(from->links.size()), from->node->getNumOpenExits());
                for (const CorridorLink& link : from->links) {
                    const auto back = std::count_if(link.target->links.begin(), link.target->links.end(),
                                                    [&](const CorridorLink& l) { return l.target == from; });
                    const auto forth = std::count_if(from->links.begin(), from->links.end(),
                                                     [&](const CorridorLink& l) { return l.target == link.target; });
                    EXPECT_EQ(back, forth);
                    if (loop == 0) {
                        EXPECT_EQ(link.deadEndDepth, treeDepth(from, link.target));
                    }
                }
            }
        }
    }
}

TEST(CorridorLookupDeathTest, ADirectionOutsideTheLookupStops) {
    CorridorLookup lookup(4);
    EXPECT_EQ(lookup.getNumDirections(), 4u);
    EXPECT_EXIT(lookup.setDirectionEntry(4, {0, 0}, nullptr), ::testing::ExitedWithCode(1),
                "Corridor lookup: direction 4 is out of range \\(4 directions\\)");
    EXPECT_EXIT(lookup.getDirectionEntry(7, {0, 0}), ::testing::ExitedWithCode(1),
                "Corridor lookup: direction 7 is out of range");
}

TEST(CorridorLookupDeathTest, ACellWithoutOpenExitsOnACorridorStops) {
    // A passage opened on one side only: the walk reaches a cell it cannot leave.
    Maze::Node a(0, {0, 0});
    Maze::Node b(0, {1, 0});
    a.addExit({&b, Maze::Exit::kOpen});
    b.addExit({&a, Maze::Exit::kLinked});
    CorridorLookup lookup(4);
    EXPECT_EXIT(lookup.traceCorridors(&a), ::testing::ExitedWithCode(1), "EEK! No open exits!");
}

}  // namespace
