#include "tests/game/maze/LevelFingerprint.h"

#include <cstdio>
#include <unordered_map>
#include <vector>

#include "tests/engine/maze/MazeTestSupport.h"

namespace MazeTest {

namespace {

// FNV-1a over 32-bit words: small, and any changed word changes the sum.
class Checksum {
public:
    void add(uint64_t word) {
        for (int byte = 0; byte < 8; ++byte) {
            m_sum ^= (word >> (8 * byte)) & 0xff;
            m_sum *= 1099511628211ull;
        }
    }
    void add(const Maze::Position& position) {
        add(position.size());
        for (int32_t c : position) add(uint64_t(uint32_t(c)));
    }
    uint64_t value() const { return m_sum; }

private:
    uint64_t m_sum = 14695981039346656037ull;
};

// A node by its place in the maze's node order; unknown pointers (and null) count as -1.
class NodeNumbers {
public:
    explicit NodeNumbers(const std::vector<Maze::Node*>& nodes) {
        for (size_t i = 0; i < nodes.size(); ++i) m_numbers.emplace(nodes[i], i);
    }
    uint64_t of(const Maze::Node* node) const {
        auto it = m_numbers.find(node);
        return it == m_numbers.end() ? ~uint64_t(0) : it->second;
    }

private:
    std::unordered_map<const Maze::Node*, uint64_t> m_numbers;
};

}  // namespace

uint64_t fingerprintMaze(const Maze::MazeData& maze) {
    Checksum sum;
    const std::vector<Maze::Node*> nodes = nodesOf(maze);
    const NodeNumbers numbers(nodes);
    sum.add(nodes.size());
    sum.add(maze.getEnd());
    for (const Maze::Node* node : nodes) {
        sum.add(uint64_t(node->getType()));
        sum.add(node->getPosition());
        sum.add(uint64_t(node->getNumExits()));
        for (int exitStatus = 0; exitStatus < node->getNumExits(); ++exitStatus) {
            sum.add(numbers.of(node->getExit(exitStatus)));
            sum.add(node->isExitOpen(exitStatus));
            sum.add(node->isTreeExit(exitStatus));
        }
    }
    return sum.value();
}

uint64_t fingerprintTiles(const Map::TileMap& map) {
    Checksum sum;
    sum.add(uint64_t(map.getWidth()));
    sum.add(uint64_t(map.getHeight()));
    for (int value : map.getCells()) sum.add(uint64_t(uint32_t(value)));
    return sum.value();
}

uint64_t fingerprintPositions(const Maze::MazeData& maze, const Maze::PositionMap<Maze::Node>& positions) {
    Checksum sum;
    const std::vector<Maze::Node*> nodes = nodesOf(maze);
    const NodeNumbers numbers(nodes);
    sum.add(positions.size());
    for (const Maze::Node* node : nodes) {
        auto it = positions.find(node->getPosition());
        sum.add(it == positions.end() ? ~uint64_t(0) : numbers.of(it->second));
    }
    return sum.value();
}

uint64_t fingerprintCorridors(const Maze::MazeData& maze, const Zelmo::CorridorLookup& lookup) {
    Checksum sum;
    const std::vector<Maze::Node*> nodes = nodesOf(maze);
    const NodeNumbers numbers(nodes);
    auto numberOf = [&](const Zelmo::CorridorNode* node) { return node ? numbers.of(node->node) : ~uint64_t(0); };
    sum.add(lookup.getNodes().size());
    for (const Maze::Node* node : nodes) {
        const Zelmo::CorridorNode* corridorNode = lookup.getNode(node->getPosition());
        sum.add(numberOf(corridorNode));
        if (corridorNode) {
            sum.add(corridorNode->links.size());
            for (const Zelmo::CorridorLink& link : corridorNode->links) {
                sum.add(uint64_t(link.exit));
                sum.add(uint64_t(link.deadEndDepth));
                sum.add(numberOf(link.target));
            }
        }
        for (size_t direction = 0; direction < lookup.getNumDirections(); ++direction) {
            sum.add(numberOf(lookup.getDirectionEntry(direction, node->getPosition())));
        }
    }
    return sum.value();
}

uint64_t fingerprintRandom(Util::Random& random) { return random.next(); }

std::string fingerprintLine(uint64_t maze, uint64_t tiles, uint64_t positions, uint64_t corridors, uint64_t random) {
    char line[128];
    std::snprintf(line, sizeof line, "%016llx %016llx %016llx %016llx %08llx", (unsigned long long)maze,
                  (unsigned long long)tiles, (unsigned long long)positions, (unsigned long long)corridors,
                  (unsigned long long)random);
    return line;
}

}  // namespace MazeTest
