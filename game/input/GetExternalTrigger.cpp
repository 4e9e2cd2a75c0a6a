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

std::string bindingSettingOf(KeyCode key, uint32_t mouseButtons, uint32_t joypadBits) {
    if (key != 0) return Setting::kKeyBindingPrefix + Devices::KeyboardStrings::instance().getKeyNames().nameOf(key);
    if (mouseButtons != 0) {
        return Setting::kMouseBindingPrefix + Devices::MouseStrings::instance().getNames().nameOf(mouseButtons);
    }
    if (joypadBits != 0) {
        return Setting::kJoypadBindingPrefix + Devices::JoypadStrings::instance().getNames().nameOf(joypadBits);
    }
    return {};
}

Input::TriggerId GetExternalTrigger::getKeyTrigger(KeyCode key) { return boundTrigger(bindingSettingOf(key, 0, 0)); }

Input::TriggerId GetExternalTrigger::getMouseTrigger(uint32_t buttons) {
    return boundTrigger(bindingSettingOf(0, buttons, 0));
}

Input::TriggerId GetExternalTrigger::getJoypadTrigger(uint32_t bits) {
    return boundTrigger(bindingSettingOf(0, 0, bits));
}

void installKeyBindings() {
    static GetExternalTrigger s_bindings;
    Input::TriggerId::externals = &s_bindings;
}

}  // namespace Zelmo
