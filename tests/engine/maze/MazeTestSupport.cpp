#include "MazeTestSupport.h"

#include <set>
#include <sstream>

#include "engine/maze/Generator.h"
#include "engine/util/Random.h"

namespace MazeTest {

Maze::MazeData gridTemplate(const GridOptions& options) {
    Maze::TileData l_tiles;
    Maze::addFourWayConnections(l_tiles, 0);
    Maze::MazeData l_template(l_tiles, {options.width, options.height}, {0, 0}, options.wrap, options.backtracker,
                              options.removeDeadEnds, options.loopPercent);
    for (const Maze::Position& l_cell : options.excluded) l_template.addExcludedCell(l_cell);
    return l_template;
}

std::unique_ptr<Maze::MazeData> generate(const Maze::MazeData& mazeTemplate, uint64_t stream) {
    Util::Random l_random(stream);
    Maze::Generator l_generator(mazeTemplate, &l_random);
    return l_generator.generate(0);
}

std::unique_ptr<Maze::MazeData> shapedMaze(const std::vector<std::string>& rows) {
    Maze::TileData l_tiles;
    Maze::addFourWayConnections(l_tiles, 0);
    Maze::Position l_start;
    std::vector<Maze::Position> l_excluded;
    for (int l_y = 0; l_y < int(rows.size()); ++l_y) {
        for (int l_x = 0; l_x < int(rows[size_t(l_y)].size()); ++l_x) {
            if (rows[size_t(l_y)][size_t(l_x)] != '#') {
                l_excluded.push_back({l_x, l_y});
            } else if (l_start.empty()) {
                l_start = {l_x, l_y};
            }
        }
    }
    Maze::MazeData l_template(l_tiles, {int(rows[0].size()), int(rows.size())}, l_start, false, false, false, 100);
    for (const Maze::Position& l_cell : l_excluded) l_template.addExcludedCell(l_cell);
    return generate(l_template, 7);
}

std::vector<Maze::Node*> nodesOf(const Maze::MazeData& maze) {
    std::vector<Maze::Node*> l_nodes;
    Maze::collectNodes(maze.getStartNode(), l_nodes);
    return l_nodes;
}

int countPassages(const std::vector<Maze::Node*>& nodes) {
    int l_openExits = 0;
    for (const Maze::Node* l_node : nodes) l_openExits += l_node->getNumOpenExits();
    return l_openExits / 2;
}

size_t countReachable(Maze::Node* start) {
    std::set<Maze::Node*> l_seen{start};
    std::vector<Maze::Node*> l_todo{start};
    while (!l_todo.empty()) {
        Maze::Node* l_node = l_todo.back();
        l_todo.pop_back();
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) {
            Maze::Node* l_target = l_node->getExit(l_exit);
            if (l_node->isExitOpen(l_exit) && l_target && l_seen.insert(l_target).second) l_todo.push_back(l_target);
        }
    }
    return l_seen.size();
}

bool openingsAreSymmetric(const std::vector<Maze::Node*>& nodes) {
    for (const Maze::Node* l_node : nodes) {
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) {
            if (!l_node->isExitOpen(l_exit)) continue;
            const Maze::Node* l_target = l_node->getExit(l_exit);
            if (!l_target) return false;
            bool l_backOpen = false;
            for (int l_back = 0; l_back < l_target->getNumExits(); ++l_back) {
                l_backOpen |= l_target->getExit(l_back) == l_node && l_target->isExitOpen(l_back);
            }
            if (!l_backOpen) return false;
        }
    }
    return true;
}

std::string dump(const Maze::MazeData& maze) {
    std::ostringstream l_out;
    for (const Maze::Node* l_node : nodesOf(maze)) {
        for (int32_t l_c : l_node->getPosition()) l_out << l_c << ',';
        l_out << ':';
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) l_out << (l_node->isExitOpen(l_exit) ? 'o' : '-');
        l_out << ' ';
    }
    return l_out.str();
}

}  // namespace MazeTest
