#include "engine/maze/HashedNode.h"

namespace Maze {

size_t coordinateProduct(const Position& position) {
    size_t l_product = 1;
    for (int32_t l_c : position) l_product *= size_t(l_c);
    return l_product;
}

size_t HashedNode::hash() const { return coordinateProduct(m_node->getPosition()); }

Node* HashedNode::getNode() const { return m_node; }

// Also points the chain walked straight at the root: the sets stay the same, and the second
// record of every wall, which only asks whether both sides are joined, stays cheap.
HashedNode* HashedNode::getRoot() {
    HashedNode* l_root = this;
    while (l_root->m_parent) l_root = l_root->m_parent;
    link(l_root);
    return l_root;
}

const HashedNode* HashedNode::getRoot() const {
    const HashedNode* l_root = this;
    while (l_root->m_parent) l_root = l_root->m_parent;
    return l_root;
}

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
