#include "engine/input/InputHandler.h"

#include "engine/input/ActionNames.h"
#include "engine/input/TriggerId.h"

namespace Input {
namespace {

// The order in which a joypad report's bits are examined; the release latches follow it.
constexpr std::array<uint32_t, 14> kJoypadBitOrder = {4, 8, 1, 2, 64, 128, 16, 32, 256, 512, 1024, 2048, 4096, 8192};

bool buttonDown(const std::vector<int>& buttons, size_t index) { return index < buttons.size() && buttons[index] != 0; }

// The key, button or pad bit of a device event, whatever its modifiers or the other pad bits.
uint64_t inputOf(const TriggerId& event) {
    const uint32_t which = event.getKey() | event.getMouseButton() | event.getJpadBits();
    return uint64_t(event.getType()) << 32 | which;
}

}  // namespace

InputHandler::InputHandler(ScreenAreaController& areas, SwitchController& switches)
    : m_areas(areas), m_switches(switches) {}

void InputHandler::setArea(IScreenArea* area) {
    if (m_currentArea != nullptr) m_switches.leaveArea(m_actions, *m_currentArea);
    if (area != nullptr) m_switches.enterArea(m_actions, *area);
    m_currentArea = area;
    m_pointerChose = false;
    m_pointerAway = false;
}

void InputHandler::restPointer(const std::optional<PointerAt>& at) {
    m_restingAt = at;
    m_pointerMoved = false;
}

void InputHandler::holdDwellUntilPointerReturns() {
    if (m_currentArea == nullptr) return;
    m_switches.stopDwell(*m_currentArea);
    // As for a dwell the pointer started: leaving every area and coming back enters it afresh.
    m_pointerChose = true;
    m_pointerAway = false;
}

bool InputHandler::notePointer(float x, float y) {
    if (!m_pointerMoved) {
        if (!m_restingAt) {
            m_restingAt.emplace(x, y);
        } else if (m_restingAt->first != x || m_restingAt->second != y) {
            m_pointerMoved = true;
        }
    }
    return m_pointerMoved;
}

bool InputHandler::selectArea(const std::string& name) {
    setArea(name == kCurrentAreaParam ? m_currentArea : m_areas.find(name));
    return m_currentArea != nullptr;
}

bool InputHandler::reset(const std::string& name) {
    m_currentArea = nullptr;
    const bool found = selectArea(name);
    clearActions();
    m_mouseLatches.fill(true);
    for (auto& pad : m_pads) pad.second.releaseLatches.fill(true);
    return found;
}

void InputHandler::tick(float ms) {
    if (m_currentArea == nullptr) return;
    takeHeldPresses();
    m_carriedMs += ms;
    const int whole = static_cast<int>(m_carriedMs);
    m_carriedMs -= static_cast<float>(whole);
    m_switches.tick(m_actions, *m_currentArea, whole);
}

void InputHandler::passTime(float ms) { m_clockMs += double(ms); }

bool InputHandler::passDebounce(const TriggerId& event, bool pressed) {
    Bounce& input = m_bounces[inputOf(event)];
    if (!pressed) {
        const bool passes = !input.pressIgnored;
        input = {true, m_clockMs, false, std::nullopt};
        return passes;
    }
    input.pressIgnored = input.released && m_clockMs - input.releasedAt < double(m_switches.debounceTime(event));
    if (input.pressIgnored) input.heldPress = event;
    return !input.pressIgnored;
}

void InputHandler::takeHeldPresses() {
    for (auto& [input, bounce] : m_bounces) {
        if (!bounce.heldPress) continue;
        const TriggerId event = *bounce.heldPress;
        if (m_clockMs - bounce.releasedAt < double(m_switches.debounceTime(event))) continue;
        bounce.pressIgnored = false;
        bounce.heldPress.reset();
        m_switches.trigger(m_actions, *m_currentArea, event, true);
    }
}

void InputHandler::noteRelease(const TriggerId& event) { m_bounces[inputOf(event)] = {true, m_clockMs, false, std::nullopt}; }

void InputHandler::onKey(KeyCode key, uint32_t modifiers, bool pressed) {
    const TriggerId event = TriggerId::makeKey(key, modifiers);
    if (!passDebounce(event, pressed) || m_currentArea == nullptr) return;
    m_switches.trigger(m_actions, *m_currentArea, event, pressed);
}

bool InputHandler::passLatch(bool& latch, bool pressed) {
    const bool passes = pressed || !latch;
    latch = false;
    return passes;
}

void InputHandler::onMouse(float x, float y, int wheel, uint32_t buttons, bool pressed) {
    if (!notePointer(x, y) && wheel == 0 && buttons == 0) return;
    // Outside every visible area the current area stays, so that a user who scans with a
    // mouse button is never left without one; but a pointer resting on nothing takes nothing.
    IScreenArea* under = m_areas.areaAt(true, x, y);
    if (under == nullptr) {
        if (m_pointerChose && !m_pointerAway) {
            m_switches.stopDwell(*m_currentArea);
            m_pointerAway = true;
        }
    } else if (under != m_currentArea || m_pointerAway) {
        setArea(under);
        m_pointerChose = true;
        return;
    }
    if (m_currentArea == nullptr) return;
    if (wheel != 0) {
        const TriggerType step = wheel > 0 ? TriggerType::WHEEL_UP : TriggerType::WHEEL_DN;
        m_switches.trigger(m_actions, *m_currentArea, TriggerId(step), true);
        return;
    }
    size_t latch = 0;
    switch (buttons) {
        case Devices::MOUSE_LEFT:
            latch = 0;
            break;
        case Devices::MOUSE_MIDDLE:
            latch = 1;
            break;
        case Devices::MOUSE_RIGHT:
            latch = 2;
            break;
        default:
            return;
    }
    const TriggerId event = TriggerId::makeMouse(buttons);
    if (passLatch(m_mouseLatches[latch], pressed) && passDebounce(event, pressed)) {
        m_switches.trigger(m_actions, *m_currentArea, event, pressed);
    }
}

uint32_t InputHandler::joypadBits(int x, int y, const std::vector<int>& buttons) {
    uint32_t bits = 0;
    if (y > 0) bits |= Devices::JPAD_UP;
    if (y < 0) bits |= Devices::JPAD_DN;
    if (x < 0) bits |= Devices::JPAD_LF;
    if (x > 0) bits |= Devices::JPAD_RT;
    if (buttonDown(buttons, 10)) bits |= Devices::JPAD_DPAD_UP;
    if (buttonDown(buttons, 12)) bits |= Devices::JPAD_DPAD_DN;
    if (buttonDown(buttons, 13)) bits |= Devices::JPAD_DPAD_LF;
    if (buttonDown(buttons, 11)) bits |= Devices::JPAD_DPAD_RT;
    if (buttonDown(buttons, 0)) bits |= Devices::JPAD_B1;
    if (buttonDown(buttons, 1)) bits |= Devices::JPAD_B2;
    if (buttonDown(buttons, 2)) bits |= Devices::JPAD_B3;
    if (buttonDown(buttons, 3)) bits |= Devices::JPAD_B4;
    if (buttonDown(buttons, 6)) bits |= 4096;
    if (buttonDown(buttons, 7)) bits |= 8192;
    return bits;
}

void InputHandler::onJoypad(int pad, int x, int y, const std::vector<int>& buttons, bool releasesOnly) {
    if (m_currentArea == nullptr) return;
    PadState& state = m_pads[pad];
    const uint32_t reported = joypadBits(x, y, buttons);
    const uint32_t now = releasesOnly ? (reported & state.bits) : reported;
    for (size_t i = 0; i < kJoypadBitOrder.size(); ++i) {
        const uint32_t bit = kJoypadBitOrder[i];
        const bool set = (now & bit) != 0;
        if (!passLatch(state.releaseLatches[i], set)) continue;
        if (set == ((state.bits & bit) != 0)) continue;
        const TriggerId event = TriggerId::makeJoypad(bit, now, now);
        if (passDebounce(event, set)) m_switches.trigger(m_actions, *m_currentArea, event, set);
    }
    state.bits = now;
}

}  // namespace Input
