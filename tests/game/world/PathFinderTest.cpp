#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "game/config/ConfigReaders.h"
#include "game/world/PathFinderComp.h"
#include "tests/game/world/MazeCells.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;
using Zelmo::PathFinder;
using Zelmo::PathFinderComp;
using Zelmo::PathPoint;
using Zelmo::PathState;

using Cell = WorldTest::MazeCell;
using WorldTest::neighbourOf;

// Whether the goal can be reached from the start at all, walking the maze cell by cell.
bool reachableByBreadthFirst(const GameLogic& logic, Cell start, Cell goal) {
    const int wide = logic.params().cellsWide, high = logic.params().cellsHigh;
    std::vector<bool> seen(size_t(wide * high), false);
    std::deque<Cell> queue{start};
    seen[size_t(start.y * wide + start.x)] = true;
    while (!queue.empty()) {
        const Cell cell = queue.front();
        queue.pop_front();
        if (cell == goal) return true;
        const int exits = logic.exitsAt(cell.x, cell.y);
        for (int bit : {1, 2, 4, 8}) {
            if (!(exits & bit)) continue;
            const Cell next = neighbourOf(cell, bit);
            if (next.x < 0 || next.y < 0 || next.x >= wide || next.y >= high) continue;
            if (seen[size_t(next.y * wide + next.x)]) continue;
            seen[size_t(next.y * wide + next.x)] = true;
            queue.push_back(next);
        }
    }
    return false;
}

// Leaves the cell by the exit bit and follows the corridor until the target or a decision point.
Cell walkCorridor(const GameLogic& logic, Cell cell, int bit, const Cell& target) {
    const std::vector<Cell> cells = WorldTest::corridorCells(logic, cell, bit, target);
    return cells.empty() ? cell : cells.back();
}

// Every corridor leading out of the cell ends at one and the same decision point.
bool onCorridorLoopingToItsOwnEnd(const GameLogic& logic, const Cell& cell) {
    const Zelmo::CorridorNode* end = nullptr;
    for (int d = 0; d < 4; ++d) {
        const Zelmo::CorridorNode* node = logic.corridorAt(cell.x, cell.y, d);
        if (!node) continue;
        if (end && node != end) return false;
        end = node;
    }
    return end != nullptr;
}

// Walks the path in the maze as a robot would; an empty string when it leads from start to goal
// without entering a dead end on the way, else what went wrong.
std::string checkPath(const GameLogic& logic, const std::vector<PathPoint>& path, Cell start, Cell goal) {
    if (path.empty()) return "empty path";
    Cell at = start;
    for (size_t i = 0; i < path.size(); ++i) {
        const Cell stop{path[i].x, path[i].y};
        if (path[i].direction != 0) at = walkCorridor(logic, at, path[i].direction, stop);
        if (!(at == stop)) {
            return "point " + std::to_string(i) + " (" + std::to_string(stop.x) + "," + std::to_string(stop.y) +
                   ") not reached; at (" + std::to_string(at.x) + "," + std::to_string(at.y) + ")";
        }
        const bool inner = i > 0 && i + 1 < path.size();
        if (inner && logic.exitCount(stop.x, stop.y) == 1) return "dead end entered at point " + std::to_string(i);
    }
    if (at == goal) return "";
    if (logic.exitCount(goal.x, goal.y) == 2 && onCorridorLoopingToItsOwnEnd(logic, goal)) return "";
    return "ends at (" + std::to_string(at.x) + "," + std::to_string(at.y) + ") not at the goal";
}

PathState runToEnd(PathFinder& finder) {
    PathState state = finder.state();
    for (int i = 0; i < 1000000 && state == PathState::Searching; ++i) state = finder.step();
    return state;
}

std::pair<int, int> centreOf(const GameLogic& logic, Cell cell) {
    int x = cell.x, y = cell.y;
    logic.cellToWorld(x, y, 0.0f, 0.0f);
    return {x, y};
}

