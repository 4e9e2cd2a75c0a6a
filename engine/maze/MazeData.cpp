#include "engine/maze/MazeData.h"

#include <algorithm>
#include <utility>

namespace Maze {

MazeData::MazeData(const TileData& tiles, const Position& size, const Position& start, bool wrap, bool backtracker,
                   bool removeDeadEnds, int loopPercent)
    : m_tiles(tiles),
      m_size(size),
      m_start(start),
      m_wrap(wrap),
      m_backtracker(backtracker),
      m_removeDeadEnds(removeDeadEnds),
      m_loopPercent(loopPercent) {}

MazeData::MazeData(MazeData&& other) noexcept
    : m_nodes(std::move(other.m_nodes)),
      m_startNode(std::exchange(other.m_startNode, nullptr)),
      m_tiles(std::move(other.m_tiles)),
      m_size(std::move(other.m_size)),
      m_start(std::move(other.m_start)),
      m_end(std::move(other.m_end)),
      m_wrap(other.m_wrap),
      m_backtracker(other.m_backtracker),
      m_removeDeadEnds(other.m_removeDeadEnds),
      m_loopPercent(other.m_loopPercent),
      m_excludedCells(std::move(other.m_excludedCells)) {}

MazeData& MazeData::operator=(MazeData&& other) noexcept {
    if (this != &other) {
        setGraph(std::move(other.m_nodes), std::exchange(other.m_startNode, nullptr));
        m_tiles = std::move(other.m_tiles);
        m_size = std::move(other.m_size);
        m_start = std::move(other.m_start);
        m_end = std::move(other.m_end);
        m_wrap = other.m_wrap;
        m_backtracker = other.m_backtracker;
        m_removeDeadEnds = other.m_removeDeadEnds;
        m_loopPercent = other.m_loopPercent;
        m_excludedCells = std::move(other.m_excludedCells);
    }
    return *this;
}

MazeData MazeData::copyTemplate() const {
    MazeData copy(m_tiles, m_size, m_start, m_wrap, m_backtracker, m_removeDeadEnds, m_loopPercent);
    copy.m_end = m_end;
    copy.m_excludedCells = m_excludedCells;
    return copy;
}

void MazeData::setGraph(NodePool nodes, Node* startNode) {
    m_nodes = std::move(nodes);
    m_startNode = startNode;
}

bool MazeData::isExcluded(const Position& position) const {
    return std::find(m_excludedCells.begin(), m_excludedCells.end(), position) != m_excludedCells.end();
}

int MazeData::getNumCells() const {
    int cells = 1;
    for (int32_t extent : m_size) cells *= extent;
    return cells;
}

bool MazeData::wrapIntoBox(Position& position) const {
    if (position.size() != m_size.size()) return false;
    for (size_t axis = 0; axis < m_size.size(); ++axis) {
        int32_t& c = position[axis];
        const int32_t extent = m_size[axis];
        if (m_wrap) {
            if (c < 0) c += extent;
            if (c >= extent) c -= extent;
        }
        if (c < 0 || c >= extent) return false;
    }
    return true;
}

}  // namespace Maze
