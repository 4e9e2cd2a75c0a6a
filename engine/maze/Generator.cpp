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
    for (size_t l_i = 0; l_i < a.size(); ++l_i) {
        if (a[l_i] != -b[l_i]) return false;
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
    MazeData& l_work = m_state.work;
    Position l_start = l_work.getStart();
    if (!l_work.validatePosition(l_start)) {
        Util::fatal("Maze start position lies outside the maze or on an excluded cell");
    }

    auto l_result = std::make_unique<MazeData>(l_work.copyTemplate());
    if (seed != 0) random().seed(seed, Util::Random::timeStampCounter());

    Node* l_startNode = flood(l_start);

    if (l_work.usesBacktracker()) {
        carveBacktracker(l_startNode);
        l_result->setEnd(l_work.getEnd());
    } else {
        carveKruskal();
    }
    if (l_work.removesDeadEnds()) removeDeadEnds(l_startNode);
    if (l_work.getLoopPercent() != 0) addLoops(l_startNode);

    m_state.connections.clear();
    m_state.nodes.reset();
    m_state.edges.clear();
    l_result->setGraph(std::move(m_state.graph), l_startNode);
    return l_result;
}

// Walks the edges while they grow; each node is expanded once, through the exit that created
// it, so the nodes come out in breadth-first order.
Node* Generator::flood(const Position& start) {
    const int l_startType = m_state.work.getTiles().getStartType();
    sizeForBox(l_startType);
    Position l_start = start;
    HashedNode* l_startElement = findOrCreate(l_startType, l_start).first;
    expand(*l_startElement);
    for (size_t l_i = 0; l_i < m_state.edges.size(); ++l_i) {
        const Edge l_edge = m_state.edges[l_i];
        const Node* l_from = l_edge.from->getNode();
        if (!l_from->isTreeExit(l_edge.exit)) continue;
        check(l_from->getExit(l_edge.exit) != nullptr, "l_pExitNode", 280);
        expand(*l_edge.to);
    }
    return l_startElement->getNode();
}

// Gives the index a slot for every cell of the box. The flood usually fills the box, so room
// for all of its edges up front spares the edge list the copying of growth; a box too large to
// be filled gets a bounded start.
void Generator::sizeForBox(int startType) {
    const Position& l_box = m_state.work.getSize();
    if (!m_state.nodes.byCell.reset(l_box)) {
        Util::fatal("Maze box holds more than " + std::to_string(CellIndex<HashedNode>::kMostCells) + " cells");
    }
    constexpr size_t kMostReserved = size_t(1) << 20;
    size_t l_cells = 1;
    for (int32_t l_extent : l_box) l_cells = std::min(l_cells * size_t(std::max(l_extent, 0)), kMostReserved);
    m_state.edges.reserve(l_cells * connectionsOf(startType).size());
}

void Generator::expand(HashedNode& element) {
    Node* l_node = element.getNode();
    const ConnectionTable::Connections& l_connections = connectionsOf(l_node->getType());
    const int l_count = int(l_connections.size());
    l_node->reserveExits(l_count);
    for (int l_i = 0; l_i < l_count; ++l_i) {
        const TileConnection* l_connection = l_connections[size_t(l_i)];
        check(l_connection != nullptr, "l_pCon", 661);
        Position l_neighbour = offsetPosition(l_node->getPosition(), l_connection->offset);
        auto [l_element, l_created] = findOrCreate(l_connection->toType, l_neighbour);
        if (!l_element) {
            l_node->addExit({nullptr, 0});
            continue;
        }
        m_state.edges.push_back({&element, l_i, l_element});
        l_node->addExit({l_element->getNode(), l_created ? 0u : Exit::kLinked});
    }
}

// Null when the position is not valid. A cell with an element was valid when the element was
// made, so only cells without one are looked for among the excluded cells.
std::pair<HashedNode*, bool> Generator::findOrCreate(int type, Position& position) {
    if (!m_state.work.wrapIntoBox(position)) return {nullptr, false};
    HashedNode*& l_slot = m_state.nodes.byCell.at(position);
    if (l_slot || m_state.work.isExcluded(position)) return {l_slot, false};
    l_slot = m_state.nodes.elements.create(m_state.graph.create(type, position));
    return {l_slot, true};
}

// The reverse exit is the first exit of the neighbour that points back and whose connection
// offset is the exact negation of this one; the offset matters where a wrapped box is only two
// cells across and two exits lead to the same neighbour.
void Generator::openPassage(Node* node, int exit) {
    Node* l_to = node->getExit(exit);
    const TileConnection* l_connection = connectionOf(node->getType(), exit);
    const bool l_anyBackExit = !l_connection || l_connection->offset.empty();
    int l_toExit = 0;
    for (; l_toExit < l_to->getNumExits(); ++l_toExit) {
        if (l_to->getExit(l_toExit) != node) continue;
        if (l_anyBackExit) break;
        const TileConnection* l_back = connectionOf(l_to->getType(), l_toExit);
        if (l_back && isNegation(l_back->offset, l_connection->offset)) break;
    }
    check(l_toExit != l_to->getNumExits(), "l_toExit != l_pToNode->getNumExits()", 771);
    node->setExitOpen(exit, true);
    l_to->setExitOpen(l_toExit, true);
}

const ConnectionTable::Connections& Generator::connectionsOf(int type) {
    return m_state.connections.of(m_state.work.getTiles(), type);
}

const TileConnection* Generator::connectionOf(int type, int exit) {
    const ConnectionTable::Connections& l_connections = connectionsOf(type);
    return exit >= 0 && size_t(exit) < l_connections.size() ? l_connections[size_t(exit)] : nullptr;
}

