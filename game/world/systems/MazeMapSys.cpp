#include "game/world/systems/MazeMapSys.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/vector/AnimId.h"
#include "game/world/DisplayComps.h"
#include "game/world/GameLogic.h"
#include "game/world/systems/MazeMapDisplaySys.h"

namespace Zelmo {
namespace {

constexpr int kSoundMapOpens = 31;
// How far off the player may face a console and still read it, in degrees.
constexpr int kFacingTolerance = 30;

struct SideLook {
    float edgeX, edgeY;  // the middle of the cell's edge, in cells from its centre
    int pushX, pushY;    // the direction into the wall
    int animation;
    int angle;  // the player's facing that reads the console
};

constexpr SideLook kSides[4] = {
    {0.0f, -0.5f, 0, -1, AnimIds::MAP_NODE_N, 180},
    {0.0f, 0.5f, 0, 1, AnimIds::MAP_NODE_S, 0},
    {0.5f, 0.0f, 1, 0, AnimIds::MAP_NODE_E, 90},
    {-0.5f, 0.0f, -1, 0, AnimIds::MAP_NODE_W, 270},
};

// Edges that touch count.
bool overlaps(const IntBox& a, const IntBox& b) {
    return a.x <= b.x + b.w && a.x + a.w >= b.x && a.y <= b.y + b.h && a.y + a.h >= b.y;
}

// The box turned by -angle degrees, spanned by its two turned opposite corners.
IntBox turned(const IntBox& box, int angle) {
    const double radians = -double(angle) * 0.017453292;
    const float c = float(std::cos(radians));
    const float s = float(std::sin(radians));
    const float x0 = float(box.x), y0 = float(box.y);
    const float x1 = float(box.x + box.w), y1 = float(box.y + box.h);
    const float ax = x0 * c - y0 * s, bx = x1 * c - y1 * s;
    const float ay = x0 * s + y0 * c, by = x1 * s + y1 * c;
    return {int(std::min(ax, bx)), int(std::min(ay, by)), int(std::fabs(bx - ax)), int(std::fabs(by - ay))};
}

// The facing in the high nibble of the player's state code, as a heading.
int facingOf(int stateCode) {
    switch (stateCode & 0xf0) {
        case 32:
            return 180;
        case 48:
            return 270;
        case 64:
            return 90;
        default:
            return 0;
    }
}

}  // namespace

void MazeMapSys::init(GameLogic& logic, MazeMapDisplaySys& display, int regionsAcross, int regionsDown,
                      int terminalOffset) {
    m_logic = &logic;
    m_display = &display;
    m_regionsAcross = regionsAcross;
    m_regionsDown = regionsDown;
    m_terminalOffset = terminalOffset;
    m_terminals.clear();
    placeTerminals();
}

void MazeMapSys::addTerminal(int side, int cellX, int cellY) {
    const SideLook& look = kSides[side & 3];
    int x = cellX, y = cellY;
    m_logic->cellToWorld(x, y, look.edgeX, look.edgeY);
    x += look.pushX * m_terminalOffset;
    y += look.pushY * m_terminalOffset;
    ecs::Entity terminal = m_logic->createMapNode(x, y, look.animation);
    terminal.get<VectorComp>().angle = float(look.angle);
    MazeMapDisplayComp& shown = terminal.add<MazeMapDisplayComp>();
    shown.cellX = cellX;
    shown.cellY = cellY;
    CBoxComp& box = terminal.get<CBoxComp>();
    static_cast<IntBox&>(box) = turned(box, look.angle);
    const IntBox placed{x + box.x, y + box.y, box.w, box.h};
    for (const Terminal& other : m_terminals) {
        if (overlaps(placed, other.box)) return;
    }
    m_terminals.push_back({terminal, placed});
}

void MazeMapSys::placeTerminals() {
    const CellPos& start = m_logic->levelEntry().specialCells.front();
    addTerminal(2, start.x, start.y);
    if (m_regionsAcross <= 0 || m_regionsDown <= 0) return;

    const Maze::LevelParams& params = m_logic->params();
    const int width = params.cellsWide, height = params.cellsHigh;
    const int regionWidth = std::max(1, (width + m_regionsAcross - 1) / m_regionsAcross);
    const int regionHeight = std::max(1, (height + m_regionsDown - 1) / m_regionsDown);
    struct Candidate {
        int x, y, side;
    };
    std::vector<std::vector<Candidate>> regions(size_t(m_regionsAcross) * size_t(m_regionsDown));

    std::vector<Maze::Node*> nodes;
    Maze::collectNodes(m_logic->mazeData().getStartNode(), nodes);
    for (const Maze::Node* node : nodes) {
        const int x = node->getPosition()[0], y = node->getPosition()[1];
        for (int side = 0; side < 4; ++side) {
            if (!node->isExitClosed(side)) continue;
            const int nx = x + (side == 2) - (side == 3), ny = y + (side == 1) - (side == 0);
            const bool outside = nx < 0 || ny < 0 || nx >= width || ny >= height;
            if (!outside && !m_logic->isFreeCell(nx, ny)) continue;
            const size_t region = size_t(y / regionHeight) * size_t(m_regionsAcross) + size_t(x / regionWidth);
            if (region < regions.size()) regions[region].push_back({x, y, side});
        }
    }
    for (const std::vector<Candidate>& candidates : regions) {
        if (candidates.empty()) continue;
        const Candidate& chosen = candidates[m_logic->random().nextInt(uint32_t(candidates.size()))];
        addTerminal(chosen.side, chosen.x, chosen.y);
    }
}

bool MazeMapSys::atTerminal(const ecs::Entity& player) const {
    const int stateCode = player.get<PlayerComp>().stateCode;
    if ((stateCode & 7) != 0) return false;
    const PVAComp& at = player.get<PVAComp>();
    const CBoxComp& box = player.get<CBoxComp>();
    const IntBox reach{box.x + int(at.x), box.y + int(at.y), box.w, box.h};
    const int facing = facingOf(stateCode);
    for (const Terminal& terminal : m_terminals) {
        if (!overlaps(reach, terminal.box) || !terminal.entity.isValid()) continue;
        int off = int(terminal.entity.get<VectorComp>().angle) - facing;
        if (off > 180) off -= 360;
        if (off < -180) off += 360;
        if (std::abs(off) > kFacingTolerance) continue;
        int cellX = int(at.x), cellY = int(at.y);
        m_logic->worldToCell(cellX, cellY);
        const MazeMapDisplayComp& served = terminal.entity.get<MazeMapDisplayComp>();
        return cellX == served.cellX && cellY == served.cellY;
    }
    return false;
}

void MazeMapSys::update(float) {
    if (!m_logic || !m_display) return;
    bool on = false;
    for (const ecs::Entity& player : std::vector<ecs::Entity>(entities())) on = atTerminal(player);
    if (on == m_display->shown()) return;
    m_display->setShown(on);
    if (on) m_logic->playSound(kSoundMapOpens);
}

}  // namespace Zelmo
