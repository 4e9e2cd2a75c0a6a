#include "engine/maze/Node.h"

namespace Maze {

void collectNodes(Node* startNode, std::vector<Node*>& nodes) {
    nodes.clear();
    if (!startNode) return;
    nodes.push_back(startNode);
    for (size_t l_next = 0; l_next < nodes.size(); ++l_next) {
        const Node* l_node = nodes[l_next];
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) {
            Node* l_target = l_node->getExit(l_exit);
            if (l_target && l_node->isTreeExit(l_exit)) nodes.push_back(l_target);
        }
    }
}

void deleteNodes(Node* startNode) {
    std::vector<Node*> l_nodes;
    collectNodes(startNode, l_nodes);
    for (Node* l_node : l_nodes) delete l_node;
}

}  // namespace Maze
