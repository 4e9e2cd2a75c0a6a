#include "engine/maze/PositionMap.h"

namespace Maze {

void buildPositionMap(Node* startNode, PositionMap<Node>& map) {
    std::vector<Node*> l_nodes;
    collectNodes(startNode, l_nodes);
    map.clear();
    map.reserve(l_nodes.size());
    for (Node* l_node : l_nodes) map[l_node->getPosition()] = l_node;
}

}  // namespace Maze
