#include "engine/maze/CorridorLookup.h"

#include <algorithm>
#include <stdexcept>

#include "engine/util/Fatal.h"

namespace Zelmo {

namespace {

bool isDecisionPoint(const Maze::Node* node) {
    const int l_open = node->getNumOpenExits();
    return l_open == 1 || l_open > 2;
}

[[noreturn]] void throwBadDirection() { throw std::out_of_range("invalid vector<T> subscript"); }

}  // namespace

CorridorLookup::CorridorLookup(size_t directions)
    : m_nodes(Maze::kPositionMapInitialBuckets),
      m_byDirection(directions, Maze::PositionMap<CorridorNode>(Maze::kPositionMapInitialBuckets)) {}

CorridorLookup::~CorridorLookup() {
    for (auto& l_entry : m_nodes) delete l_entry.second;
}

void CorridorLookup::traceCorridors(Maze::Node* startNode) {
    std::vector<Maze::Node*> l_order;
    Maze::collectNodes(startNode, l_order);
    auto l_first = std::find_if(l_order.begin(), l_order.end(), isDecisionPoint);
    // Every cell has exactly two open exits: the maze is one ring with nothing to decide.
    if (l_first == l_order.end()) return;

    std::vector<Step> l_pending;
    for (int l_exit = 0; l_exit < (*l_first)->getNumExits(); ++l_exit) {
        if ((*l_first)->isExitOpen(l_exit)) l_pending.push_back({*l_first, l_exit});
    }
    // Grows while it is walked: each decision point queues its exits when first reached, so
    // every corridor is walked once from each end.
    for (size_t l_i = 0; l_i < l_pending.size(); ++l_i) {
        const Step l_start = l_pending[l_i];
        walkCorridor(l_start, l_pending);
    }
}

void CorridorLookup::walkCorridor(const Step& start, std::vector<Step>& pending) {
    CorridorNode* l_fromNode = findOrCreate(start.node).first;
    std::vector<Step>& l_path = m_path;
    l_path.assign(1, start);
    Maze::Node* l_current = start.node->getExit(start.exit);
    while (true) {
        const int l_open = l_current->getNumOpenExits();
        if (l_open == 0) Util::fatal("EEK! No open exits!");
        if (l_open != 2) break;

        // Passages are open on both sides, and every corridor cell already on the path has both
        // of its open exits used by its path neighbours; so the only path cells a corridor cell
        // can lead to are the one just left and the corridor's start.
        const Maze::Node* l_previous = l_path.back().node;
        int l_onward = -1;
        int l_backToStart = -1;
        for (int l_exit = 0; l_exit < l_current->getNumExits(); ++l_exit) {
            if (!l_current->isExitOpen(l_exit)) continue;
            const Maze::Node* l_target = l_current->getExit(l_exit);
            if (l_target == start.node) {
                if (l_backToStart < 0) l_backToStart = l_exit;
            } else if (l_target != l_previous) {
                l_onward = l_exit;
                break;
            }
        }
        if (l_onward < 0) {
            // The corridor has come back round to the decision point it left.
            l_fromNode->links.push_back({start.exit, 1, l_fromNode});
            if (l_backToStart >= 0) l_path.push_back({l_current, l_backToStart});
            pointPathAt(l_path, l_fromNode);
            return;
        }
        l_path.push_back({l_current, l_onward});
        l_current = l_current->getExit(l_onward);
    }

    auto [l_toNode, l_created] = findOrCreate(l_current);
    if (l_created) {
        for (int l_exit = 0; l_exit < l_current->getNumExits(); ++l_exit) {
            if (l_current->isExitOpen(l_exit)) pending.push_back({l_current, l_exit});
        }
    }
    l_fromNode->links.push_back({start.exit, 0, l_toNode});
    pointPathAt(l_path, l_toNode);
}

void CorridorLookup::pointPathAt(const std::vector<Step>& path, CorridorNode* node) {
    for (const Step& l_step : path) setDirectionEntry(size_t(l_step.exit), l_step.node->getPosition(), node);
}

std::pair<CorridorNode*, bool> CorridorLookup::findOrCreate(Maze::Node* node) {
    auto [l_it, l_created] = m_nodes.try_emplace(node->getPosition(), nullptr);
    if (l_created) l_it->second = new CorridorNode{node, {}};
    return {l_it->second, l_created};
}

void CorridorLookup::computeDeadEndDepths() {
    bool l_changed = true;
    while (l_changed) {
        l_changed = false;
        for (auto& l_entry : m_nodes) {
            CorridorNode* l_from = l_entry.second;
            for (CorridorLink& l_link : l_from->links) {
                if (l_link.deadEndDepth != 0) continue;
                const std::vector<CorridorLink>& l_beyond = l_link.target->links;
                const size_t l_all = l_beyond.size();
                size_t l_known = 0;
                size_t l_back = 0;
                int l_deepest = 0;
                const CorridorNode* l_lastUnknown = nullptr;
                for (const CorridorLink& l_other : l_beyond) {
                    if (l_other.deadEndDepth != 0) ++l_known;
                    if (l_other.target == l_from) {
                        ++l_back;
                    } else {
                        l_deepest = std::max(l_deepest, l_other.deadEndDepth);
                    }
                    if (l_other.deadEndDepth == 0) l_lastUnknown = l_other.target;
                }
                // Known once everything beyond the target, apart from the ways back, is known.
                const bool l_allKnown = l_known == l_all;
                const bool l_onlyWayBackUnknown = l_all == l_known + 1 && l_lastUnknown == l_from;
                const bool l_onlyWaysBackUnknown = l_all > l_known + 1 && l_back == l_all - l_known;
                if (l_allKnown || l_onlyWayBackUnknown || l_onlyWaysBackUnknown) {
                    l_link.deadEndDepth = l_deepest + 1;
                    l_changed = true;
                }
            }
        }
    }
}

void CorridorLookup::setDirectionEntry(size_t direction, const Maze::Position& position, CorridorNode* node) {
    if (direction >= m_byDirection.size()) throwBadDirection();
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
    if (direction >= m_byDirection.size()) throwBadDirection();
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
