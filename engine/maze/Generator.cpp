#include "engine/maze/Generator.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/util/Fatal.h"

namespace Maze {

namespace {

// Guards conditions that a well-formed connection table cannot produce. Each check keeps its
// own fixed expression text and line number, so a report can be told apart from the others.
void check(bool ok, const char* expression, int line) {
    if (!ok) {
        Util::fatal(std::string("Assertion failed: ") + expression + ", file engine/maze/Generator, line " +
                    std::to_string(line));
    }
}

Util::Random& sharedRandom() {
    static Util::Random s_random(32);
    return s_random;
}

// How many steps ahead the walks over randomly placed data ask for it: enough to cover a wait
// on memory, few enough that the data is still cached when its step comes.
constexpr size_t kFetchAhead = 8;

bool isNegation(const Position& a, const Position& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] != -b[i]) return false;
    }
    return true;
}

}  // namespace

Generator::Generator(const MazeData& mazeTemplate, Util::Random* random) {
    m_state.work = mazeTemplate.copyTemplate();
    setRandom(random);
}

void Generator::setRandom(Util::Random* random) { m_state.random = random ? random : &sharedRandom(); }

std::unique_ptr<MazeData> Generator::generate(uint32_t seed) {
    MazeData& work = m_state.work;
    Position startPosition = work.getStart();
    if (!work.validatePosition(startPosition)) {
        Util::fatal("Maze start position lies outside the maze or on an excluded cell");
    }

    auto result = std::make_unique<MazeData>(work.copyTemplate());
    if (seed != 0) random().seed(seed, Util::Random::timeStampCounter());

    Node* startNode = flood(startPosition);

    if (work.usesBacktracker()) {
        carveBacktracker(startNode);
        result->setEnd(work.getEnd());
    } else {
        carveKruskal();
    }
    if (work.removesDeadEnds()) removeDeadEnds(startNode);
    if (work.getLoopPercent() != 0) addLoops(startNode);

    m_state.connections.clear();
    m_state.nodes.reset();
    m_state.edges.clear();
    result->setGraph(std::move(m_state.graph), startNode);
    return result;
}

// Walks the edges while they grow; each node is expanded once, through the exit that created
// it, so the nodes come out in breadth-first order.
Node* Generator::flood(const Position& start) {
    const int startType = m_state.work.getTiles().getStartType();
    sizeForBox(startType);
    Position startPosition = start;
    HashedNode* startElement = findOrCreate(startType, startPosition).first;
    expand(*startElement);
    for (size_t i = 0; i < m_state.edges.size(); ++i) {
        const Edge edge = m_state.edges[i];
        const Node* from = edge.from->getNode();
        if (!from->isTreeExit(edge.exit)) continue;
        check(from->getExit(edge.exit) != nullptr, "l_pExitNode", 280);
        expand(*edge.to);
    }
    return startElement->getNode();
}

// Gives the index a slot for every cell of the box. The flood usually fills the box, so room
// for all of its edges up front spares the edge list the copying of growth; a box too large to
// be filled gets a bounded start.
void Generator::sizeForBox(int startType) {
    const Position& box = m_state.work.getSize();
    if (!m_state.nodes.byCell.reset(box)) {
        Util::fatal("Maze box holds more than " + std::to_string(CellIndex<HashedNode>::kMostCells) + " cells");
    }
    constexpr size_t kMostReserved = size_t(1) << 20;
    size_t cells = 1;
    for (int32_t extent : box) cells = std::min(cells * size_t(std::max(extent, 0)), kMostReserved);
    m_state.edges.reserve(cells * connectionsOf(startType).size());
}

void Generator::expand(HashedNode& element) {
    Node* node = element.getNode();
    const ConnectionTable::Connections& connections = connectionsOf(node->getType());
    const int count = int(connections.size());
    node->reserveExits(count);
    for (int i = 0; i < count; ++i) {
        const TileConnection* connection = connections[size_t(i)];
        check(connection != nullptr, "l_pCon", 661);
        Position neighbour = offsetPosition(node->getPosition(), connection->offset);
        auto [neighbourElement, created] = findOrCreate(connection->toType, neighbour);
        if (!neighbourElement) {
            node->addExit({nullptr, 0});
            continue;
        }
        m_state.edges.push_back({&element, i, neighbourElement});
        node->addExit({neighbourElement->getNode(), created ? 0u : Exit::kLinked});
    }
}

// Null when the position is not valid. A cell with an element was valid when the element was
// made, so only cells without one are looked for among the excluded cells.
std::pair<HashedNode*, bool> Generator::findOrCreate(int type, Position& position) {
    if (!m_state.work.wrapIntoBox(position)) return {nullptr, false};
    HashedNode*& slot = m_state.nodes.byCell.at(position);
    if (slot || m_state.work.isExcluded(position)) return {slot, false};
    slot = m_state.nodes.elements.create(m_state.graph.create(type, position));
    return {slot, true};
}

// The reverse exit is the first exit of the neighbour that points back and whose connection
// offset is the exact negation of this one; the offset matters where a wrapped box is only two
// cells across and two exits lead to the same neighbour.
void Generator::openPassage(Node* node, int exit) {
    Node* to = node->getExit(exit);
    const TileConnection* connection = connectionOf(node->getType(), exit);
    const bool anyBackExit = !connection || connection->offset.empty();
    int toExit = 0;
    for (; toExit < to->getNumExits(); ++toExit) {
        if (to->getExit(toExit) != node) continue;
        if (anyBackExit) break;
        const TileConnection* back = connectionOf(to->getType(), toExit);
        if (back && isNegation(back->offset, connection->offset)) break;
    }
    check(toExit != to->getNumExits(), "l_toExit != l_pToNode->getNumExits()", 771);
    node->setExitOpen(exit, true);
    to->setExitOpen(toExit, true);
}

