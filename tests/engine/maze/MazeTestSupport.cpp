#include "MazeTestSupport.h"

#include <set>
#include <sstream>

#include "engine/maze/Generator.h"
#include "engine/util/Random.h"

namespace MazeTest {

Maze::MazeData gridTemplate(const GridOptions& options) {
    Maze::TileData tiles;
    Maze::addFourWayConnections(tiles, 0);
    Maze::MazeData pattern(tiles, {options.width, options.height}, {0, 0}, options.wrap, options.backtracker,
                           options.removeDeadEnds, options.loopPercent);
    for (const Maze::Position& cell : options.excluded) pattern.addExcludedCell(cell);
    return pattern;
}

std::unique_ptr<Maze::MazeData> generate(const Maze::MazeData& mazeTemplate, uint64_t stream) {
    Util::Random random(stream);
    Maze::Generator generator(mazeTemplate, &random);
    return generator.generate(0);
}

std::unique_ptr<Maze::MazeData> shapedMaze(const std::vector<std::string>& rows) {
    Maze::TileData tiles;
    Maze::addFourWayConnections(tiles, 0);
    Maze::Position start;
    std::vector<Maze::Position> excluded;
    for (int y = 0; y < int(rows.size()); ++y) {
        for (int x = 0; x < int(rows[size_t(y)].size()); ++x) {
            if (rows[size_t(y)][size_t(x)] != '#') {
                excluded.push_back({x, y});
            } else if (start.empty()) {
                start = {x, y};
            }
        }
    }
    Maze::MazeData pattern(tiles, {int(rows[0].size()), int(rows.size())}, start, false, false, false, 100);
    for (const Maze::Position& cell : excluded) pattern.addExcludedCell(cell);
    return generate(pattern, 7);
}

std::vector<Maze::Node*> nodesOf(const Maze::MazeData& maze) {
    std::vector<Maze::Node*> nodes;
    Maze::collectNodes(maze.getStartNode(), nodes);
    return nodes;
}

int countPassages(const std::vector<Maze::Node*>& nodes) {
    int openExits = 0;
    for (const Maze::Node* node : nodes) openExits += node->getNumOpenExits();
    return openExits / 2;
}

size_t countReachable(Maze::Node* start) {
    std::set<Maze::Node*> seen{start};
    std::vector<Maze::Node*> todo{start};
    while (!todo.empty()) {
        Maze::Node* node = todo.back();
        todo.pop_back();
        for (int exitStatus = 0; exitStatus < node->getNumExits(); ++exitStatus) {
            Maze::Node* target = node->getExit(exitStatus);
            if (node->isExitOpen(exitStatus) && target && seen.insert(target).second) todo.push_back(target);
        }
    }
    return seen.size();
}

bool openingsAreSymmetric(const std::vector<Maze::Node*>& nodes) {
    for (const Maze::Node* node : nodes) {
        for (int exitStatus = 0; exitStatus < node->getNumExits(); ++exitStatus) {
            if (!node->isExitOpen(exitStatus)) continue;
            const Maze::Node* target = node->getExit(exitStatus);
            if (!target) return false;
            bool backOpen = false;
            for (int back = 0; back < target->getNumExits(); ++back) {
                backOpen |= target->getExit(back) == node && target->isExitOpen(back);
            }
            if (!backOpen) return false;
        }
    }
    return true;
}

std::string dump(const Maze::MazeData& maze) {
    std::ostringstream out;
    for (const Maze::Node* node : nodesOf(maze)) {
        for (int32_t c : node->getPosition()) out << c << ',';
        out << ':';
        for (int exitStatus = 0; exitStatus < node->getNumExits(); ++exitStatus)
            out << (node->isExitOpen(exitStatus) ? 'o' : '-');
        out << ' ';
    }
    return out.str();
}

}  // namespace MazeTest
