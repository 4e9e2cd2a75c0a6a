#include "engine/maze/PositionMap.h"

#include <vector>

namespace Maze {

size_t PositionHash::operator()(const Position& position) const {
    size_t l_hash = 0;
    unsigned l_shift = 0;
    for (int32_t l_c : position) {
        l_hash ^= size_t(uint32_t(l_c)) << l_shift;
        l_shift = (l_shift - 8) & 15;
    }
    return l_hash;
}

void buildPositionMap(Node* startNode, PositionMap<Node>& map) {
    std::vector<Node*> l_nodes;
    collectNodes(startNode, l_nodes);
    map = PositionMap<Node>(kPositionMapInitialBuckets);
    map.reserve(l_nodes.size());
    for (Node* l_node : l_nodes) map[l_node->getPosition()] = l_node;
}

}  // namespace Maze
