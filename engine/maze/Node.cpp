#include "engine/maze/Node.h"

namespace Maze {

void collectNodes(Node* startNode, std::vector<Node*>& nodes) {
    nodes.clear();
    if (!startNode) return;
    nodes.push_back(startNode);
    for (size_t next = 0; next < nodes.size(); ++next) {
        for (const Exit& exitStatus : nodes[next]->getExits()) {
            if (exitStatus.target && (exitStatus.flags & Exit::kLinked) == 0) nodes.push_back(exitStatus.target);
        }
    }
}

void deleteNodes(Node* startNode) {
    std::vector<Node*> nodes;
    collectNodes(startNode, nodes);
    for (Node* node : nodes) delete node;
}

}  // namespace Maze
