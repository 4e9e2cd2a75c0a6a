#pragma once
#include <unordered_map>
#include <vector>

#include "engine/maze/HashedNode.h"
#include "engine/maze/MazeData.h"
#include "engine/maze/Position.h"
#include "engine/util/Random.h"

namespace Maze {

// One candidate passage: exit `exit` of from's node. Every wall between two valid cells is
// recorded twice, once from each side.
struct Edge {
    HashedNode* from;
    int exit;
};

struct CoordinateProductHash {
    size_t operator()(const Position& position) const { return coordinateProduct(position); }
};

// The union-find elements of one generation, keyed by their node's position. Elements stay at
// fixed addresses while the set grows, so edges and parent links can point at them.
using HashedNodeSet = std::unordered_map<Position, HashedNode, CoordinateProductHash>;

// The generator's working record between and during generations.
struct GeneratorState {
    static constexpr size_t kInitialBuckets = 8;

    MazeData work;                   // the template; its end receives the backtracker's result
    Util::Random* random = nullptr;  // not owned
    HashedNodeSet nodes{kInitialBuckets};
    std::vector<Edge> edges;
};

}  // namespace Maze
