#pragma once
#include <vector>

#include "game/world/GameLogic.h"
#include "game/world/RobotSteering.h"

namespace WorldTest {

// A maze cell as the tests walk them, by the game's exit bits (1 row - 1, 2 row + 1,
// 4 column + 1, 8 column - 1).
struct MazeCell {
    int x;
    int y;
    bool operator==(const MazeCell& other) const { return x == other.x && y == other.y; }
};

inline MazeCell neighbourOf(const MazeCell& cell, int bit) {
    switch (bit) {
        case 1:
            return {cell.x, cell.y - 1};
        case 2:
            return {cell.x, cell.y + 1};
        case 4:
            return {cell.x + 1, cell.y};
        default:
            return {cell.x - 1, cell.y};
    }
}

// Leaves the cell by the exit bit and follows the corridor cell by cell until the stop or a
// decision point; the cells entered, in order (none when the exit is closed).
inline std::vector<MazeCell> corridorCells(const Zelmo::GameLogic& logic, MazeCell cell, int bit,
                                           const MazeCell& stop) {
    std::vector<MazeCell> cells;
    if (!(logic.exitsAt(cell.x, cell.y) & bit)) return cells;
    // A corridor cannot be longer than the maze has cells; the bound keeps a broken maze finite.
    const int cellCount = logic.params().cellsWide * logic.params().cellsHigh;
    for (int step = 0; step < cellCount; ++step) {
        cell = neighbourOf(cell, bit);
        cells.push_back(cell);
        if (cell == stop || logic.exitCount(cell.x, cell.y) != 2) break;
        bit = logic.exitsAt(cell.x, cell.y) & ~Zelmo::reverseOf(bit);
    }
    return cells;
}

}  // namespace WorldTest
