#include "game/startup/InputMethodLogic.h"

#include "engine/util/FlatText.h"

namespace Game {
namespace {

const std::string kFirstQuestion = "INPUT-METHOD";

}  // namespace

void InputMethodLogic::receive(const Zelmo::LogicReturnEvent& event) { m_pending = Util::toStdString(event.command()); }

void InputMethodLogic::enter(const LogicEntry&, const std::string&) {
    m_controllers.setCurrent(kFirstQuestion);
    m_pending.clear();
}

std::string InputMethodLogic::update(float) {
    if (m_pending == "PICK") {
        m_controllers.setCurrent("SWITCH-OR-HEAD");
        m_pending.clear();
    } else if (m_pending == "PICK-SWITCH") {
        m_controllers.setCurrent("PICK-SWITCH");
        m_pending.clear();
    }
    if (!m_pending.empty()) leave("THIS");
    return m_pending;
}

void InputMethodLogic::leave(const std::string&) { m_controllers.setCurrent(kFirstQuestion); }

}  // namespace Game
