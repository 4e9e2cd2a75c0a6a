#include "game/input/GetExternalTrigger.h"

#include "engine/devices/JoypadStrings.h"
#include "engine/devices/KeyboardStrings.h"
#include "engine/devices/MouseStrings.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {
namespace {

// An absent or empty binding, or one of an unknown kind, is a fatal stop in fromText.
Input::TriggerId boundTrigger(const std::string& slot) { return Input::TriggerId::fromText(getPref(slot)); }

}  // namespace

Input::TriggerId GetExternalTrigger::getKeyTrigger(KeyCode key) {
    return boundTrigger(Setting::kKeyBindingPrefix + Devices::KeyboardStrings::instance().getKeyNames().nameOf(key));
}

Input::TriggerId GetExternalTrigger::getMouseTrigger(uint32_t buttons) {
    return boundTrigger(Setting::kMouseBindingPrefix + Devices::MouseStrings::instance().getNames().nameOf(buttons));
}

Input::TriggerId GetExternalTrigger::getJoypadTrigger(uint32_t bits) {
    return boundTrigger(Setting::kJoypadBindingPrefix + Devices::JoypadStrings::instance().getNames().nameOf(bits));
}

void installKeyBindings() {
    static GetExternalTrigger s_bindings;
    Input::TriggerId::externals = &s_bindings;
}

}  // namespace Zelmo
