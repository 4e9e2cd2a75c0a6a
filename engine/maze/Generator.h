#pragma once
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "engine/maze/GeneratorState.h"
#include "engine/maze/MazeData.h"
#include "engine/util/Random.h"

namespace Maze {

// Turns a template into a maze: floods the box from the start to make one node per reachable
// valid cell, carves a spanning tree of passages (Kruskal's method or a recursive backtracker),
// then optionally removes dead ends and opens further walls as loops. All randomness comes from
// one generator, so the same template and random state give the same maze.
class Generator {
public:
    // random may be null: see setRandom.
    Generator(const MazeData& mazeTemplate, Util::Random* random);
    ~Generator() = default;

    // Null selects a generator shared by every Generator given none, seeded with a fixed stream,
    // so that their mazes are the same in every run of the program.
    void setRandom(Util::Random* random);
    // A new maze owned by the caller. A non-zero seed first re-seeds the random source together
    // with the processor's time-stamp counter, so such a maze is not repeatable; 0 leaves it.
    // A start that is outside the box or excluded is a fatal stop.
    std::unique_ptr<MazeData> generate(uint32_t seed);

private:
    Util::Random& random() { return *m_state.random; }

    Node* flood(const Position& start);
    void sizeForBox(int startType);
    void expand(HashedNode& element);
    // The element of the cell at position (wrapped into the box), and whether it was made now.
    std::pair<HashedNode*, bool> findOrCreate(int type, Position& position);
    void openPassage(Node* node, int exit);
    const ConnectionTable::Connections& connectionsOf(int type);
    // Null for an exit number the type does not have.
    const TileConnection* connectionOf(int type, int exit);

    std::vector<uint32_t> shuffledEdgeOrder();
    void carveKruskal();
    void carveBacktracker(Node* startNode);
    void removeDeadEnds(Node* startNode);
    void addLoops(Node* startNode);

    GeneratorState m_state;
};

}  // namespace Maze
