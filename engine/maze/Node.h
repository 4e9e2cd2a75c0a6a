#pragma once
#include <cstdint>
#include <vector>

#include "engine/maze/Position.h"
#include "engine/maze/SmallVector.h"

namespace Maze {

class Node;

// One exit of a node towards the neighbour of the matching connection.
struct Exit {
    // There is a passage through this exit.
    static constexpr uint32_t kOpen = 1;
    // The neighbour already existed when the exit was made, so the exit is not an edge of the
    // spanning tree that the flood grew; collecting and deleting a graph follow the other exits.
    static constexpr uint32_t kLinked = 2;

    Node* target = nullptr;  // null when the neighbour cell is outside the box or excluded
    uint32_t flags = 0;
};

// One cell of a generated maze. Exit i belongs to connection i of the node's type; for the
// standard two-dimensional table 0 up, 1 down, 2 right, 3 left.
class Node {
public:
    Node(int type, const Position& position) : m_type(type), m_position(position) {}
    virtual ~Node() = default;

    void addExit(const Exit& exit) { m_exits.push_back(exit); }
    // Room for count exits, so that a node's exits take one allocation.
    void reserveExits(int count) { m_exits.reserve(size_t(count > 0 ? count : 0)); }

    int getType() const { return m_type; }
    const Position& getPosition() const { return m_position; }
    int getNumExits() const { return int(m_exits.size()); }
    // Every exit in exit order, for walks over all of them.
    const SmallVector<Exit, 4>& getExits() const { return m_exits; }

    // The target of exit i, open or not; null for no such exit or no target.
    Node* getExit(int i) const { return hasExit(i) ? m_exits[size_t(i)].target : nullptr; }
    int getNumOpenExits() const {
        int isOpen = 0;
        for (const Exit& exitStatus : m_exits) isOpen += (exitStatus.flags & Exit::kOpen) != 0;
        return isOpen;
    }
    bool isExitOpen(int i) const { return hasExit(i) && (m_exits[size_t(i)].flags & Exit::kOpen) != 0; }
    // True also for an index that is no exit.
    bool isExitClosed(int i) const { return !isExitOpen(i); }
    // True also for an index that is no exit.
    bool isTreeExit(int i) const { return !hasExit(i) || (m_exits[size_t(i)].flags & Exit::kLinked) == 0; }
    // Ignores an index that is no exit. Passages are opened on both sides at once by the generator.
    void setExitOpen(int i, bool open) {
        if (!hasExit(i)) return;
        uint32_t& flags = m_exits[size_t(i)].flags;
        flags = open ? (flags | Exit::kOpen) : (flags & ~Exit::kOpen);
    }

private:
    bool hasExit(int i) const { return i >= 0 && size_t(i) < m_exits.size(); }

    int m_type;
    Position m_position;
    // Four inside the node: the exits of a two-dimensional cell.
    SmallVector<Exit, 4> m_exits;
};

// Every node reachable from start through tree exits that have a target, each exactly once, in
// breadth-first order of the flood (start first). Empty for a null start.
void collectNodes(Node* startNode, std::vector<Node*>& nodes);
void deleteNodes(Node* startNode);

}  // namespace Maze
