#pragma once
#include <memory>
#include <vector>

#include "engine/maze/MazeData.h"
#include "engine/util/Random.h"

namespace Maze {

// A two-dimensional maze drawn as a character picture: 'X' wall, ' ' open. Maze cell (x, y) has
// its pillar at (2x, 2y), its top wall at (2x + 1, 2y), its left wall at (2x, 2y + 1) and its
// centre at (2x + 1, 2y + 1); the picture is 2w + 1 by 2h + 1, or 2w by 2h when the maze wraps
// (the far border is then the near one).
class MazeGrid {
public:
    static constexpr char kWall = 'X';
    static constexpr char kOpen = ' ';

    // Generates the template's maze (seed 0) and draws it. Excluded cells outside the box, or a
    // template that is not two-dimensional, are fatal stops.
    void build(const MazeData& mazeTemplate, Util::Random* random);
    // Keeps the maze and draws only the border: top row and left column, and unless the maze
    // wraps the bottom row and right column too.
    void init(std::unique_ptr<MazeData> maze);

    int getWidth() const { return m_width; }
    int getHeight() const { return m_height; }
    char getCell(int x, int y) const { return m_cells[index(x, y)]; }
    // Positions outside the picture are not walls.
    bool isWall(int x, int y) const { return contains(x, y) && getCell(x, y) == kWall; }

    const MazeData* getMaze() const { return m_maze.get(); }
    std::unique_ptr<MazeData> takeMaze() { return std::move(m_maze); }

private:
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    size_t index(int x, int y) const { return size_t(y) * size_t(m_width) + size_t(x); }
    void set(int x, int y, char c) { m_cells[index(x, y)] = c; }

    std::unique_ptr<MazeData> m_maze;
    std::vector<char> m_cells;
    int m_width = 0;
    int m_height = 0;
};

// A Kruskal maze of ((gridWidth - 1) / 2) x ((gridHeight - 1) / 2) cells starting at (0, 0),
// without wrap or dead-end removal, drawn as a grid. specialCells holds (x, y) pairs that become
// excluded cells; an odd-length list is a fatal stop.
std::unique_ptr<MazeGrid> buildMaze2D(int gridWidth, int gridHeight, int loopPercent,
                                      const std::vector<int>& specialCells, Util::Random* random);

}  // namespace Maze
