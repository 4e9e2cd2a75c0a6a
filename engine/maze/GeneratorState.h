#pragma once
#include <deque>
#include <unordered_map>
#include <vector>

#include "engine/maze/HashedNode.h"
#include "engine/maze/MazeData.h"
#include "engine/maze/Position.h"
#include "engine/maze/PositionMap.h"
#include "engine/util/Random.h"

namespace Maze {

// One candidate passage: exit `exit` of from's node, leading to the node of `to`. Every wall
// between two valid cells is recorded twice, once from each side.
struct Edge {
    HashedNode* from;
    int exit;
    HashedNode* to;  // known when the edge is made, so carving needs no lookups
};

// The union-find elements of one generation, keyed by their node's position. The elements sit
// side by side at fixed addresses, so edges and parent links can point at them and carving,
// which visits them in random order, stays within a small block of memory.
struct HashedNodeSet {
    static constexpr size_t kInitialBuckets = 8;

    std::deque<HashedNode> elements;
    std::unordered_map<Position, HashedNode*, PositionHash> byPosition{kInitialBuckets};

    // Drops every element (never their nodes, which belong to the mazes) and shrinks the index
    // back to its first size.
    void reset() {
        elements.clear();
        byPosition = decltype(byPosition)(kInitialBuckets);
    }
};

// The generator's working record between and during generations.
struct GeneratorState {
    MazeData work;                   // the template; its end receives the backtracker's result
    Util::Random* random = nullptr;  // not owned
    HashedNodeSet nodes;
    std::vector<Edge> edges;
};

}  // namespace Maze
