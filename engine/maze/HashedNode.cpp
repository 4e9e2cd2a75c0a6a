#include "engine/maze/HashedNode.h"

namespace Maze {

size_t coordinateProduct(const Position& position) {
    size_t l_product = 1;
    for (int32_t l_c : position) l_product *= size_t(l_c);
    return l_product;
}

size_t HashedNode::hash() const { return coordinateProduct(m_node->getPosition()); }

}  // namespace Maze
