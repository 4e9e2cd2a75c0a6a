#pragma once
#include <cstddef>

#include "engine/maze/Node.h"
#include "engine/maze/Position.h"

namespace Maze {

// The product of the coordinates, starting from 1, taken modulo the width of size_t.
size_t coordinateProduct(const Position& position);

// The generator's union-find element for one node: elements with the same root are joined by
// passages already carved. Final, so that carving, which asks for roots a few times per wall,
// calls its operations directly.
class HashedNode final {
public:
    explicit HashedNode(Node* node) : m_node(node) {}
    ~HashedNode() = default;

    // The product of the node's coordinates.
    size_t hash() const;
    Node* getNode() const { return m_node; }
    // The element without parent at the end of the parent chain; the non-const form also
    // shortens the chain it walked, so that the second record of every wall, which only asks
    // whether both sides are joined, stays cheap. The sets stay the same.
    HashedNode* getRoot() {
        HashedNode* root = rootOf(this);
        link(root);
        return root;
    }
    const HashedNode* getRoot() const { return rootOf(this); }
    // Joins this element's set to root's, pointing the whole parent chain straight at root.
    void link(HashedNode* root) {
        if (this == root) return;
        HashedNode* element = m_parent;
        while (element && element != root) {
            HashedNode* next = element->m_parent;
            element->m_parent = root;
            element = next;
        }
        m_parent = root;
    }

private:
    template <typename Element>
    static Element* rootOf(Element* element) {
        while (element->m_parent) element = element->m_parent;
        return element;
    }

    Node* m_node;
    HashedNode* m_parent = nullptr;
};

}  // namespace Maze
