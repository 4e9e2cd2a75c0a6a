#pragma once
#include <cstddef>
#include <memory_resource>
#include <unordered_map>
#include <vector>

#include "engine/maze/Node.h"
#include "engine/maze/ObjectPool.h"
#include "engine/maze/Position.h"
#include "engine/maze/PositionMap.h"
#include "engine/maze/SmallVector.h"
#include "engine/util/NonCopyable.h"

namespace Zelmo {

struct CorridorNode;

// One corridor leaving a corridor node.
struct CorridorLink {
    int exit;  // the owning node's exit the corridor leaves by
    // 0 while unknown and for corridors into parts of the maze that hold loops; n >= 1 when all
    // behind the corridor is a tree of dead ends n corridors deep; 1 for a corridor that comes
    // back to its own node.
    int deadEndDepth;
    CorridorNode* target;  // the decision point at the other end (the owning node for a loop)
};

// A decision point: a maze node whose open-exit count is not 2 (a dead end or a junction).
struct CorridorNode {
    Maze::Node* node;
    // In the order the corridors were walked; one per open exit, so four fit inside.
    Maze::SmallVector<CorridorLink, 4> links;
};

// The corridor nodes by position. The depth pass visits the nodes in this map's iteration order,
// and in mazes with loops the depths it settles depend on that order; so this one index stays the
// standard library's map, whose order every level built so far has had. Its entries come from a
// block of memory of the lookup's own (the order does not depend on where entries live).
using CorridorNodeMap = std::pmr::unordered_map<Maze::Position, CorridorNode*, Maze::PositionHash>;

// Indexes a generated maze by corridors, the stretches of two-exit cells between decision
// points: every decision point with its corridors, and per direction of travel, for every cell,
// the decision point that leaving the cell that way leads to.
class CorridorLookup : Util::NonCopyable {
public:
    // One direction map per exit number; two-dimensional mazes need 4.
    explicit CorridorLookup(size_t directions);

    void traceCorridors(Maze::Node* startNode);
    // Gives every link whose depth can be known its depth, until no further one can.
    void computeDeadEndDepths();

    // A direction outside the lookup is a fatal stop.
    void setDirectionEntry(size_t direction, const Maze::Position& position, CorridorNode* node);
    // The decision point reached by leaving the cell at position through exit direction; null
    // when there is none. A direction outside the lookup is a fatal stop.
    CorridorNode* getDirectionEntry(size_t direction, const Maze::Position& position) const;
    // The decision point at position, or null.
    CorridorNode* getNode(const Maze::Position& position) const;

    const CorridorNodeMap& getNodes() const { return m_nodes; }
    size_t getNumDirections() const { return m_byDirection.size(); }

private:
    // A corridor still to be walked, leaving a decision point.
    struct Departure {
        CorridorNode* from;
        int exit;
    };
    // A direction entry found by a walk, stored in its map once all walks are done.
    struct FoundEntry {
        Maze::Node* cell;
        size_t direction;
        CorridorNode* target;
    };

    void reserveFor(const std::vector<Maze::Node*>& cells);
    // The corridor node of a maze node, and whether it was created now.
    std::pair<CorridorNode*, bool> findOrCreate(Maze::Node* node);
    void walkCorridor(const Departure& start, std::vector<Departure>& pending);
    static bool settleDepth(const CorridorNode* from, CorridorLink& link);
    // Gives the entries of the current walk, from firstStep on, their target.
    void pointStepsAt(size_t firstStep, CorridorNode* node);
    void storeFoundEntries();
    const Maze::PositionMap<CorridorNode>& directionMap(size_t direction) const;

    Maze::ObjectPool<CorridorNode> m_storage;  // every corridor node
    // Handed out a piece at a time and freed all at once, with the lookup: sparing the map an
    // allocation and a release per entry.
    std::pmr::monotonic_buffer_resource m_nodeMemory;
    CorridorNodeMap m_nodes;
    std::vector<Maze::PositionMap<CorridorNode>> m_byDirection;
    std::vector<FoundEntry> m_found;
};

}  // namespace Zelmo

namespace Maze {

// Traces the corridors and their dead-end depths; a null start leaves the lookup empty.
void buildCorridorLookup(Node* startNode, Zelmo::CorridorLookup& lookup);

}  // namespace Maze
