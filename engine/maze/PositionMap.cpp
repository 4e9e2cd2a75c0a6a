#include "engine/maze/PositionMap.h"

namespace Maze {

void buildPositionMap(Node* startNode, PositionMap<Node>& map) {
    std::vector<Node*> nodes;
    collectNodes(startNode, nodes);
    map.clear();
    map.reserve(nodes.size());
    for (Node* node : nodes) map[node->getPosition()] = node;
}

}  // namespace Maze
