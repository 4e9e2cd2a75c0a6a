#include "engine/maze/HashedNode.h"

namespace Maze {

size_t coordinateProduct(const Position& position) {
    size_t product = 1;
    for (int32_t c : position) product *= size_t(c);
    return product;
}

size_t HashedNode::hash() const { return coordinateProduct(m_node->getPosition()); }

}  // namespace Maze
