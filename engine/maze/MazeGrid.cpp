#include "engine/maze/MazeGrid.h"

#include <string>

#include "engine/maze/Generator.h"
#include "engine/util/Fatal.h"

namespace Maze {

namespace {

std::string cellText(const Position& cell) {
    std::string text = "(";
    for (size_t i = 0; i < cell.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(cell[i]);
    }
    return text + ")";
}

// Checked before generating, since a cell outside the box would be drawn outside the picture.
void requireInsideBox(const MazeData& mazeTemplate) {
    const Position& count = mazeTemplate.getSize();
    if (count.size() != 2) Util::fatal("MazeGrid needs a two-dimensional maze");
    for (const Position& cell : mazeTemplate.getExcludedCells()) {
        if (cell.size() != 2 || cell[0] < 0 || cell[1] < 0 || cell[0] >= count[0] || cell[1] >= count[1]) {
            Util::fatal("Maze excluded cell " + cellText(cell) + " lies outside the " + std::to_string(count[0]) +
                        " x " + std::to_string(count[1]) + " maze");
        }
    }
}

}  // namespace

void MazeGrid::build(const MazeData& mazeTemplate, Util::Random* random) {
    requireInsideBox(mazeTemplate);
    Generator generator(mazeTemplate, random);
    init(generator.generate(0));

    std::vector<Node*> nodes;
    collectNodes(m_maze->getStartNode(), nodes);
    for (const Node* node : nodes) {
        const int x = node->getPosition()[0];
        const int y = node->getPosition()[1];
        set(2 * x, 2 * y, kWall);
        set(2 * x + 1, 2 * y, node->isExitClosed(0) ? kWall : kOpen);
        set(2 * x, 2 * y + 1, node->isExitClosed(3) ? kWall : kOpen);
    }
    // The centre stays open; the right and bottom walls come from the neighbours, whose exits
    // towards an excluded cell have no target and so stay closed.
    for (const Position& cell : m_maze->getExcludedCells()) {
        set(2 * cell[0], 2 * cell[1], kWall);
        set(2 * cell[0] + 1, 2 * cell[1], kWall);
        set(2 * cell[0], 2 * cell[1] + 1, kWall);
    }
}

void MazeGrid::init(std::unique_ptr<MazeData> maze) {
    m_maze = std::move(maze);
    const Position& count = m_maze->getSize();
    if (count.size() != 2) Util::fatal("MazeGrid needs a two-dimensional maze");
    const bool wrap = m_maze->wraps();
    m_width = 2 * count[0] + (wrap ? 0 : 1);
    m_height = 2 * count[1] + (wrap ? 0 : 1);
    m_cells.assign(size_t(m_width) * size_t(m_height), kOpen);
    for (int x = 0; x < m_width; ++x) set(x, 0, kWall);
    for (int y = 0; y < m_height; ++y) set(0, y, kWall);
    if (wrap) return;
    for (int x = 0; x < m_width; ++x) set(x, m_height - 1, kWall);
    for (int y = 0; y < m_height; ++y) set(m_width - 1, y, kWall);
}

std::unique_ptr<MazeGrid> buildMaze2D(int gridWidth, int gridHeight, int loopPercent,
                                      const std::vector<int>& specialCells, Util::Random* random) {
    if (specialCells.size() % 2 != 0) {
        Util::fatal("Maze special cell list has an odd number of entries (" + std::to_string(specialCells.size()) +
                    ")");
    }
    TileData tiles;
    addFourWayConnections(tiles, 0);
    MazeData pattern(tiles, {(gridWidth - 1) / 2, (gridHeight - 1) / 2}, {0, 0}, false, false, false, loopPercent);
    for (size_t i = 0; i < specialCells.size(); i += 2) {
        pattern.addExcludedCell({specialCells[i], specialCells[i + 1]});
    }
    auto grid = std::make_unique<MazeGrid>();
    grid->build(pattern, random);
    return grid;
}

}  // namespace Maze
