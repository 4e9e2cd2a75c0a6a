#include "engine/input/InputController.h"

#include "engine/input/ActionNames.h"

namespace Input {

InputController::InputController(const std::string& name, IActionHandler* actionHandler, IRefs* refs)
    : Util::NamedObject(name),
      m_actionHandler(actionHandler),
      m_switches(std::make_unique<SwitchController>()),
      m_areas(std::make_unique<ScreenAreaController>()),
      m_handler(std::make_unique<InputHandler>(*m_areas, *m_switches)),
      m_refs(refs) {}

// A key's release passes only when this controller passed its press: a press dropped during the
// cool-down leaves no trace, and a key still held from before this controller took over does
// not fire release actions here.
void InputController::onKey(KeyCode key, uint32_t modifiers, bool pressed) {
    if (pressed) {
        if (isCoolingDown()) return;
        m_keysDown[key] = true;
    } else {
        if (!m_keysDown[key]) {
            m_handler->noteRelease(TriggerId::makeKey(key, modifiers));
            return;
        }
        m_keysDown[key] = false;
    }
    m_handler->onKey(key, modifiers, pressed);
    processActions();
}

// Buttons follow the rule of keys; pointer moves and wheel steps are dropped during the cool-down.
void InputController::onMouse(float x, float y, double wheel, uint32_t buttons, bool pressed) {
    m_pointerAt.emplace(x, y);
    const bool release = !pressed && buttons != 0;
    if (release) {
        if ((m_buttonsDown & buttons) == 0) {
            m_handler->noteRelease(TriggerId::makeMouse(buttons));
            return;
        }
        m_buttonsDown &= ~buttons;
    } else {
        if (isCoolingDown()) return;
        if (pressed) m_buttonsDown |= buttons;
    }
    m_handler->onMouse(x, y, static_cast<int>(wheel), buttons, pressed);
    processActions();
}

void InputController::onJoypad(int pad, int x, int y, const std::vector<int>& buttons) {
    m_handler->onJoypad(pad, x, y, buttons, isCoolingDown());
    processActions();
}

void InputController::restPointer(const std::optional<InputHandler::PointerAt>& at) {
    m_pointerAt = at;
    m_handler->restPointer(at);
}

void InputController::tick(float ms) {
    m_handler->passTime(ms);
    if (!isCoolingDown()) m_handler->tick(ms);
    processActions();
    m_coolDownRemaining = m_coolDownRemaining - ms < 0 ? 0 : m_coolDownRemaining - ms;
}

void InputController::processActions() {
    const std::vector<ActionId> actions = m_handler->getActions();
    m_handler->clearActions();
    std::string target;
    if (m_actionHandler != nullptr) {
        for (const ActionId& action : actions) {
            if (action.getName() == kGotoArea) target = action.getParam();
            m_actionHandler->handleAction(action);
        }
    }
    if (!actions.empty()) m_coolDownRemaining = m_coolDown;
    if (!target.empty()) gotoArea(target);
}

void InputController::gotoArea(const std::string& name) {
    if (!m_handler->selectArea(name)) m_handler->reset(kAnywhere);
    processActions();
}

std::string InputController::getCurrentAreaName() const {
    const IScreenArea* current = m_handler->getCurrentArea();
    return current != nullptr ? current->getName() : std::string();
}

}  // namespace Input
