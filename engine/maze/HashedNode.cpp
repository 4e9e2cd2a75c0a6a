#include "engine/maze/HashedNode.h"

namespace Maze {

size_t coordinateProduct(const Position& position) {
    size_t l_product = 1;
    for (int32_t l_c : position) l_product *= size_t(l_c);
    return l_product;
}

size_t HashedNode::hash() const { return coordinateProduct(m_node->getPosition()); }

Node* HashedNode::getNode() const { return m_node; }

HashedNode* HashedNode::getRoot() {
    HashedNode* l_element = this;
    while (l_element->m_parent) l_element = l_element->m_parent;
    return l_element;
}

const HashedNode* HashedNode::getRoot() const { return const_cast<HashedNode*>(this)->getRoot(); }

void HashedNode::link(HashedNode* root) {
    if (this == root) return;
    HashedNode* l_element = m_parent;
    while (l_element && l_element != root) {
        HashedNode* l_next = l_element->m_parent;
        l_element->m_parent = root;
        l_element = l_next;
    }
    m_parent = root;
}

}  // namespace Maze
