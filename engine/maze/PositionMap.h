#pragma once
#include <cstddef>
#include <unordered_map>

#include "engine/maze/Node.h"
#include "engine/maze/Position.h"

namespace Maze {

// Coordinates XORed in with shifts 0, 8, 0, 8 ...: x ^ (y << 8) in two dimensions.
struct PositionHash {
    size_t operator()(const Position& position) const;
};

// An index from a cell position to one object of the level (a maze node, a corridor node).
template <typename T>
using PositionMap = std::unordered_map<Position, T*, PositionHash>;

constexpr size_t kPositionMapInitialBuckets = 8;

// Refills map with every node of the maze under its position.
void buildPositionMap(Node* startNode, PositionMap<Node>& map);

}  // namespace Maze
