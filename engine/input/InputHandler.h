#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/ActionId.h"
#include "engine/input/IScreenArea.h"
#include "engine/input/IScreenAreaRenderer.h"
#include "engine/input/ScreenAreaController.h"
#include "engine/input/SwitchController.h"
#include "engine/util/NonCopyable.h"

namespace Input {

// Turns device events into triggers for the switches of the current area, keeps which area is
// current (the pointer chooses it, or an action names it) and collects the actions fired.
class InputHandler : Util::NonCopyable {
public:
    // Neither controller is owned; both must outlive the handler.
    InputHandler(ScreenAreaController& areas, SwitchController& switches);
    ~InputHandler() = default;

    // Makes the named area current without leaving the old one and drops the actions that
    // entering it fires; every button and joypad bit held now has its next release ignored.
    // Whether there is a current area afterwards.
    bool reset(const std::string& name);
    // "[GOTOCURAREA]" leaves and re-enters the current area. Whether there is a current area
    // afterwards (none when no area has the name).
    bool selectArea(const std::string& name);
    // Fractions of a millisecond are carried over to the next tick.
    void tick(float ms);
    // The time that passes for the debounce: every frame's, also while the controller's
    // cool-down holds the switches' timers.
    void passTime(float ms);
    // x and y in percent of the window; buttons are the changed button bits. A pointer that
    // has not moved since its screen opened chooses nothing (buttons and wheel still count); a
    // pointer that leaves every visible area stops the dwell of the area it chose, which stays
    // current for buttons and keys.
    void onMouse(float x, float y, int wheel, uint32_t buttons, bool pressed);
    // With releasesOnly, bits newly set are not reported yet, so they fire once they are seen
    // set later.
    void onJoypad(int pad, int x, int y, const std::vector<int>& buttons, bool releasesOnly = false);
    // A key, button or pad bit pressed again sooner after its last release than the debounce
    // time of the switches it fires (SwitchController::debounceTime) is bouncing: that press is
    // ignored, and so is its release. A press still held once that time has passed since the
    // release is taken then: after a stall the release and the next press arrive together.
    void onKey(KeyCode key, uint32_t modifiers, bool pressed);
    // A release that is not passed on (its press came before this controller was current) is
    // still the last release of its key or button, which a bounce follows closely.
    void noteRelease(const TriggerId& event);
    const std::vector<ActionId>& getActions() const { return m_actions; }
    void clearActions() { m_actions.clear(); }
    // Leaves the current area (when there is one) and enters the new one (when not null).
    void setArea(IScreenArea* area);
    // Where the pointer was last reported, in percent of the window.
    using PointerAt = std::pair<float, float>;
    // The pointer counts as resting from now on, until a report finds it elsewhere than where it
    // rests: a pointer that merely lies over a choice when a screen opens is no choice, but its
    // first move, onto a choice or not, is. Where it rests is the place given (the window's last
    // report, when known); else it is where the next report finds it.
    void restPointer(const std::optional<PointerAt>& at = std::nullopt);
    // The current area stays current for keys and buttons, but its dwell waits until the pointer
    // has left it and come back (or moved on to another area): a choice that keeps its area
    // current is not taken again and again by a pointer that merely rests on it.
    void holdDwellUntilPointerReturns();
    // Whether the pointer chose the current area, rather than a key, a button or an action.
    bool pointerChoseArea() const { return m_pointerChose; }
    // Draws the areas, with the countdowns of the current area's switches nearest to firing.
    void render(IScreenAreaRenderer& renderer) const;

    IScreenArea* getCurrentArea() const { return m_currentArea; }
    ScreenAreaController& getScreenAreaController() const { return m_areas; }
    SwitchController& getSwitchController() const { return m_switches; }

    // The joypad bit set made from one pad's report: stick, d-pad (button values 10 to 13),
    // buttons 0 to 3, and two extra bits for button values 6 and 7.
    static uint32_t joypadBits(int x, int y, const std::vector<int>& buttons);

private:
    static constexpr size_t kMouseLatches = 3;
    static constexpr size_t kJoypadLatches = 14;

    // Each pad is followed on its own: one pad at rest must not undo another's held bits.
    struct PadState {
        uint32_t bits = 0;
        std::array<bool, kJoypadLatches> releaseLatches{};
    };

    // Whether the event passes its release latch; the latch is cleared either way.
    static bool passLatch(bool& latch, bool pressed);
    // Whether the pointer has moved since it began to rest, noting where it is.
    bool notePointer(float x, float y);
    // Whether the device event passes the debounce, noting the release or the ignored press.
    bool passDebounce(const TriggerId& event, bool pressed);

    // One key, button or pad bit, for the debounce.
    struct Bounce {
        bool released = false;
        double releasedAt = 0;
        bool pressIgnored = false;
        // The ignored press while it is still held.
        std::optional<TriggerId> heldPress;
    };
    // Takes the ignored presses still held once the debounce time has passed: they were real.
    void takeHeldPresses();

    ScreenAreaController& m_areas;
    SwitchController& m_switches;
    IScreenArea* m_currentArea = nullptr;
    // Where the pointer rests, and whether it has moved since it began to.
    std::optional<PointerAt> m_restingAt;
    bool m_pointerMoved = false;
    // The current area was chosen by the pointer, and the pointer has since left every area.
    bool m_pointerChose = false;
    bool m_pointerAway = false;
    std::map<int, PadState> m_pads;
    std::array<bool, kMouseLatches> m_mouseLatches{};
    float m_carriedMs = 0;
    double m_clockMs = 0;
    // By trigger type and key code, button bits or pad bit.
    std::map<uint64_t, Bounce> m_bounces;
    std::vector<ActionId> m_actions;
};

}  // namespace Input
