#include "tests/game/world/SimulatedPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/InputControllers.h"
#include "engine/input/ScreenAreaController.h"
#include "engine/input/SwitchController.h"
#include "game/config/InputMethods.h"
#include "game/input/GetExternalTrigger.h"
#include "game/input/GlobalInputRefs.h"
#include "game/input/InputActionHandler.h"
#include "game/world/PlayerComps.h"

namespace WorldTest {
namespace {

constexpr KeyCode kSwitch = Devices::KEY_SPACE;
constexpr const char* kHeldSuffix = "_HELD";

int directionBit(const char* direction) {
    if (!direction) return 0;
    if (std::strcmp(direction, "UP") == 0) return 1;
    if (std::strcmp(direction, "DN") == 0) return 2;
    if (std::strcmp(direction, "LF") == 0) return 4;
    return 8;
}

std::string boxOf(const char* direction) {
    switch (directionBit(direction)) {
        case 1:
            return "UP";
        case 2:
            return "DOWN";
        case 4:
            return "LEFT";
        default:
            return "RIGHT";
    }
}

// The box a held twin keeps lit.
std::string litBox(const std::string& area) {
    const size_t suffix = area.rfind(kHeldSuffix);
    return suffix != std::string::npos && suffix + std::strlen(kHeldSuffix) == area.size() ? area.substr(0, suffix)
                                                                                           : area;
}

}  // namespace

bool loadGameControls(WorldHarness& harness, const std::string& method) {
    Zelmo::installKeyBindings();
    Input::InputControllers& controllers = harness.context().inputControllers();
    controllers.setActionHandler(std::make_shared<Zelmo::InputActionHandler>(nullptr));
    Zelmo::GlobalInputRefs refs;
    return controllers.loadSchema("data/InputConfig.fbs") &&
           refs.load("data/Accessibility.fbs", "data/accessibility") &&
           controllers.load("GAME", "data/input/" + method + "/GAME.json", &refs);
}

SimulatedPlayer::SimulatedPlayer(WorldHarness& harness, const std::string& method)
    : m_harness(harness), m_method(method) {}

Input::InputController& SimulatedPlayer::controls() { return *m_harness.context().inputControllers().getCurrent(); }

void SimulatedPlayer::want(const Intent& intent) { m_intent = intent; }

// The key or switch is let go of at the first step a reaction after the change; the pointer then
// glides off the band it rests on, from its middle towards the screen's.
float SimulatedPlayer::lagMs() const {
    float lag = std::ceil(kReactionMs / WorldHarness::kStepMs) * WorldHarness::kStepMs;
    if (m_method != Zelmo::kHeadTrackerMethod || m_pointedAt.empty()) return lag;
    Input::InputController& controls = *m_harness.context().inputControllers().getCurrent();
    const Input::AreaRect box = controls.getScreenAreaController().find(m_pointedAt)->getRect();
    const float fromX = box.x + box.width / 2.0f, fromY = box.y + box.height / 2.0f;
    for (float along = 0.0f; along < 1.0f; lag += WorldHarness::kStepMs) {
        along = std::min(along + WorldHarness::kStepMs / kTravelMs, 1.0f);
        const float x = fromX + (50.0f - fromX) * along, y = fromY + (50.0f - fromY) * along;
        if (x < box.x || x >= box.x + box.width || y < box.y || y >= box.y + box.height) break;
    }
    return lag;
}

std::string SimulatedPlayer::goal() {
    if (!m_intent.punch) return m_intent.direction ? boxOf(m_intent.direction) : "";
    const Zelmo::PlayerComp& player = m_harness.logic().player().get<Zelmo::PlayerComp>();
    const int facing = player.lastDirection & 15;
    if (m_intent.direction && facing != directionBit(m_intent.direction)) return boxOf(m_intent.direction);
    return "PUNCH";
}

// The player may be kept from crouching (a robot or a door it touches ends the crouch at once):
// the punch held is then what the hands do, whatever the player makes of it.
bool SimulatedPlayer::holdsPunch() {
    if (m_lit != "PUNCH") return false;
    if (m_method == Zelmo::kHeadTrackerMethod) return m_travelSince < 0.0f && m_clock >= m_restSince + dwellOn(m_lit);
    return m_down;
}

// Each control has its own rest before it acts: the shortest of its dwell switches that do
// something; a control without one acts as the pointer enters it.
float SimulatedPlayer::dwellOn(const std::string& area) {
    Input::InputController& current = controls();
    std::vector<Input::Switch*> dwells;
    current.getSwitchController().findSwitches(dwells, *current.getScreenAreaController().find(area),
                                               Input::TriggerType::DWELL);
    float dwell = 0.0f;
    bool found = false;
    for (const Input::Switch* dwelling : dwells) {
        if (dwelling->getActions().press.empty()) continue;
        const float ms = float(dwelling->getTrigger().getDwellTime());
        dwell = found ? std::min(dwell, ms) : ms;
        found = true;
    }
    return dwell;
}

bool SimulatedPlayer::settled() {
    const ecs::Entity& entity = m_harness.logic().player();
    const Zelmo::PlayerComp& player = entity.get<Zelmo::PlayerComp>();
    const bool punching = entity.get<Zelmo::FireComp>().isDown[0] || holdsPunch();
    if (!m_intent.punch) return !punching && player.heldDirections == directionBit(m_intent.direction);
    const bool facing = !m_intent.direction || (player.lastDirection & 15) == directionBit(m_intent.direction);
    return punching && facing && player.heldDirections == 0;
}

void SimulatedPlayer::beforeStep() {
    const std::string wanted = goal();
    if (wanted != m_goal) {
        // A goal that moves on and on is still one that has left the box held: the reaction to
        // that runs from the first move, also when that move was to let go.
        const bool stillAway = (m_down || !m_goal.empty()) && m_goal != m_lit && wanted != m_lit;
        m_goal = wanted;
        if (!stillAway) m_goalSince = m_clock;
    }
    const std::string lit = litBox(controls().getCurrentAreaName());
    if (lit != m_lit) {
        m_lit = lit;
        m_litSince = m_clock;
    }
    if (m_method == Zelmo::kOneKeyMethod) {
        oneKey();
    } else if (m_method == Zelmo::kOneSwitchMethod) {
        oneSwitch();
    } else {
        headTracker();
    }
    controls().tick(WorldHarness::kStepMs);
    m_clock += WorldHarness::kStepMs;
}

// A finger that has just let go takes a moment to press again, whatever it sees.
void SimulatedPlayer::press() {
    if (m_clock < m_releasedAt + kTapMs) return;
    controls().onKey(kSwitch, 0, true);
    m_down = true;
    m_downSince = m_clock;
    m_presses += 1;
}

void SimulatedPlayer::release() {
    controls().onKey(kSwitch, 0, false);
    m_releasedAt = m_clock;
    m_down = false;
    m_tapping = false;
}

// The key is held while the goal's box is lit and let go of once the goal has moved on.
void SimulatedPlayer::oneKey() {
    if (m_down) {
        if (m_lit != m_goal && reacted(m_goalSince)) release();
        return;
    }
    if (!m_goal.empty() && m_lit == m_goal && reacted(std::max(m_litSince, m_goalSince))) press();
}

// A tap lights the next box; a hold on the goal's box does it once its countdown has filled.
void SimulatedPlayer::oneSwitch() {
    if (m_down) {
        const bool done = m_tapping ? m_clock >= m_downSince + kTapMs : m_lit != m_goal && reacted(m_goalSince);
        if (done) release();
        return;
    }
    if (m_goal.empty() || !reacted(std::max(m_litSince, m_goalSince))) return;
    press();
    m_tapping = m_down && m_lit != m_goal;
}

// The pointer sets off for the goal's box, or the still middle, once the player has taken in
// the change, and glides there.
void SimulatedPlayer::headTracker() {
    float toX = 50.0f, toY = 50.0f;
    if (!m_goal.empty()) {
        const Input::AreaRect box = controls().getScreenAreaController().find(m_goal)->getRect();
        toX = box.x + box.width / 2.0f;
        toY = box.y + box.height / 2.0f;
    }
    if (m_x == toX && m_y == toY) {
        m_travelSince = -1.0f;
        // A pointer that came to rest while the game changed screens has not moved onto the
        // control for it: the player sees nothing happen and nudges the pointer.
        const bool unheeded = !m_goal.empty() && m_lit != m_goal && reacted(m_restSince);
        if (m_clock == 0.0f || unheeded) {
            pointAt(m_x, m_y + 0.1f);
            pointAt(toX, toY);
            m_restSince = m_clock;
        }
        return;
    }
    if (m_travelSince < 0.0f || m_pointedAt != m_goal) {
        if (!reacted(m_goalSince)) return;
        m_travelSince = m_clock;
        m_fromX = m_x;
        m_fromY = m_y;
        m_pointedAt = m_goal;
    }
    const float along = std::min((m_clock - m_travelSince + WorldHarness::kStepMs) / kTravelMs, 1.0f);
    pointAt(along < 1.0f ? m_fromX + (toX - m_fromX) * along : toX,
            along < 1.0f ? m_fromY + (toY - m_fromY) * along : toY);
    if (along >= 1.0f) {
        m_restSince = m_clock + WorldHarness::kStepMs;
        if (!m_goal.empty()) m_presses += 1;
    }
}

void SimulatedPlayer::pointAt(float x, float y) {
    m_x = x;
    m_y = y;
    controls().onMouse(x, y, 0, 0, false);
}

}  // namespace WorldTest
