#include "game/maze/CorridorLookup.h"

#include <algorithm>
#include <deque>
#include <string>

#include "engine/util/Fatal.h"

namespace Zelmo {

namespace {

bool isDecisionPoint(const Maze::Node* node) {
    const int l_open = node->getNumOpenExits();
    return l_open == 1 || l_open > 2;
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
    std::vector<Maze::Node*> l_order;
    Maze::collectNodes(startNode, l_order);
    auto l_first = std::find_if(l_order.begin(), l_order.end(), isDecisionPoint);
    // Every cell has exactly two open exits: the maze is one ring with nothing to decide.
    if (l_first == l_order.end()) return;
    reserveFor(l_order);

    CorridorNode* l_firstNode = findOrCreate(*l_first).first;
    std::vector<Departure> l_pending;
    for (int l_exit = 0; l_exit < (*l_first)->getNumExits(); ++l_exit) {
        if ((*l_first)->isExitOpen(l_exit)) l_pending.push_back({l_firstNode, l_exit});
    }
    // Grows while it is walked: each decision point queues its exits when first reached, so
    // every corridor is walked once from each end.
    for (size_t l_i = 0; l_i < l_pending.size(); ++l_i) {
        const Departure l_start = l_pending[l_i];
        walkCorridor(l_start, l_pending);
    }
    storeFoundEntries();
}

// Every open exit of every cell gets one direction entry, so the maps can be sized up front
// instead of growing through many rehashes.
void CorridorLookup::reserveFor(const std::vector<Maze::Node*>& cells) {
    std::vector<size_t> l_entries(m_byDirection.size(), 0);
    size_t l_decisionPoints = 0;
    for (const Maze::Node* l_cell : cells) {
        l_decisionPoints += isDecisionPoint(l_cell);
        const auto& l_exits = l_cell->getExits();
        for (size_t l_exit = 0; l_exit < l_exits.size() && l_exit < l_entries.size(); ++l_exit) {
            if (l_exits[l_exit].flags & Maze::Exit::kOpen) ++l_entries[l_exit];
        }
    }
    m_nodes.reserve(m_nodes.size() + l_decisionPoints);
    size_t l_allEntries = 0;
    for (size_t l_count : l_entries) l_allEntries += l_count;
    m_found.reserve(l_allEntries);
    for (size_t l_d = 0; l_d < m_byDirection.size(); ++l_d) {
        m_byDirection[l_d].reserve(m_byDirection[l_d].size() + l_entries[l_d]);
    }
}

// Each step of the walk is recorded as a direction entry at once; its target, the decision
// point at the far end, is filled in when the walk ends.
void CorridorLookup::walkCorridor(const Departure& start, std::vector<Departure>& pending) {
    CorridorNode* l_fromNode = start.from;
    Maze::Node* l_fromCell = l_fromNode->node;
    const size_t l_firstStep = m_found.size();
    m_found.push_back({l_fromCell, size_t(start.exit), nullptr});
    const Maze::Node* l_previous = l_fromCell;
    Maze::Node* l_current = l_fromCell->getExit(start.exit);
    while (true) {
        const int l_open = l_current->getNumOpenExits();
        if (l_open == 0) Util::fatal("EEK! No open exits!");
        if (l_open != 2) break;

        // Passages are open on both sides, and every corridor cell already on the path has both
        // of its open exits used by its path neighbours; so the only path cells a corridor cell
        // can lead to are the one just left and the corridor's start.
        int l_onward = -1;
        int l_backToStart = -1;
        const auto& l_exits = l_current->getExits();
        for (int l_exit = 0; l_exit < int(l_exits.size()); ++l_exit) {
            if ((l_exits[size_t(l_exit)].flags & Maze::Exit::kOpen) == 0) continue;
            const Maze::Node* l_target = l_exits[size_t(l_exit)].target;
            if (l_target == l_fromCell) {
                if (l_backToStart < 0) l_backToStart = l_exit;
            } else if (l_target != l_previous) {
                l_onward = l_exit;
                break;
            }
        }
        if (l_onward < 0) {
            // The corridor has come back round to the decision point it left.
            l_fromNode->links.push_back({start.exit, 1, l_fromNode});
            if (l_backToStart >= 0) m_found.push_back({l_current, size_t(l_backToStart), nullptr});
            pointStepsAt(l_firstStep, l_fromNode);
            return;
        }
        m_found.push_back({l_current, size_t(l_onward), nullptr});
        l_previous = l_current;
        l_current = l_current->getExit(l_onward);
    }

    auto [l_toNode, l_created] = findOrCreate(l_current);
    if (l_created) {
        for (int l_exit = 0; l_exit < l_current->getNumExits(); ++l_exit) {
            if (l_current->isExitOpen(l_exit)) pending.push_back({l_toNode, l_exit});
        }
    }
    l_fromNode->links.push_back({start.exit, 0, l_toNode});
    pointStepsAt(l_firstStep, l_toNode);
}

void CorridorLookup::pointStepsAt(size_t firstStep, CorridorNode* node) {
    for (size_t l_i = firstStep; l_i < m_found.size(); ++l_i) {
        if (m_found[l_i].direction >= m_byDirection.size())
            directionOutOfRange(m_found[l_i].direction, m_byDirection.size());
        m_found[l_i].target = node;
    }
}

// Entries land at random places in maps far larger than the caches. They are stored in the
// order found, so a cell and direction found twice keeps the later target, while the memory of
// entries ahead is asked for: the cell, whose position is needed, two strides ahead, and the
// place of its entry one stride ahead.
void CorridorLookup::storeFoundEntries() {
    constexpr size_t kFetchAhead = 8;
    for (size_t l_i = 0; l_i < m_found.size(); ++l_i) {
        if (l_i + 2 * kFetchAhead < m_found.size()) __builtin_prefetch(m_found[l_i + 2 * kFetchAhead].cell);
        if (l_i + kFetchAhead < m_found.size()) {
            const FoundEntry& l_ahead = m_found[l_i + kFetchAhead];
            __builtin_prefetch(m_byDirection[l_ahead.direction].firstReadOf(l_ahead.cell->getPosition()));
        }
        const FoundEntry& l_entry = m_found[l_i];
        m_byDirection[l_entry.direction][l_entry.cell->getPosition()] = l_entry.target;
    }
    std::vector<FoundEntry>().swap(m_found);
}

std::pair<CorridorNode*, bool> CorridorLookup::findOrCreate(Maze::Node* node) {
    auto [l_it, l_created] = m_nodes.try_emplace(node->getPosition(), nullptr);
    if (l_created) l_it->second = m_storage.create(CorridorNode{node, {}});
    return {l_it->second, l_created};
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
    std::deque<Pending> l_pending;
    for (auto& l_entry : m_nodes) {
        for (size_t l_i = 0; l_i < l_entry.second->links.size(); ++l_i) l_pending.push_back({l_entry.second, l_i});
    }
    while (!l_pending.empty()) {
        const Pending l_next = l_pending.front();
        l_pending.pop_front();
        CorridorLink& l_link = l_next.from->links[l_next.link];
        if (l_link.deadEndDepth != 0 || !settleDepth(l_next.from, l_link)) continue;
        // Links that lead into l_next.from depend on the depth just found.
        for (const CorridorLink& l_out : l_next.from->links) {
            CorridorNode* l_neighbour = l_out.target;
            for (size_t l_i = 0; l_i < l_neighbour->links.size(); ++l_i) {
                const CorridorLink& l_in = l_neighbour->links[l_i];
                if (l_in.target == l_next.from && l_in.deadEndDepth == 0) l_pending.push_back({l_neighbour, l_i});
            }
        }
    }
}

// Known once everything beyond the target, apart from the ways back, is known.
bool CorridorLookup::settleDepth(const CorridorNode* from, CorridorLink& link) {
    const auto& l_beyond = link.target->links;
    const size_t l_all = l_beyond.size();
    size_t l_known = 0;
    size_t l_back = 0;
    int l_deepest = 0;
    const CorridorNode* l_lastUnknown = nullptr;
    for (const CorridorLink& l_other : l_beyond) {
        if (l_other.deadEndDepth != 0) ++l_known;
        if (l_other.target == from) {
            ++l_back;
        } else {
            l_deepest = std::max(l_deepest, l_other.deadEndDepth);
        }
        if (l_other.deadEndDepth == 0) l_lastUnknown = l_other.target;
    }
    const bool l_allKnown = l_known == l_all;
    const bool l_onlyWayBackUnknown = l_all == l_known + 1 && l_lastUnknown == from;
    const bool l_onlyWaysBackUnknown = l_all > l_known + 1 && l_back == l_all - l_known;
    if (!l_allKnown && !l_onlyWayBackUnknown && !l_onlyWaysBackUnknown) return false;
    link.deadEndDepth = l_deepest + 1;
    return true;
}

void CorridorLookup::setDirectionEntry(size_t direction, const Maze::Position& position, CorridorNode* node) {
    if (direction >= m_byDirection.size()) directionOutOfRange(direction, m_byDirection.size());
    m_byDirection[direction][position] = node;
}

CorridorNode* CorridorLookup::getDirectionEntry(size_t direction, const Maze::Position& position) const {
    const auto& l_map = directionMap(direction);
    auto l_it = l_map.find(position);
    return l_it == l_map.end() ? nullptr : l_it->second;
}

CorridorNode* CorridorLookup::getNode(const Maze::Position& position) const {
    auto l_it = m_nodes.find(position);
    return l_it == m_nodes.end() ? nullptr : l_it->second;
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
