#pragma once
#include <vector>

#include "engine/maze/CellIndex.h"
#include "engine/maze/ConnectionTable.h"
#include "engine/maze/HashedNode.h"
#include "engine/maze/MazeData.h"
#include "engine/maze/ObjectPool.h"
#include "engine/maze/Position.h"
#include "engine/util/Random.h"

namespace Maze {

// One candidate passage: exit `exit` of from's node, leading to the node of `to`. Every wall
// between two valid cells is recorded twice, once from each side.
struct Edge {
    HashedNode* from;
    int exit;
    HashedNode* to;  // known when the edge is made, so carving needs no lookups
};

// The union-find elements of one generation, found by their node's cell. The elements sit
// side by side at fixed addresses, so edges and parent links can point at them and carving,
// which visits them in random order, stays within a small block of memory.
struct HashedNodeSet {
    ObjectPool<HashedNode> elements;
    CellIndex<HashedNode> byCell;

    // Drops every element (never their nodes, which belong to the mazes) and the index.
    void reset() {
        elements.clear();
        byCell.clear();
    }
};

// The generator's working record between and during generations.
struct GeneratorState {
    MazeData work;                   // the template; its end receives the backtracker's result
    Util::Random* random = nullptr;  // not owned
    ConnectionTable connections;     // of work's cell types
    HashedNodeSet nodes;
    NodePool graph;  // the nodes of the maze being generated, handed to it at the end
    std::vector<Edge> edges;
};

}  // namespace Maze
