#pragma once
#include <vector>

#include "engine/maze/Node.h"
#include "engine/maze/ObjectPool.h"
#include "engine/maze/Position.h"
#include "engine/maze/TileData.h"

namespace Maze {

// Every node of one generated maze.
using NodePool = ObjectPool<Node>;

// Both the template handed to the generator and the maze it returns. A generated maze owns its
// node graph; copying one would free the graph twice, so only moves are allowed, and a
// template is duplicated explicitly with copyTemplate().
class MazeData {
public:
    MazeData() = default;
    MazeData(const TileData& tiles, const Position& size, const Position& start, bool wrap, bool backtracker,
             bool removeDeadEnds, int loopPercent);
    virtual ~MazeData() = default;

    MazeData(const MazeData&) = delete;
    MazeData& operator=(const MazeData&) = delete;
    MazeData(MazeData&& other) noexcept;
    MazeData& operator=(MazeData&& other) noexcept;

    // Every field except the graph.
    MazeData copyTemplate() const;

    Node* getStartNode() const { return m_startNode; }
    // Takes ownership of the nodes of a graph that starts at startNode, freeing the graph held
    // before.
    void setGraph(NodePool nodes, Node* startNode);

    const TileData& getTiles() const { return m_tiles; }
    const Position& getSize() const { return m_size; }
    const Position& getStart() const { return m_start; }
    // The backtracker's deepest dead end; empty for other mazes.
    const Position& getEnd() const { return m_end; }
    void setEnd(const Position& end) { m_end = end; }
    bool wraps() const { return m_wrap; }
    bool usesBacktracker() const { return m_backtracker; }
    bool removesDeadEnds() const { return m_removeDeadEnds; }
    int getLoopPercent() const { return m_loopPercent; }

    void addExcludedCell(const Position& position) { m_excludedCells.push_back(position); }
    const std::vector<Position>& getExcludedCells() const { return m_excludedCells; }
    bool isExcluded(const Position& position) const;

    // The product of the extents; excluded cells are not subtracted.
    int getNumCells() const;

    // Whether a cell may hold a node: inside the box and not excluded. With wrap, each
    // coordinate is first brought back into the box by one box length, which changes position.
    bool validatePosition(Position& position) const { return wrapIntoBox(position) && !isExcluded(position); }
    // validatePosition without the look at the excluded cells.
    bool wrapIntoBox(Position& position) const;

private:
    NodePool m_nodes;
    Node* m_startNode = nullptr;
    TileData m_tiles;
    Position m_size;
    Position m_start;
    Position m_end;
    bool m_wrap = false;
    bool m_backtracker = false;
    bool m_removeDeadEnds = false;
    int m_loopPercent = 0;
    std::vector<Position> m_excludedCells;
};

}  // namespace Maze
