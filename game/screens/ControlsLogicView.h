#pragma once
#include <cstdint>
#include <deque>
#include <string>

#include "engine/devices/Joypads.h"
#include "engine/inputrender/StringConvertor.h"
#include "game/screens/ScreenFrame.h"

namespace Zelmo {

// The CONTROLS state: the player rebinds the seven game controls (four directions, punch,
// shield and power) to a key, a mouse button or a joypad button. Taking a row's choice ("SET_"
// and the control) starts a capture: once everything is let go, the next single key, button or
// pad button becomes that control's binding of its kind; Escape keeps the old one, and so does
// a capture that waits a few seconds in vain. The labels show the bindings, which take effect
// when the screen is left.
class ControlsLogicView : public ScreenFrame, public Game::IStringConvertor {
public:
    // How long an input may stay held while a capture waits, before the capture gives up and
    // leaves the binding as it was: a stuck pad button must not lock the menu.
    static constexpr float kGiveUpMs = 4000.0f;
    // How long a capture waits for an input while nothing is pressed, before it gives up and
    // leaves the binding as it was: a player who only rests a pointer can press nothing.
    static constexpr float kNoInputGiveUpMs = 6000.0f;

    explicit ControlsLogicView(AppContext& context);
    ~ControlsLogicView() override;

    void enter(const Game::LogicEntry& previous, const std::string& command) override;
    std::string update(float dtMs) override;
    void leave(const std::string& reason) override;

    // The bindings' placeholders filled, and "[CAPTURE_HINT]" asking for the new input while a
    // capture waits for one; the text unchanged while another state runs.
    std::string convert(const std::string& text) override;

    // What one kind of input holds: nothing, exactly one input (its code) or several at once.
    struct Held {
        bool any = false;
        uint32_t single = 0;
    };
    // The pads' reading: the one button held when exactly one pad holds exactly one.
    static Held findSinglePadButton(const Devices::Joypads& pads);

    // True from the choice that starts a capture until the screen's menu works again.
    bool capturing() const { return m_phase != Phase::Idle; }
    const std::deque<std::string>& pageStack() const { return m_pageStack; }

private:
    enum class Phase {
        Idle,
        AwaitRelease,  // the input that took the choice is still held
        AwaitInput,    // the next single input held becomes the binding
        Settle,        // captured (or turned down): its input is let go before the menu works again
    };
    struct HeldInputs {
        Held key, mouse, joypad;
        bool any() const { return key.any || mouse.any || joypad.any; }
    };

    void startCapture(const std::string& control);
    void stepCapture(float dtMs);
    // True when the capture is over: the input was stored, turned down, or was Escape.
    bool takeInput(const HeldInputs& held);
    void endCapture();
    HeldInputs readHeldInputs() const;
    void reloadInputs();

    std::deque<std::string> m_pageStack;
    Phase m_phase = Phase::Idle;
    std::string m_captureSlot;
    std::string m_returnArea;
    // Whether the pointer had chosen the row the capture started from.
    bool m_pointerTookRow = false;
    // How long inputs have been held in a row without being taken.
    float m_heldMs = 0.0f;
    // How long the capture has waited for an input with nothing held.
    float m_idleMs = 0.0f;
};

}  // namespace Zelmo
