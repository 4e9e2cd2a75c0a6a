#include "engine/maze/Node.h"

namespace Maze {

void collectNodes(Node* startNode, std::vector<Node*>& nodes) {
    nodes.clear();
    if (!startNode) return;
    nodes.push_back(startNode);
    for (size_t l_next = 0; l_next < nodes.size(); ++l_next) {
        for (const Exit& l_exit : nodes[l_next]->getExits()) {
            if (l_exit.target && (l_exit.flags & Exit::kLinked) == 0) nodes.push_back(l_exit.target);
        }
    }
}

void deleteNodes(Node* startNode) {
    std::vector<Node*> l_nodes;
    collectNodes(startNode, l_nodes);
    for (Node* l_node : l_nodes) delete l_node;
}

}  // namespace Maze
