#include "engine/maze/MazeGrid.h"

#include <string>

#include "engine/maze/Generator.h"
#include "engine/util/Fatal.h"

namespace Maze {

namespace {

std::string cellText(const Position& cell) {
    std::string l_text = "(";
    for (size_t l_i = 0; l_i < cell.size(); ++l_i) {
        if (l_i > 0) l_text += ", ";
        l_text += std::to_string(cell[l_i]);
    }
    return l_text + ")";
}

// Checked before generating, since a cell outside the box would be drawn outside the picture.
void requireInsideBox(const MazeData& mazeTemplate) {
    const Position& l_size = mazeTemplate.getSize();
    if (l_size.size() != 2) Util::fatal("MazeGrid needs a two-dimensional maze");
    for (const Position& l_cell : mazeTemplate.getExcludedCells()) {
        if (l_cell.size() != 2 || l_cell[0] < 0 || l_cell[1] < 0 || l_cell[0] >= l_size[0] || l_cell[1] >= l_size[1]) {
            Util::fatal("Maze excluded cell " + cellText(l_cell) + " lies outside the " + std::to_string(l_size[0]) +
                        " x " + std::to_string(l_size[1]) + " maze");
        }
    }
}

}  // namespace

void MazeGrid::build(const MazeData& mazeTemplate, Util::Random* random) {
    requireInsideBox(mazeTemplate);
    Generator l_generator(mazeTemplate, random);
    init(l_generator.generate(0));

    std::vector<Node*> l_nodes;
    collectNodes(m_maze->getStartNode(), l_nodes);
    for (const Node* l_node : l_nodes) {
        const int l_x = l_node->getPosition()[0];
        const int l_y = l_node->getPosition()[1];
        set(2 * l_x, 2 * l_y, kWall);
        set(2 * l_x + 1, 2 * l_y, l_node->isExitClosed(0) ? kWall : kOpen);
        set(2 * l_x, 2 * l_y + 1, l_node->isExitClosed(3) ? kWall : kOpen);
    }
    // The centre stays open; the right and bottom walls come from the neighbours, whose exits
    // towards an excluded cell have no target and so stay closed.
    for (const Position& l_cell : m_maze->getExcludedCells()) {
        set(2 * l_cell[0], 2 * l_cell[1], kWall);
        set(2 * l_cell[0] + 1, 2 * l_cell[1], kWall);
        set(2 * l_cell[0], 2 * l_cell[1] + 1, kWall);
    }
}

void MazeGrid::init(std::unique_ptr<MazeData> maze) {
    m_maze = std::move(maze);
    const Position& l_size = m_maze->getSize();
    if (l_size.size() != 2) Util::fatal("MazeGrid needs a two-dimensional maze");
    const bool l_wrap = m_maze->wraps();
    m_width = 2 * l_size[0] + (l_wrap ? 0 : 1);
    m_height = 2 * l_size[1] + (l_wrap ? 0 : 1);
    m_cells.assign(size_t(m_width) * size_t(m_height), kOpen);
    for (int l_x = 0; l_x < m_width; ++l_x) set(l_x, 0, kWall);
    for (int l_y = 0; l_y < m_height; ++l_y) set(0, l_y, kWall);
    if (l_wrap) return;
    for (int l_x = 0; l_x < m_width; ++l_x) set(l_x, m_height - 1, kWall);
    for (int l_y = 0; l_y < m_height; ++l_y) set(m_width - 1, l_y, kWall);
}

std::unique_ptr<MazeGrid> buildMaze2D(int gridWidth, int gridHeight, int loopPercent,
                                      const std::vector<int>& specialCells, Util::Random* random) {
    if (specialCells.size() % 2 != 0) {
        Util::fatal("Maze special cell list has an odd number of entries (" + std::to_string(specialCells.size()) +
                    ")");
    }
    TileData l_tiles;
    addFourWayConnections(l_tiles, 0);
    MazeData l_template(l_tiles, {(gridWidth - 1) / 2, (gridHeight - 1) / 2}, {0, 0}, false, false, false,
                        loopPercent);
    for (size_t l_i = 0; l_i < specialCells.size(); l_i += 2) {
        l_template.addExcludedCell({specialCells[l_i], specialCells[l_i + 1]});
    }
    auto l_grid = std::make_unique<MazeGrid>();
    l_grid->build(l_template, random);
    return l_grid;
}

}  // namespace Maze