const ConnectionTable::Connections& Generator::connectionsOf(int type) {
    return m_state.connections.of(m_state.work.getTiles(), type);
}

const TileConnection* Generator::connectionOf(int type, int exit) {
    const ConnectionTable::Connections& connections = connectionsOf(type);
    return exit >= 0 && size_t(exit) < connections.size() ? connections[size_t(exit)] : nullptr;
}

// Drawing without replacement from the end: one draw per edge, the last with a bound of 1.
// The edge list is far larger than the caches, so the draws shuffle a list of edge numbers
// instead, which gives the same order at a fraction of the memory traffic.
std::vector<uint32_t> Generator::shuffledEdgeOrder() {
    std::vector<uint32_t> order(m_state.edges.size());
    std::iota(order.begin(), order.end(), 0u);
    for (size_t k = order.size(); k >= 1; --k) {
        const uint32_t j = random().nextInt(uint32_t(k));
        std::swap(order[j], order[k - 1]);
    }
    return order;
}

void Generator::carveKruskal() {
    const std::vector<uint32_t> order = shuffledEdgeOrder();
    const std::vector<Edge>& edges = m_state.edges;
    const size_t count = order.size();
    // Which edges become passages depends only on the sets their elements are in, never on which
    // walls are open yet. So the passages are only marked while the edges are visited in random
    // order, and opened afterwards in the order the edges were made, which visits the nodes
    // nearly in the order they lie in memory.
    std::vector<uint8_t> carved(count, 0);
    // Randomly placed edges and elements are each asked for a stride before they are needed:
    // an edge two strides ahead, its elements one.
    for (size_t i = 0; i < count; ++i) {
        if (i + 2 * kFetchAhead < count) __builtin_prefetch(&edges[order[i + 2 * kFetchAhead]]);
        if (i + kFetchAhead < count) {
            const Edge& ahead = edges[order[i + kFetchAhead]];
            __builtin_prefetch(ahead.from);
            __builtin_prefetch(ahead.to);
        }
        const Edge& edge = edges[order[i]];
        if (edge.from->getRoot() == edge.to->getRoot()) continue;
        carved[order[i]] = 1;
        HashedNode* root = edge.from->getRoot();
        edge.from->link(root);
        edge.to->link(root);
    }
    for (size_t e = 0; e < count; ++e) {
        if (!carved[e]) continue;
        Node* node = edges[e].from->getNode();
        check(node->getExit(edges[e].exit) != nullptr, "l_pNode2", 473);
        openPassage(node, edges[e].exit);
    }
}

void Generator::carveBacktracker(Node* startNode) {
    check(startNode != nullptr, "pNode", 344);
    MazeData& work = m_state.work;
    const int cells = work.getNumCells();
    if (cells <= 1) {
        work.setEnd(startNode->getPosition());
        return;
    }
    int visited = 1;
    int depth = 0;
    int maxDepth = 0;
    Position endPos = startNode->getPosition();
    std::vector<std::pair<Node*, int>> stack;
    std::vector<int> candidates;
    Node* current = startNode;
    while (visited < cells) {
        candidates.clear();
        for (int exitStatus = 0; exitStatus < current->getNumExits(); ++exitStatus) {
            const Node* target = current->getExit(exitStatus);
            if (target && target->getNumOpenExits() == 0) candidates.push_back(exitStatus);
        }
        if (candidates.empty()) {
            if (depth > maxDepth) {
                maxDepth = depth;
                endPos = current->getPosition();
            }
            // Excluded cells, and cells the connections never reach, keep the visited count
            // below the box's cell count: the walk is over once nothing is left to return to.
            if (stack.empty()) break;
            std::tie(current, depth) = stack.back();
            stack.pop_back();
            check(current != nullptr, "pNode", 411);
            continue;
        }
        const int exitStatus = candidates[random().nextInt(uint32_t(candidates.size()))];
        openPassage(current, exitStatus);
        stack.emplace_back(current, depth);
        current = current->getExit(exitStatus);
        check(current != nullptr, "pNode", 393);
        ++depth;
        ++visited;
    }
    if (maxDepth == 0) endPos = current->getPosition();
    work.setEnd(endPos);
}

void Generator::removeDeadEnds(Node* startNode) {
    std::vector<Node*> nodes;
    collectNodes(startNode, nodes);
    std::vector<int> closed;
    for (Node* node : nodes) {
        if (node->getNumOpenExits() != 1) continue;
        closed.clear();
        for (int exitStatus = 0; exitStatus < node->getNumExits(); ++exitStatus) {
            if (node->isExitClosed(exitStatus) && node->getExit(exitStatus)) closed.push_back(exitStatus);
        }
        if (!closed.empty()) openPassage(node, closed[random().nextInt(uint32_t(closed.size()))]);
    }
}

// A wall that stays closed is drawn for again from its other side.
void Generator::addLoops(Node* startNode) {
    std::vector<Node*> nodes;
    collectNodes(startNode, nodes);
    const int percent = m_state.work.getLoopPercent();
    for (Node* node : nodes) {
        for (int exitStatus = 0; exitStatus < node->getNumExits(); ++exitStatus) {
            if (!node->isExitClosed(exitStatus) || !node->getExit(exitStatus)) continue;
            if (int(random().nextInt(100)) < percent) openPassage(node, exitStatus);
        }
    }
}

}  // namespace Maze
