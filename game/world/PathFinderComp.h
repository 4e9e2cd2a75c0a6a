#pragma once
#include <cstdint>
#include <vector>

#include "engine/util/NonCopyable.h"

namespace Zelmo {

class GameLogic;
class CorridorLookup;
struct CorridorNode;

// One stop of a path: a maze cell and the exit bit (1 up, 2 down, 4 right, 8 left) that leaves
// the previous stop towards it; 0 when the way there is to be worked out on the spot.
struct PathPoint {
    int32_t x = 0;
    int32_t y = 0;
    int32_t direction = 0;
};

enum class PathState {
    NotStarted,
    Searching,
    Found,
    // No route, or the search ran into its expansion limit.
    NoPath,
    // No corridor node near the start or the goal, or memory ran out while expanding.
    CannotSearch,
};

// An A* search over the level's corridor graph (junctions and dead ends joined by corridors),
// run a step at a time so that a robot may spread a long search over several updates. Every
// choice it makes follows from the maze alone (insertion order, never memory addresses), so a
// game replays the same way.
class PathFinder : Util::NonCopyable {
public:
    // Junction costs may be below 0, and a loop of such junctions would lower its costs on every
    // lap for ever; so a search gives up as NoPath after this many expansions per corridor node
    // of the level (a search without such a loop needs far fewer).
    static constexpr int kExpansionsPerNode = 8;

    explicit PathFinder(const GameLogic& logic, int expansionsPerNode = kExpansionsPerNode);

    // World coordinates. Searching, or CannotSearch when no corridor node lies near either end
    // (the finder is then reset).
    PathState findPath(int startX, int startY, int goalX, int goalY);
    // One expansion; Found and NoPath come back unchanged at once. Ending in NoPath or
    // CannotSearch resets the finder.
    PathState step();
    PathState state() const { return m_state; }
    // Fills path from the start node to the goal, plus the goal's cell when the goal lies inside
    // a corridor; returns the expansions the search took. Empty unless the state is Found.
    int extractPath(std::vector<PathPoint>& path) const;
    // Frees the search; the state is left as it is.
    void reset();

private:
    struct SearchNode {
        const CorridorNode* corridor;
        int32_t direction;  // the exit bit that led here from the predecessor
        int32_t f;
        int32_t g;
        int32_t cameFrom;  // index of the predecessor, -1 for the start
    };

    PathState fail(PathState state);
    const CorridorNode* nodeNear(int cellX, int cellY, int targetX, int targetY, int& direction) const;
    void expand(int32_t index);
    const CorridorNode* corridorThrough(const CorridorNode& from, int exit, int bit) const;
    void prepareCostTable();
    bool lowerThanRecorded(const CorridorNode& node, int32_t cost);
    int32_t heuristic(const CorridorNode* node) const;
    void pushOpen(int32_t index);
    int32_t popOpen();

    const GameLogic& m_logic;
    const CorridorLookup* m_lookup = nullptr;
    PathState m_state = PathState::NotStarted;
    int m_steps = 0;
    int m_expansionsPerNode;
    int m_stepLimit = 0;
    const CorridorNode* m_goal = nullptr;
    PathPoint m_goalExtension;
    int32_t m_found = -1;
    std::vector<SearchNode> m_nodes;  // index = order of creation
    std::vector<int32_t> m_open;      // binary heap of node indices, smallest f on top
    // The lowest cost recorded so far per corridor node, by its maze cell (y * width + x).
    int m_width = 0;
    uint32_t m_search = 0;
    std::vector<int32_t> m_cost;
    std::vector<uint32_t> m_costSearch;  // the search that wrote the cost
};

// A path-following robot's finder and the path it follows.
struct PathFinderComp {
    explicit PathFinderComp(GameLogic& logic) : owner(&logic), finder(logic) {}

    // Starts a search from one world point to another; the old path is dropped. Searching, or
    // CannotSearch.
    PathState startSearch(int fromX, int fromY, int toX, int toY);
    // Runs up to maxSteps expansions of a search under way (any other state comes back as it
    // is, the path untouched). Found puts the path in place with next = 0; NoPath and
    // CannotSearch leave the path empty with next = -1 (a new search is wanted).
    PathState runSearch(int maxSteps);

    GameLogic* owner;
    PathFinder finder;
    std::vector<PathPoint> path;
    int32_t next = -1;  // index into path of the stop being walked to; -1 asks for a new search
};

}  // namespace Zelmo