PathState search(PathFinder& finder, const GameLogic& logic, Cell start, Cell goal) {
    const auto [sx, sy] = centreOf(logic, start);
    const auto [gx, gy] = centreOf(logic, goal);
    if (finder.findPath(sx, sy, gx, gy) != PathState::Searching) return finder.state();
    return runToEnd(finder);
}

// A fixed spread of start and goal cells of the maze: the doorsteps of the level's rooms (the
// special cells, which stand apart from the maze) to and from every cell, and pairs from a small
// generator.
std::vector<std::pair<Cell, Cell>> queriesFor(const GameLogic& logic) {
    const int wide = logic.params().cellsWide, high = logic.params().cellsHigh;
    std::vector<std::pair<Cell, Cell>> queries;
    for (const Zelmo::CellPos& special : logic.levelEntry().specialCells) {
        const Cell doorstep{special.x, special.y - 1};
        if (logic.exitsAt(doorstep.x, doorstep.y) == 0) continue;
        for (int y = 0; y < high; ++y) {
            for (int x = 0; x < wide; ++x) {
                if (logic.exitsAt(x, y) == 0) continue;
                queries.push_back({{x, y}, doorstep});
                queries.push_back({doorstep, {x, y}});
            }
        }
    }
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return int((seed >> 8) % uint32_t(range));
    };
    while (queries.size() < 2000 + 2 * size_t(wide * high)) {
        const Cell start{next(wide), next(high)}, goal{next(wide), next(high)};
        if (logic.exitsAt(start.x, start.y) != 0 && logic.exitsAt(goal.x, goal.y) != 0)
            queries.push_back({start, goal});
    }
    return queries;
}

// The path found leads from start to goal wherever a plain search of the cells finds a way.
TEST(PathFinder, FindsAWayWhereverBreadthFirstSearchDoesOnEveryShippedLevel) {
    WorldHarness harness;
    const int levels = Zelmo::levelCount();
    ASSERT_GT(levels, 0);
    bool sawLoops = false;
    for (int level = 0; level < levels; ++level) {
        SCOPED_TRACE("level " + std::to_string(level));
        harness.startLevel(level);
        const GameLogic& logic = harness.logic();
        for (const auto& [position, node] : logic.corridors().getNodes()) {
            for (const Zelmo::CorridorLink& link : node->links) sawLoops |= link.deadEndDepth == 0;
        }
        PathFinder finder(logic);
        std::vector<PathPoint> path;
        int failures = 0;
        for (const auto& [start, goal] : queriesFor(logic)) {
            const bool reachable = reachableByBreadthFirst(logic, start, goal);
            const PathState state = search(finder, logic, start, goal);
            ASSERT_EQ(state, reachable ? PathState::Found : PathState::NoPath)
                << "from (" << start.x << "," << start.y << ") to (" << goal.x << "," << goal.y << ")";
            finder.extractPath(path);
            const std::string fault = checkPath(logic, path, start, goal);
            EXPECT_EQ(fault, "") << "from (" << start.x << "," << start.y << ") to (" << goal.x << "," << goal.y << ")";
            if (!fault.empty() && ++failures > 5) return;
        }
    }
    EXPECT_TRUE(sawLoops) << "the shipped levels hold mazes with loops";
}

TEST(PathFinder, StartAndGoalOnOneNodeGiveThatNodeAtTheFirstStep) {
    WorldHarness harness;
    harness.startLevel(1);
    const GameLogic& logic = harness.logic();
    const Maze::Position& position = logic.corridors().getNodes().begin()->first;
    const Cell cell{position[0], position[1]};
    PathFinder finder(logic);
    const auto [x, y] = centreOf(logic, cell);
    ASSERT_EQ(finder.findPath(x, y, x, y), PathState::Searching);
    EXPECT_EQ(finder.step(), PathState::Found);
    std::vector<PathPoint> path;
    EXPECT_EQ(finder.extractPath(path), 1);
    ASSERT_EQ(path.size(), 1u);
    EXPECT_EQ(path[0].x, cell.x);
    EXPECT_EQ(path[0].y, cell.y);
    EXPECT_EQ(path[0].direction, 0);
}

