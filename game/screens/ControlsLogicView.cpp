#include "game/screens/ControlsLogicView.h"

#include "engine/shell/AppContext.h"
#include "engine/shell/LogicController.h"
#include "engine/util/Fatal.h"
#include "engine/util/Text.h"
#include "game/config/Settings.h"
#include "game/input/InputReloader.h"
#include "game/screens/ControlBindings.h"

namespace Zelmo {
namespace {

constexpr int kBaseView = 136;
constexpr int kMenuView = 163;
const std::string kController = "CONTROLS";
const std::string kAnywhere = "ANYWHERE";
const std::string kBack = "BACK";
const std::string kDone = "DONE";
const std::string kDefaults = "DEFAULTS";
const std::string kSetPrefix = "SET_";
const std::string kDestructor = "DESTRUCTOR";

bool isSingleBit(uint32_t bits) { return bits != 0 && (bits & (bits - 1)) == 0; }

}  // namespace

ControlsLogicView::ControlsLogicView(AppContext& context) : ScreenFrame(context, {kBaseView, kMenuView, {kBaseView}}) {}

ControlsLogicView::~ControlsLogicView() { leave(kDestructor); }

void ControlsLogicView::enter(const Game::LogicEntry&, const std::string&) { enterFrame(kController, this); }

std::string ControlsLogicView::update(float dtMs) {
    if (capturing()) stepCapture(dtMs);
    Input::InputControllers& controllers = m_context.inputControllers();
    if (m_command == kDone || (m_command == kBack && m_pageStack.empty())) {
        reloadInputs();
        leave("THIS");
        return m_command;
    }
    if (m_command == kBack) {
        controllers.setCurrent(m_pageStack.back());
        m_pageStack.pop_back();
    } else if (m_command == kDefaults) {
        resetBindings();
    } else if (Util::startsWith(m_command, kSetPrefix)) {
        startCapture(Util::tail(m_command, kSetPrefix.size()));
    } else if (!m_command.empty()) {
        m_pageStack.push_back(controllers.getCurrentName());
        controllers.setCurrent(m_command);
    }
    m_command.clear();
    return m_command;
}

void ControlsLogicView::leave(const std::string& reason) {
    if (!m_display && !m_text) return;
    leaveFrame(reason != kDestructor);
}

std::string ControlsLogicView::convert(const std::string& text) {
    if (!isActive()) return text;
    std::string hint;
    if (m_phase == Phase::AwaitRelease || m_phase == Phase::AwaitInput) {
        hint = "PRESS THE NEW KEY OR BUTTON FOR " + std::string(findControl(m_captureSlot)->shown);
    }
    return Util::replaceAll(fillControlLabels(text), "[CAPTURE_HINT]", hint);
}

// A command that names no control can only come from a broken input file.
void ControlsLogicView::startCapture(const std::string& control) {
    if (!findControl(control)) Util::fatal("Unknown setting area:" + control);
    m_captureSlot = control;
    m_returnArea = m_context.inputControllers().getCurrentAreaName();
    m_pointerTookRow = false;
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) {
        m_pointerTookRow = controller->getInputHandler().pointerChoseArea();
        controller->gotoArea(kAnywhere);
    }
    m_phase = Phase::AwaitRelease;
    m_heldMs = 0.0f;
    m_idleMs = 0.0f;
}

// While a capture runs no menu item is lit, so the inputs pressed for it choose nothing, and
// what they would have chosen is dropped. It ends only once they are let go again, so that no
// release of the captured input reaches the menu either. A capture that waits too long for an
// input, or for one to be let go, gives up: the menu must never stay locked.
void ControlsLogicView::stepCapture(float dtMs) {
    m_command.clear();
    Input::InputController* controller = m_context.inputControllers().getCurrent();
    if (controller && controller->getCurrentAreaName() != kAnywhere) controller->gotoArea(kAnywhere);
    const HeldInputs held = readHeldInputs();
    if (!held.any()) {
        m_heldMs = 0.0f;
        if (m_phase == Phase::AwaitRelease) {
            m_phase = Phase::AwaitInput;
        } else if (m_phase == Phase::Settle) {
            endCapture();
        } else if ((m_idleMs += dtMs) >= kNoInputGiveUpMs) {
            endCapture();
        }
        return;
    }
    m_idleMs = 0.0f;
    if (m_phase == Phase::AwaitInput && takeInput(held)) {
        m_phase = Phase::Settle;
        m_heldMs = 0.0f;
        return;
    }
    m_heldMs += dtMs;
    if (m_heldMs >= kGiveUpMs) endCapture();
}

bool ControlsLogicView::takeInput(const HeldInputs& held) {
    const ControlSlots& slots = *findControl(m_captureSlot);
    if (held.key.any) {
        if (held.key.single == 0 || held.mouse.any || held.joypad.any) return false;
        if (held.key.single == Devices::KEY_ESCAPE) return true;
        // A key whose binding would not read back is turned down: the control keeps its input.
        if (const auto text = keyBindingText(KeyCode(held.key.single))) setPref(slots.keySetting, *text);
        return true;
    }
    if (held.mouse.any) {
        if (held.mouse.single == 0 || held.joypad.any) return false;
        // No mouse button walks: a direction keeps its bindings.
        if (!slots.mouseSetting.empty()) setPref(slots.mouseSetting, mouseBindingText(held.mouse.single));
        return true;
    }
    if (held.joypad.single == 0) return false;
    setPref(slots.joypadSetting, joypadBindingText(held.joypad.single));
    return true;
}

// The row is lit again for keys and buttons; a pointer that rested on it to take it must leave
// it and come back before its dwell takes it again.
void ControlsLogicView::endCapture() {
    m_phase = Phase::Idle;
    m_captureSlot.clear();
    m_heldMs = 0.0f;
    m_idleMs = 0.0f;
    if (Input::InputController* controller = m_context.inputControllers().getCurrent()) {
        controller->gotoArea(m_returnArea);
        if (m_pointerTookRow) controller->getInputHandler().holdDwellUntilPointerReturns();
    }
}

ControlsLogicView::HeldInputs ControlsLogicView::readHeldInputs() const {
    HeldInputs held;
    int keys = 0;
    for (int code = 0; code <= 255; ++code) {
        if (!m_context.keyboard().isDown(KeyCode(code))) continue;
        ++keys;
        held.key.single = uint32_t(code);
    }
    held.key.any = keys > 0;
    if (keys != 1) held.key.single = 0;

    const uint32_t buttons = uint32_t(m_context.pointerState().heldButtons);
    held.mouse.any = buttons != 0;
    held.mouse.single = isSingleBit(buttons) ? buttons : 0;

    held.joypad = findSinglePadButton(m_context.joypads());
    return held;
}

ControlsLogicView::Held ControlsLogicView::findSinglePadButton(const Devices::Joypads& pads) {
    Held held;
    int padsHolding = 0;
    for (int pad = 0; pad < Devices::Joypads::kPads; ++pad) {
        const uint32_t bits = pads.getState(pad);
        if (bits == 0) continue;
        ++padsHolding;
        held.single = isSingleBit(bits) ? bits : 0;
    }
    held.any = padsHolding > 0;
    if (padsHolding != 1) held.single = 0;
    return held;
}

void ControlsLogicView::reloadInputs() {
    if (auto* init = dynamic_cast<IInputReloader*>(m_context.logicController().find("INIT"))) init->reloadInputs();
}

}  // namespace Zelmo