// Drawing without replacement from the end: one draw per edge, the last with a bound of 1.
// The edge list is far larger than the caches, so the draws shuffle a list of edge numbers
// instead, which gives the same order at a fraction of the memory traffic.
std::vector<uint32_t> Generator::shuffledEdgeOrder() {
    std::vector<uint32_t> l_order(m_state.edges.size());
    std::iota(l_order.begin(), l_order.end(), 0u);
    for (size_t l_k = l_order.size(); l_k >= 1; --l_k) {
        const uint32_t l_j = random().nextInt(uint32_t(l_k));
        std::swap(l_order[l_j], l_order[l_k - 1]);
    }
    return l_order;
}

void Generator::carveKruskal() {
    const std::vector<uint32_t> l_order = shuffledEdgeOrder();
    const std::vector<Edge>& l_edges = m_state.edges;
    const size_t l_count = l_order.size();
    // Which edges become passages depends only on the sets their elements are in, never on which
    // walls are open yet. So the passages are only marked while the edges are visited in random
    // order, and opened afterwards in the order the edges were made, which visits the nodes
    // nearly in the order they lie in memory.
    std::vector<uint8_t> l_carved(l_count, 0);
    // Randomly placed edges and elements are each asked for a stride before they are needed:
    // an edge two strides ahead, its elements one.
    for (size_t l_i = 0; l_i < l_count; ++l_i) {
        if (l_i + 2 * kFetchAhead < l_count) __builtin_prefetch(&l_edges[l_order[l_i + 2 * kFetchAhead]]);
        if (l_i + kFetchAhead < l_count) {
            const Edge& l_ahead = l_edges[l_order[l_i + kFetchAhead]];
            __builtin_prefetch(l_ahead.from);
            __builtin_prefetch(l_ahead.to);
        }
        const Edge& l_edge = l_edges[l_order[l_i]];
        if (l_edge.from->getRoot() == l_edge.to->getRoot()) continue;
        l_carved[l_order[l_i]] = 1;
        HashedNode* l_root = l_edge.from->getRoot();
        l_edge.from->link(l_root);
        l_edge.to->link(l_root);
    }
    for (size_t l_e = 0; l_e < l_count; ++l_e) {
        if (!l_carved[l_e]) continue;
        Node* l_node = l_edges[l_e].from->getNode();
        check(l_node->getExit(l_edges[l_e].exit) != nullptr, "l_pNode2", 473);
        openPassage(l_node, l_edges[l_e].exit);
    }
}

void Generator::carveBacktracker(Node* startNode) {
    check(startNode != nullptr, "pNode", 344);
    MazeData& l_work = m_state.work;
    const int l_cells = l_work.getNumCells();
    if (l_cells <= 1) {
        l_work.setEnd(startNode->getPosition());
        return;
    }
    int l_visited = 1;
    int l_depth = 0;
    int l_maxDepth = 0;
    Position l_end = startNode->getPosition();
    std::vector<std::pair<Node*, int>> l_stack;
    std::vector<int> l_candidates;
    Node* l_current = startNode;
    while (l_visited < l_cells) {
        l_candidates.clear();
        for (int l_exit = 0; l_exit < l_current->getNumExits(); ++l_exit) {
            const Node* l_target = l_current->getExit(l_exit);
            if (l_target && l_target->getNumOpenExits() == 0) l_candidates.push_back(l_exit);
        }
        if (l_candidates.empty()) {
            if (l_depth > l_maxDepth) {
                l_maxDepth = l_depth;
                l_end = l_current->getPosition();
            }
            // Excluded cells, and cells the connections never reach, keep the visited count
            // below the box's cell count: the walk is over once nothing is left to return to.
            if (l_stack.empty()) break;
            std::tie(l_current, l_depth) = l_stack.back();
            l_stack.pop_back();
            check(l_current != nullptr, "pNode", 411);
            continue;
        }
        const int l_exit = l_candidates[random().nextInt(uint32_t(l_candidates.size()))];
        openPassage(l_current, l_exit);
        l_stack.emplace_back(l_current, l_depth);
        l_current = l_current->getExit(l_exit);
        check(l_current != nullptr, "pNode", 393);
        ++l_depth;
        ++l_visited;
    }
    if (l_maxDepth == 0) l_end = l_current->getPosition();
    l_work.setEnd(l_end);
}

void Generator::removeDeadEnds(Node* startNode) {
    std::vector<Node*> l_nodes;
    collectNodes(startNode, l_nodes);
    std::vector<int> l_closed;
    for (Node* l_node : l_nodes) {
        if (l_node->getNumOpenExits() != 1) continue;
        l_closed.clear();
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) {
            if (l_node->isExitClosed(l_exit) && l_node->getExit(l_exit)) l_closed.push_back(l_exit);
        }
        if (!l_closed.empty()) openPassage(l_node, l_closed[random().nextInt(uint32_t(l_closed.size()))]);
    }
}

// A wall that stays closed is drawn for again from its other side.
void Generator::addLoops(Node* startNode) {
    std::vector<Node*> l_nodes;
    collectNodes(startNode, l_nodes);
    const int l_percent = m_state.work.getLoopPercent();
    for (Node* l_node : l_nodes) {
        for (int l_exit = 0; l_exit < l_node->getNumExits(); ++l_exit) {
            if (!l_node->isExitClosed(l_exit) || !l_node->getExit(l_exit)) continue;
            if (int(random().nextInt(100)) < l_percent) openPassage(l_node, l_exit);
        }
    }
}

}  // namespace Maze
