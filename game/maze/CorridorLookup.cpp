#include "game/maze/CorridorLookup.h"

#include <algorithm>
#include <deque>
#include <string>

#include "engine/util/Fatal.h"

namespace Zelmo {

namespace {

bool isDecisionPoint(const Maze::Node* node) {
    const int isOpen = node->getNumOpenExits();
    return isOpen == 1 || isOpen > 2;
}

// A direction past the lookup's maps means the maze's cells have more exits than the lookup was
// made for: every later answer would be wrong, so the run stops at once, naming the numbers.
[[noreturn]] void directionOutOfRange(size_t direction, size_t directions) {
    Util::fatal("Corridor lookup: direction " + std::to_string(direction) + " is out of range (" +
                std::to_string(directions) + " directions)");
}

}  // namespace

namespace {

constexpr size_t kInitialNodeBuckets = 8;

}  // namespace

CorridorLookup::CorridorLookup(size_t directions)
    : m_nodes(kInitialNodeBuckets, Maze::PositionHash(), std::equal_to<Maze::Position>(), &m_nodeMemory),
      m_byDirection(directions) {}

void CorridorLookup::traceCorridors(Maze::Node* startNode) {
    std::vector<Maze::Node*> order;
    Maze::collectNodes(startNode, order);
    auto first = std::find_if(order.begin(), order.end(), isDecisionPoint);
    // Every cell has exactly two open exits: the maze is one ring with nothing to decide.
    if (first == order.end()) return;
    reserveFor(order);

    CorridorNode* firstNode = findOrCreate(*first).first;
    std::vector<Departure> pending;
    for (int exitStatus = 0; exitStatus < (*first)->getNumExits(); ++exitStatus) {
        if ((*first)->isExitOpen(exitStatus)) pending.push_back({firstNode, exitStatus});
    }
    // Grows while it is walked: each decision point queues its exits when first reached, so
    // every corridor is walked once from each end.
    for (size_t i = 0; i < pending.size(); ++i) {
        const Departure start = pending[i];
        walkCorridor(start, pending);
    }
    storeFoundEntries();
}

// Every open exit of every cell gets one direction entry, so the maps can be sized up front
// instead of growing through many rehashes.
void CorridorLookup::reserveFor(const std::vector<Maze::Node*>& cells) {
    std::vector<size_t> entries(m_byDirection.size(), 0);
    size_t decisionPoints = 0;
    for (const Maze::Node* cell : cells) {
        decisionPoints += isDecisionPoint(cell);
        const auto& exits = cell->getExits();
        for (size_t exitStatus = 0; exitStatus < exits.size() && exitStatus < entries.size(); ++exitStatus) {
            if (exits[exitStatus].flags & Maze::Exit::kOpen) ++entries[exitStatus];
        }
    }
    m_nodes.reserve(m_nodes.size() + decisionPoints);
    size_t allEntries = 0;
    for (size_t count : entries) allEntries += count;
    m_found.reserve(allEntries);
    for (size_t d = 0; d < m_byDirection.size(); ++d) {
        m_byDirection[d].reserve(m_byDirection[d].size() + entries[d]);
    }
}

// Each step of the walk is recorded as a direction entry at once; its target, the decision
// point at the far end, is filled in when the walk ends.
void CorridorLookup::walkCorridor(const Departure& start, std::vector<Departure>& pending) {
    CorridorNode* fromNode = start.from;
    Maze::Node* fromCell = fromNode->node;
    const size_t firstStep = m_found.size();
    m_found.push_back({fromCell, size_t(start.exit), nullptr});
    const Maze::Node* previous = fromCell;
    Maze::Node* current = fromCell->getExit(start.exit);
    while (true) {
        const int isOpen = current->getNumOpenExits();
        if (isOpen == 0) Util::fatal("EEK! No open exits!");
        if (isOpen != 2) break;

        // Passages are open on both sides, and every corridor cell already on the path has both
        // of its open exits used by its path neighbours; so the only path cells a corridor cell
        // can lead to are the one just left and the corridor's start.
        int onward = -1;
        int backToStart = -1;
        const auto& exits = current->getExits();
        for (int exitStatus = 0; exitStatus < int(exits.size()); ++exitStatus) {
            if ((exits[size_t(exitStatus)].flags & Maze::Exit::kOpen) == 0) continue;
            const Maze::Node* target = exits[size_t(exitStatus)].target;
            if (target == fromCell) {
                if (backToStart < 0) backToStart = exitStatus;
            } else if (target != previous) {
                onward = exitStatus;
                break;
            }
        }
        if (onward < 0) {
            // The corridor has come back round to the decision point it left.
            fromNode->links.push_back({start.exit, 1, fromNode});
            if (backToStart >= 0) m_found.push_back({current, size_t(backToStart), nullptr});
            pointStepsAt(firstStep, fromNode);
            return;
        }
        m_found.push_back({current, size_t(onward), nullptr});
        previous = current;
        current = current->getExit(onward);
    }

    auto [toNode, created] = findOrCreate(current);
    if (created) {
        for (int exitStatus = 0; exitStatus < current->getNumExits(); ++exitStatus) {
            if (current->isExitOpen(exitStatus)) pending.push_back({toNode, exitStatus});
        }
    }
    fromNode->links.push_back({start.exit, 0, toNode});
    pointStepsAt(firstStep, toNode);
}

void CorridorLookup::pointStepsAt(size_t firstStep, CorridorNode* node) {
    for (size_t i = firstStep; i < m_found.size(); ++i) {
        if (m_found[i].direction >= m_byDirection.size())
            directionOutOfRange(m_found[i].direction, m_byDirection.size());
        m_found[i].target = node;
    }
}

// Entries land at random places in maps far larger than the caches. They are stored in the
// order found, so a cell and direction found twice keeps the later target, while the memory of
// entries ahead is asked for: the cell, whose position is needed, two strides ahead, and the
// place of its entry one stride ahead.
void CorridorLookup::storeFoundEntries() {
    constexpr size_t kFetchAhead = 8;
    for (size_t i = 0; i < m_found.size(); ++i) {
        if (i + 2 * kFetchAhead < m_found.size()) __builtin_prefetch(m_found[i + 2 * kFetchAhead].cell);
        if (i + kFetchAhead < m_found.size()) {
            const FoundEntry& ahead = m_found[i + kFetchAhead];
            __builtin_prefetch(m_byDirection[ahead.direction].firstReadOf(ahead.cell->getPosition()));
        }
        const FoundEntry& entry = m_found[i];
        m_byDirection[entry.direction][entry.cell->getPosition()] = entry.target;
    }
    std::vector<FoundEntry>().swap(m_found);
}

std::pair<CorridorNode*, bool> CorridorLookup::findOrCreate(Maze::Node* node) {
    auto [it, created] = m_nodes.try_emplace(node->getPosition(), nullptr);
    if (created) it->second = m_storage.create(CorridorNode{node, {}});
    return {it->second, created};
}

// A link's depth depends only on the links of its target, so instead of sweeping every link
// until nothing changes, a link is looked at again only when a link of its target got a depth.
// On trees that settles every link as sweeps would; in mazes with loops, what settles can depend
// on the order links are looked at, so the order here is part of the result.
void CorridorLookup::computeDeadEndDepths() {
    struct Pending {
        CorridorNode* from;
        size_t link;
    };
    std::deque<Pending> pending;
    for (auto& entry : m_nodes) {
        for (size_t i = 0; i < entry.second->links.size(); ++i) pending.push_back({entry.second, i});
    }
    while (!pending.empty()) {
        const Pending next = pending.front();
        pending.pop_front();
        CorridorLink& link = next.from->links[next.link];
        if (link.deadEndDepth != 0 || !settleDepth(next.from, link)) continue;
        // Links that lead into next.from depend on the depth just found.
        for (const CorridorLink& out : next.from->links) {
            CorridorNode* neighbour = out.target;
            for (size_t i = 0; i < neighbour->links.size(); ++i) {
                const CorridorLink& in = neighbour->links[i];
                if (in.target == next.from && in.deadEndDepth == 0) pending.push_back({neighbour, i});
            }
        }
    }
}

// Known once everything beyond the target, apart from the ways back, is known.
bool CorridorLookup::settleDepth(const CorridorNode* from, CorridorLink& link) {
    const auto& beyond = link.target->links;
    const size_t all = beyond.size();
    size_t known = 0;
    size_t back = 0;
    int deepest = 0;
    const CorridorNode* lastUnknown = nullptr;
    for (const CorridorLink& other : beyond) {
        if (other.deadEndDepth != 0) ++known;
        if (other.target == from) {
            ++back;
        } else {
            deepest = std::max(deepest, other.deadEndDepth);
        }
        if (other.deadEndDepth == 0) lastUnknown = other.target;
    }
    const bool allKnown = known == all;
    const bool onlyWayBackUnknown = all == known + 1 && lastUnknown == from;
    const bool onlyWaysBackUnknown = all > known + 1 && back == all - known;
    if (!allKnown && !onlyWayBackUnknown && !onlyWaysBackUnknown) return false;
    link.deadEndDepth = deepest + 1;
    return true;
}

void CorridorLookup::setDirectionEntry(size_t direction, const Maze::Position& position, CorridorNode* node) {
    if (direction >= m_byDirection.size()) directionOutOfRange(direction, m_byDirection.size());
    m_byDirection[direction][position] = node;
}

CorridorNode* CorridorLookup::getDirectionEntry(size_t direction, const Maze::Position& position) const {
    const auto& map = directionMap(direction);
    auto it = map.find(position);
    return it == map.end() ? nullptr : it->second;
}

CorridorNode* CorridorLookup::getNode(const Maze::Position& position) const {
    auto it = m_nodes.find(position);
    return it == m_nodes.end() ? nullptr : it->second;
}

const Maze::PositionMap<CorridorNode>& CorridorLookup::directionMap(size_t direction) const {
    if (direction >= m_byDirection.size()) directionOutOfRange(direction, m_byDirection.size());
    return m_byDirection[direction];
}

}  // namespace Zelmo

namespace Maze {

void buildCorridorLookup(Node* startNode, Zelmo::CorridorLookup& lookup) {
    if (!startNode) return;
    lookup.traceCorridors(startNode);
    lookup.computeDeadEndDepths();
}

}  // namespace Maze
