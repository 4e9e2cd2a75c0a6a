#include "game/world/PathFinderComp.h"

#include <algorithm>
#include <new>

#include "game/maze/CorridorLookup.h"
#include "game/world/GameLogic.h"

namespace Zelmo {

namespace {

constexpr int32_t kEnterCost = 100;
// What a corridor into the part of the maze that holds loops takes off a junction's cost.
constexpr int32_t kOpenCorridorDiscount = 10;

// Exit bits 1, 2, 4, 8 to the direction maps' indexes 0 to 3.
int directionIndex(int bit) {
    switch (bit) {
        case 1:
            return 0;
        case 2:
            return 1;
        case 4:
            return 2;
        case 8:
            return 3;
        default:
            return -1;
    }
}

// Well-connected junctions are cheap and junctions with dead-end branches dear; a corridor's
// length plays no part.
int32_t enterCost(const CorridorNode& node) {
    if (node.links.size() <= 1) return kEnterCost;
    int32_t cost = kEnterCost;
    for (const CorridorLink& link : node.links) {
        cost -= link.deadEndDepth != 0 ? link.deadEndDepth : kOpenCorridorDiscount;
    }
    return cost;
}

// The exit bit of the step from one cell to its neighbour; 0 when they are not side by side.
int stepBit(const Maze::Position& from, const Maze::Position& to) {
    if (to[0] == from[0] + 1) return 4;
    if (to[0] == from[0] - 1) return 8;
    if (to[1] == from[1] + 1) return 2;
    if (to[1] == from[1] - 1) return 1;
    return 0;
}

// Two junctions may be joined by more than one corridor: only the one through the goal's cell
// leads the robot there.
bool corridorPasses(const CorridorNode& from, int exit, const Maze::Position& cell) {
    const Maze::Node* previous = from.node;
    const Maze::Node* at = from.node->getExit(exit);
    while (at && at != from.node) {
        if (at->getPosition() == cell) return true;
        if (at->getNumOpenExits() != 2) return false;
        const Maze::Node* onward = nullptr;
        for (int i = 0; i < at->getNumExits() && !onward; ++i) {
            if (at->isExitOpen(i) && at->getExit(i) != previous) onward = at->getExit(i);
        }
        previous = at;
        at = onward;
    }
    return false;
}

}  // namespace

PathFinder::PathFinder(const GameLogic& logic, int expansionsPerNode)
    : m_logic(logic), m_expansionsPerNode(expansionsPerNode) {}

// One entry per maze cell, valid for the search whose number it carries: a new search needs no
// clearing.
void PathFinder::prepareCostTable() {
    m_width = std::max(m_logic.params().cellsWide, 1);
    const size_t cells = size_t(m_width) * size_t(std::max(m_logic.params().cellsHigh, 1));
    if (m_cost.size() != cells) {
        m_cost.assign(cells, 0);
        m_costSearch.assign(cells, 0);
        m_search = 0;
    }
    m_search += 1;
    if (m_search == 0) {
        std::fill(m_costSearch.begin(), m_costSearch.end(), 0u);
        m_search = 1;
    }
}

const CorridorNode* PathFinder::nodeNear(int cellX, int cellY, int targetX, int targetY, int& direction) const {
    const Maze::Position cell{cellX, cellY};
    const int chosen = m_logic.chooseDirection(cellX, cellY, targetX, targetY, false, -1);
    if (chosen != 0) {
        if (const CorridorNode* node = m_lookup->getDirectionEntry(size_t(directionIndex(chosen)), cell)) {
            direction = chosen;
            return node;
        }
    }
    const int open = m_logic.exitsAt(cellX, cellY);
    for (int bit : {2, 1, 4, 8}) {
        if (!(open & bit)) continue;
        if (const CorridorNode* node = m_lookup->getDirectionEntry(size_t(directionIndex(bit)), cell)) {
            direction = bit;
            return node;
        }
    }
    return nullptr;
}

PathState PathFinder::findPath(int startX, int startY, int goalX, int goalY) {
    m_lookup = &m_logic.corridors();
    m_logic.worldToCell(startX, startY);
    m_logic.worldToCell(goalX, goalY);

    int startDirection = 0;
    const CorridorNode* start = m_lookup->getNode(Maze::Position{startX, startY});
    if (!start) start = nodeNear(startX, startY, goalX, goalY, startDirection);

    m_goalExtension = PathPoint{goalX, goalY, 0};
    const Maze::Position goalCell{goalX, goalY};
    int goalDirection = 0;
    const CorridorNode* goal = m_lookup->getNode(goalCell);
    if (!goal) {
        goal = nodeNear(goalX, goalY, startX, startY, goalDirection);
        // The goal lies inside a corridor: the path ends with the step from the goal's node into
        // that corridor, so the robot walks on to the goal's own cell.
        const CorridorNode* otherEnd = nullptr;
        for (size_t d = 0; d < m_lookup->getNumDirections() && !otherEnd; ++d) {
            const CorridorNode* end = m_lookup->getDirectionEntry(d, goalCell);
            if (end && end != goal) otherEnd = end;
        }
        if (goal && otherEnd) {
            for (const CorridorLink& link : goal->links) {
                if (link.target == otherEnd && corridorPasses(*goal, link.exit, goalCell)) {
                    m_goalExtension.direction = 1 << link.exit;
                }
            }
        }
    }
    if (!start || !goal) return fail(PathState::CannotSearch);

    reset();
    prepareCostTable();
    m_goal = goal;
    m_stepLimit = m_expansionsPerNode * int(m_lookup->getNodes().size());
    m_steps = 0;
    m_nodes.push_back(SearchNode{start, startDirection, 0, 0, -1});
    lowerThanRecorded(*start, 0);
    pushOpen(0);
    m_state = PathState::Searching;
    return m_state;
}

PathState PathFinder::step() {
    if (m_state != PathState::Searching) return m_state;
    if (m_open.empty() || m_steps >= m_stepLimit) return fail(PathState::NoPath);
    m_steps += 1;
    const int32_t current = popOpen();
    if (m_nodes[size_t(current)].corridor == m_goal) {
        m_found = current;
        m_state = PathState::Found;
        return m_state;
    }
    try {
        expand(current);
    } catch (const std::bad_alloc&) {
        return fail(PathState::CannotSearch);
    }
    return m_state;
}

// Never straight back to the predecessor, and never into a dead end that is not the goal.
void PathFinder::expand(int32_t index) {
    const SearchNode current = m_nodes[size_t(index)];
    const CorridorNode* previous = current.cameFrom >= 0 ? m_nodes[size_t(current.cameFrom)].corridor : nullptr;
    const Maze::Node& cell = *current.corridor->node;
    const Maze::Position& position = cell.getPosition();
    for (int exit = 0; exit < cell.getNumExits(); ++exit) {
        if (!cell.isExitOpen(exit) || !cell.getExit(exit)) continue;
        const int bit = stepBit(position, cell.getExit(exit)->getPosition());
        const CorridorNode* reached = corridorThrough(*current.corridor, exit, bit);
        if (!reached || reached == previous) continue;
        if (reached != m_goal && reached->links.size() <= 1) continue;

        const int32_t g = current.g + enterCost(*reached);
        if (!lowerThanRecorded(*reached, g)) continue;
        m_nodes.push_back(SearchNode{reached, bit, g + heuristic(reached), g, index});
        pushOpen(int32_t(m_nodes.size() - 1));
    }
}

// A corridor node's own link through the exit names the node the corridor leads to, as the
// lookup's direction map does, without a search of the map.
const CorridorNode* PathFinder::corridorThrough(const CorridorNode& from, int exit, int bit) const {
    for (const CorridorLink& link : from.links) {
        if (link.exit == exit) return link.target;
    }
    const int direction = directionIndex(bit);
    if (direction < 0 || size_t(direction) >= m_lookup->getNumDirections()) return nullptr;
    return m_lookup->getDirectionEntry(size_t(direction), from.node->getPosition());
}

// Records the cost when it is the first or lowest so far for the node.
bool PathFinder::lowerThanRecorded(const CorridorNode& node, int32_t cost) {
    const Maze::Position& position = node.node->getPosition();
    const size_t index = size_t(position[1]) * size_t(m_width) + size_t(position[0]);
    if (m_costSearch[index] == m_search && cost >= m_cost[index]) return false;
    m_costSearch[index] = m_search;
    m_cost[index] = cost;
    return true;
}

int32_t PathFinder::heuristic(const CorridorNode* node) const {
    const Maze::Position& from = node->node->getPosition();
    const Maze::Position& to = m_goal->node->getPosition();
    const int32_t dx = from[0] - to[0];
    const int32_t dy = from[1] - to[1];
    return dx * dx + dy * dy;
}

// Ties stay below their parent, so that of several nodes with the same estimate the one pushed
// first is expanded first.
void PathFinder::pushOpen(int32_t index) {
    m_open.push_back(index);
    size_t hole = m_open.size() - 1;
    const int32_t f = m_nodes[size_t(index)].f;
    while (hole > 0) {
        const size_t parent = (hole - 1) / 2;
        if (m_nodes[size_t(m_open[parent])].f <= f) break;
        m_open[hole] = m_open[parent];
        hole = parent;
    }
    m_open[hole] = index;
}

// The hole left by the top runs down along the smaller child (the right one on a tie) to a
// leaf, and the last entry is then pushed up from there.
int32_t PathFinder::popOpen() {
    const int32_t top = m_open.front();
    const int32_t last = m_open.back();
    m_open.pop_back();
    if (m_open.empty()) return top;
    size_t hole = 0;
    for (;;) {
        const size_t left = 2 * hole + 1;
        if (left >= m_open.size()) break;
        const size_t right = left + 1;
        size_t child = left;
        if (right < m_open.size() && m_nodes[size_t(m_open[right])].f <= m_nodes[size_t(m_open[left])].f) {
            child = right;
        }
        m_open[hole] = m_open[child];
        hole = child;
    }
    const int32_t f = m_nodes[size_t(last)].f;
    while (hole > 0) {
        const size_t parent = (hole - 1) / 2;
        if (m_nodes[size_t(m_open[parent])].f <= f) break;
        m_open[hole] = m_open[parent];
        hole = parent;
    }
    m_open[hole] = last;
    return top;
}

int PathFinder::extractPath(std::vector<PathPoint>& path) const {
    path.clear();
    if (m_state != PathState::Found) return m_steps;
    for (int32_t index = m_found; index >= 0; index = m_nodes[size_t(index)].cameFrom) {
        const SearchNode& node = m_nodes[size_t(index)];
        const Maze::Position& position = node.corridor->node->getPosition();
        path.push_back(PathPoint{position[0], position[1], node.direction});
    }
    std::reverse(path.begin(), path.end());
    if (m_goalExtension.direction != 0) path.push_back(m_goalExtension);
    return m_steps;
}

void PathFinder::reset() {
    m_nodes.clear();
    m_open.clear();
    m_goal = nullptr;
    m_found = -1;
}

PathState PathFinder::fail(PathState state) {
    reset();
    m_state = state;
    return state;
}

PathState PathFinderComp::startSearch(int fromX, int fromY, int toX, int toY) {
    path.clear();
    const PathState state = finder.findPath(fromX, fromY, toX, toY);
    next = state == PathState::Searching ? 0 : -1;
    return state;
}

PathState PathFinderComp::runSearch(int maxSteps) {
    if (finder.state() != PathState::Searching) return finder.state();
    PathState state = PathState::Searching;
    for (int i = 0; i < maxSteps && state == PathState::Searching; ++i) state = finder.step();
    if (state == PathState::Found) {
        finder.extractPath(path);
        next = 0;
    } else if (state != PathState::Searching) {
        path.clear();
        next = -1;
    }
    return state;
}

}  // namespace Zelmo
