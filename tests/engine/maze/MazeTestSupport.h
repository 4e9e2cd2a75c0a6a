#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/maze/MazeData.h"
#include "engine/maze/Node.h"

namespace MazeTest {

struct GridOptions {
    int width = 4;
    int height = 4;
    int loopPercent = 0;
    bool backtracker = false;
    bool removeDeadEnds = false;
    bool wrap = false;
    std::vector<Maze::Position> excluded;
};

// A two-dimensional four-way template starting at (0, 0).
Maze::MazeData gridTemplate(const GridOptions& options);

// The template's maze from a generator seeded with stream.
std::unique_ptr<Maze::MazeData> generate(const Maze::MazeData& mazeTemplate, uint64_t stream);

// A maze of exactly the cells drawn '#' (every wall between two of them open); other cells are
// excluded. Starts at the first '#' in reading order.
std::unique_ptr<Maze::MazeData> shapedMaze(const std::vector<std::string>& rows);

std::vector<Maze::Node*> nodesOf(const Maze::MazeData& maze);
int countPassages(const std::vector<Maze::Node*>& nodes);
// Nodes reached from start through open exits.
size_t countReachable(Maze::Node* start);
// Every open exit has a target whose exit back is open too.
bool openingsAreSymmetric(const std::vector<Maze::Node*>& nodes);
// Positions and open bits of every node, in collection order.
std::string dump(const Maze::MazeData& maze);

}  // namespace MazeTest