// Two games built apart hold their nodes at other addresses; the searches choose alike.
TEST(PathFinder, ChoosesTheSameWayInEveryGame) {
    auto paths = [] {
        WorldHarness harness;
        harness.startLevel(1);
        const GameLogic& logic = harness.logic();
        PathFinder finder(logic);
        std::vector<std::vector<PathPoint>> found;
        for (const auto& [start, goal] : queriesFor(logic)) {
            search(finder, logic, start, goal);
            found.emplace_back();
            finder.extractPath(found.back());
        }
        return found;
    };
    const auto first = paths();
    const auto padding = std::make_unique<std::vector<char>>(123457);
    const auto second = paths();
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        ASSERT_EQ(first[i].size(), second[i].size()) << i;
        for (size_t j = 0; j < first[i].size(); ++j) {
            EXPECT_EQ(first[i][j].x, second[i][j].x);
            EXPECT_EQ(first[i][j].y, second[i][j].y);
            EXPECT_EQ(first[i][j].direction, second[i][j].direction);
        }
    }
}

// A search that runs into its expansion limit ends as no path, and leaves nothing behind that a
// robot could follow; the next search starts afresh.
TEST(PathFinder, TheExpansionLimitEndsASearchWithNoPathAndResetsIt) {
    WorldHarness harness;
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    const Cell start{0, 0}, goal{logic.params().cellsWide - 1, logic.params().cellsHigh - 1};
    const auto [sx, sy] = centreOf(logic, start);
    const auto [gx, gy] = centreOf(logic, goal);

    PathFinder unbounded(logic);
    ASSERT_EQ(search(unbounded, logic, start, goal), PathState::Found);
    std::vector<PathPoint> path;
    const int expansions = unbounded.extractPath(path);
    ASSERT_GT(expansions, 2);
    EXPECT_LT(expansions, PathFinder::kExpansionsPerNode * int(logic.corridors().getNodes().size()));

    PathFinder limited(logic, 0);
    ASSERT_EQ(limited.findPath(sx, sy, gx, gy), PathState::Searching);
    EXPECT_EQ(limited.step(), PathState::NoPath);
    EXPECT_EQ(limited.step(), PathState::NoPath) << "an ended search stays ended";
    limited.extractPath(path);
    EXPECT_TRUE(path.empty());
}

TEST(PathFinderComp, RunsTheSearchInSlicesAndHandsOverThePath) {
    WorldHarness harness;
    harness.startLevel(1);
    GameLogic& logic = harness.logic();
    const Cell start{0, 0}, goal{logic.params().cellsWide - 1, logic.params().cellsHigh - 1};
    const auto [sx, sy] = centreOf(logic, start);
    const auto [gx, gy] = centreOf(logic, goal);
    PathFinderComp component(logic);
    ASSERT_EQ(component.startSearch(sx, sy, gx, gy), PathState::Searching);
    int slices = 1;
    while (component.runSearch(2) == PathState::Searching) ++slices;
    EXPECT_GT(slices, 1) << "two expansions do not cross the largest level";
    EXPECT_EQ(component.finder.state(), PathState::Found);
    EXPECT_EQ(component.next, 0);
    EXPECT_EQ(checkPath(logic, component.path, start, goal), "");
    component.path.back().direction = 99;
    EXPECT_EQ(component.runSearch(2), PathState::Found);
    EXPECT_EQ(component.path.back().direction, 99) << "a found path is not extracted again";

    // Far outside the maze, or in a room off the maze, no corridor is near.
    const Zelmo::CellPos room = logic.levelEntry().specialCells.front();
    const auto [rx, ry] = centreOf(logic, Cell{room.x, room.y});
    EXPECT_EQ(component.startSearch(rx, ry, gx, gy), PathState::CannotSearch);
    EXPECT_EQ(component.startSearch(-100000, -100000, gx, gy), PathState::CannotSearch);
    EXPECT_TRUE(component.path.empty());
    EXPECT_EQ(component.next, -1) << "a new search is wanted";
    EXPECT_EQ(component.runSearch(2), PathState::CannotSearch);
    EXPECT_TRUE(component.path.empty());
}

}  // namespace
