#include "engine/data/Globals.h"
#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/GameLogic.h"
#include "game/world/LifeComps.h"
#include "game/world/MotionComps.h"
#include "game/world/factories/CubicFades.h"

// What the player's touches set off: freeing a prisoner, draining a boss node; and the way
// through the maze that robots choose.
namespace Zelmo {
namespace {

constexpr int kFreedAnimation = 25;
constexpr int kRescueBeam = 8;
constexpr float kRescueGlowMs = 2000.0f;
constexpr int kRescueRobotType = 13;
constexpr int kSoundPrisonerFreed = 32;
constexpr int kSoundRescueRobot = 33;
// The voice naming the maze quarter the player stands in.
constexpr int kSoundQuarterLowLow = 48;
constexpr int kSoundQuarterHighLow = 49;
constexpr int kSoundQuarterLowHigh = 50;
constexpr int kSoundQuarterHighHigh = 51;
constexpr int kSoundBossNode = 19;
constexpr int kZappedKind = 3;
constexpr float kBossChargeFactor = 3.0f;

}  // namespace

void GameLogic::rescuePrisoner(ecs::Entity prisoner) {
    AnimationComp& animation = prisoner.get<AnimationComp>();
    animation.animation = kFreedAnimation;
    animation.frame = 0;
    animation.frameTime = 0;
    animation.advanceNow = true;

    if (prisoner.has<BeamComp>()) {
        if (prisoner.has<FXsComp>()) prisoner.get<FXsComp>().removeTargetsOf(prisoner.get<BeamComp>());
        prisoner.remove<BeamComp>();
        prisoner.activate();
        m_world->refresh();
    }
    addBeam(kRescueBeam, prisoner, 0.0f, -50.0f, 0.0f, 1000.0f, 20.0f, false);
    easeTo(prisoner.get<FXsComp>(), prisoner.get<VectorComp>().thickness, 5.0f, kRescueGlowMs);

    m_prisonersLeft -= 1;
    m_textInfoSys.showPrisonersLeft(m_prisonersLeft);
    playSound(kSoundPrisonerFreed);

    const PVAComp& at = m_player.get<PVAComp>();
    int cellX = int(at.x), cellY = int(at.y);
    worldToCell(cellX, cellY);
    const bool lowX = cellX < m_params.cellsWide / 2;
    const bool lowY = cellY < m_params.cellsHigh / 2;
    playSound(lowY ? (lowX ? kSoundQuarterLowLow : kSoundQuarterHighLow)
                   : (lowX ? kSoundQuarterLowHigh : kSoundQuarterHighHigh));
    playSound(kSoundRescueRobot);

    // The rescue robot sets off from the cell beside the start, inside the maze on the top row too.
    const CellPos& start = m_levelEntry.specialCells.front();
    int x = start.x;
    int y = start.y > 0 ? start.y - 1 : start.y + 1;
    cellToWorld(x, y, 0.0f, 0.0f);
    createRobot(kRescueRobotType, x, y);
}

void GameLogic::onBossNodeTouched(const ecs::Entity& node) {
    if (!markForKill(node)) return;
    ZappedComp& charge = m_player.get<ZappedComp>();
    charge.kind = kZappedKind;
    charge.factorFrom = kBossChargeFactor;
    charge.factorTo = kBossChargeFactor;
    charge.remaining = float(Globals::getInt("KILLBOSSTIME")) * 1000.0f;

    const PVAComp& at = node.get<PVAComp>();
    int cellX = int(at.x), cellY = int(at.y);
    worldToCell(cellX, cellY);
    playSound(kSoundBossNode);

    m_bossNodesLeft -= 1;
    // The last node never goes for good: one comes back where the one before it was touched.
    if (m_bossNodesLeft == 0) createBossNode(m_lastBossNodeCell.first, m_lastBossNodeCell.second);
    m_lastBossNodeCell = {cellX, cellY};
}

int GameLogic::chooseDirection(int cx, int cy, int tx, int ty, bool allowDeadEnds, int excluded) const {
    const int exits = exitsAt(cx, cy);
    const int exitCount = (exits & 1) + ((exits >> 1) & 1) + ((exits >> 2) & 1) + ((exits >> 3) & 1);
    if (cx == tx && cy == ty) return 0;
    int best = 0;
    long long nearest = 999999999;
    for (int bit : {2, 1, 4, 8}) {
        if (!(exits & bit) || (bit == excluded && exitCount != 1)) continue;
        int x = cx, y = cy;
        const int links = followCorridor(x, y, bit);
        if (links == 0 || (!allowDeadEnds && links <= 1)) continue;
        const long long dx = tx - x, dy = ty - y;
        const long long distance = dx * dx + dy * dy;
        if (distance < nearest) {
            best = bit;
            nearest = distance;
        }
    }
    return best;
}

}  // namespace Zelmo
