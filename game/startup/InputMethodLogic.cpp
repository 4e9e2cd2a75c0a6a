#include "game/startup/InputMethodLogic.h"

#include "engine/util/FlatText.h"
#include "game/config/InputMethods.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"
#include "game/startup/InitLogic.h"

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
    if (Zelmo::isInputMethod(m_pending)) {
        // Saved now: a player who cannot reach the menu's quit (a head tracker that only dwells)
        // may well end the game by closing its window, and must not have to choose again.
        Zelmo::setPref(Zelmo::Setting::kInputMethod, m_pending);
        Zelmo::savePreferences(m_preferencesPath);
    }
    if (!m_pending.empty()) leave("THIS");
    return m_pending;
}

// No controller is registered under the empty name: nothing is drawn and input goes nowhere
// until the next state makes its own controller current.
void InputMethodLogic::leave(const std::string&) { m_controllers.setCurrent(""); }

}  // namespace Game
