#include "tests/game/maze/LevelFingerprint.h"

#include <cstdio>
#include <unordered_map>
#include <vector>

namespace MazeTest {

namespace {

// FNV-1a over 32-bit words: small, and any changed word changes the sum.
class Checksum {
public:
    void add(uint64_t word) {
        for (int l_byte = 0; l_byte < 8; ++l_byte) {
            m_sum ^= (word >> (8 * l_byte)) & 0xff;
            m_sum *= 1099511628211ull;
        }
    }
    void add(const Maze::Position& position) {
        add(position.size());
        for (int32_t l_c : position) add(uint64_t(uint32_t(l_c)));
    }
    uint64_t value() const { return m_sum; }

private:
    uint64_t m_sum = 14695981039346656037ull;
};

std::vector<Maze::Node*> nodesOf(const Maze::MazeData& maze) {
    std::vector<Maze::Node*> l_nodes;
    Maze::collectNodes(maze.getStartNode(), l_nodes);
    return l_nodes;
}

// A node by its place in the maze's node order; unknown pointers (and null) count as -1.
class NodeNumbers {
public:
    explicit NodeNumbers(const std::vector<Maze::Node*>& nodes) {
        for (size_t l_i = 0; l_i < nodes.size(); ++l_i) m_numbers.emplace(nodes[l_i], l_i);
    }
    uint64_t of(const Maze::Node* node) const {
        auto l_it = m_numbers.find(node);
        return l_it == m_numbers.end() ? ~uint64_t(0) : l_it->second;
    }

private:
    std::unordered_map<const Maze::Node*, uint64_t> m_numbers;
};

}  // namespace

uint64_t fingerprintMaze(const Maze::MazeData& maze) {
    Checksum l_sum;
    const std::vector<Maze::Node*> l_nodes = nodesOf(maze);
    const NodeNumbers l_numbers(l_nodes);
    l_sum.add(l_nodes.size());
    l_sum.add(maze.getEnd());
    for (const Maze::Node* l_node : l_nodes) {
        l_sum.add(uint64_t(l_node->getType()));
        l_sum.add(l_node->getPosition());
        l_sum.add(uint64_t(l_node->getNumExits()));
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) {
            l_sum.add(l_numbers.of(l_node->getExit(l_exit)));
            l_sum.add(l_node->isExitOpen(l_exit));
            l_sum.add(l_node->isTreeExit(l_exit));
        }
    }
    return l_sum.value();
}

uint64_t fingerprintTiles(const Map::TileMap& map) {
    Checksum l_sum;
    l_sum.add(uint64_t(map.getWidth()));
    l_sum.add(uint64_t(map.getHeight()));
    for (int l_value : map.getCells()) l_sum.add(uint64_t(uint32_t(l_value)));
    return l_sum.value();
}

uint64_t fingerprintPositions(const Maze::MazeData& maze, const Maze::PositionMap<Maze::Node>& positions) {
    Checksum l_sum;
    const std::vector<Maze::Node*> l_nodes = nodesOf(maze);
    const NodeNumbers l_numbers(l_nodes);
    l_sum.add(positions.size());
    for (const Maze::Node* l_node : l_nodes) {
        auto l_it = positions.find(l_node->getPosition());
        l_sum.add(l_it == positions.end() ? ~uint64_t(0) : l_numbers.of(l_it->second));
    }
    return l_sum.value();
}

uint64_t fingerprintCorridors(const Maze::MazeData& maze, const Zelmo::CorridorLookup& lookup) {
    Checksum l_sum;
    const std::vector<Maze::Node*> l_nodes = nodesOf(maze);
    const NodeNumbers l_numbers(l_nodes);
    auto l_numberOf = [&](const Zelmo::CorridorNode* node) { return node ? l_numbers.of(node->node) : ~uint64_t(0); };
    l_sum.add(lookup.getNodes().size());
    for (const Maze::Node* l_node : l_nodes) {
        const Zelmo::CorridorNode* l_corridorNode = lookup.getNode(l_node->getPosition());
        l_sum.add(l_numberOf(l_corridorNode));
        if (l_corridorNode) {
            l_sum.add(l_corridorNode->links.size());
            for (const Zelmo::CorridorLink& l_link : l_corridorNode->links) {
                l_sum.add(uint64_t(l_link.exit));
                l_sum.add(uint64_t(l_link.deadEndDepth));
                l_sum.add(l_numberOf(l_link.target));
            }
        }
        for (size_t l_direction = 0; l_direction < lookup.getNumDirections(); ++l_direction) {
            l_sum.add(l_numberOf(lookup.getDirectionEntry(l_direction, l_node->getPosition())));
        }
    }
    return l_sum.value();
}

uint64_t fingerprintRandom(Util::Random& random) { return random.next(); }

std::string fingerprintLine(uint64_t maze, uint64_t tiles, uint64_t positions, uint64_t corridors, uint64_t random) {
    char l_line[128];
    std::snprintf(l_line, sizeof l_line, "%016llx %016llx %016llx %016llx %08llx", (unsigned long long)maze,
                  (unsigned long long)tiles, (unsigned long long)positions, (unsigned long long)corridors,
                  (unsigned long long)random);
    return l_line;
}

}  // namespace MazeTest
