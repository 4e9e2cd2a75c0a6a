#include "game/screens/ControlBindings.h"

#include <cctype>

#include "engine/devices/JoypadStrings.h"
#include "engine/devices/KeyboardStrings.h"
#include "engine/devices/MouseStrings.h"
#include "engine/input/TriggerId.h"
#include "engine/util/Text.h"
#include "game/config/SettingKeys.h"
#include "game/config/Settings.h"

namespace Zelmo {

const std::array<ControlSlots, 7>& controlSlots() {
    using namespace Setting;
    static const std::array<ControlSlots, 7> s_slots = {{
        {"UP", "UP", kKeyBindingPrefix + "W", "", kJoypadBindingPrefix + "DPAD_UP"},
        {"DN", "DOWN", kKeyBindingPrefix + "S", "", kJoypadBindingPrefix + "DPAD_DN"},
        {"LF", "LEFT", kKeyBindingPrefix + "A", "", kJoypadBindingPrefix + "DPAD_LF"},
        {"RT", "RIGHT", kKeyBindingPrefix + "D", "", kJoypadBindingPrefix + "DPAD_RT"},
        {"ACT0", "PUNCH", kKeyBindingPrefix + "P", kMouseBindingPrefix + "LMB", kJoypadBindingPrefix + "B1"},
        {"ACT1", "SHIELD", kKeyBindingPrefix + "L", kMouseBindingPrefix + "RMB", kJoypadBindingPrefix + "B2"},
        {"ACT2", "POWER", kKeyBindingPrefix + "SPACE", kMouseBindingPrefix + "MMB", kJoypadBindingPrefix + "B3"},
    }};
    return s_slots;
}

const ControlSlots* findControl(const std::string& control) {
    for (const ControlSlots& slots : controlSlots()) {
        if (control == slots.control) return &slots;
    }
    return nullptr;
}

std::string bindingText(const std::string& setting) {
    std::string shown = Util::trim(Util::textAfter(getPref(setting), ':'));
    for (char& c : shown) c = c == '_' ? ' ' : char(std::toupper(static_cast<unsigned char>(c)));
    return shown;
}

std::string fillControlLabels(const std::string& text) {
    std::string filled = text;
    for (const ControlSlots& slots : controlSlots()) {
        const std::string control = slots.control;
        filled = Util::replaceAll(filled, "[KEY_" + control + "]", bindingText(slots.keySetting));
        filled = Util::replaceAll(filled, "[MOUSE_" + control + "]",
                                  slots.mouseSetting.empty() ? std::string() : bindingText(slots.mouseSetting));
        filled = Util::replaceAll(filled, "[JPAD_" + control + "]", bindingText(slots.joypadSetting));
    }
    return filled;
}

std::optional<std::string> keyBindingText(KeyCode key) {
    std::string name = Devices::KeyboardStrings::instance().getKeyNames().nameOf(key);
    for (char& c : name) {
        if (c == ' ') c = '_';
    }
    const std::string text = "KEY:" + name;
    const Input::TriggerId readBack = Input::TriggerId::fromText(text);
    if (readBack.getType() != Input::TriggerType::KEY || readBack.getKey() != key) return std::nullopt;
    return text;
}

std::string mouseBindingText(uint32_t button) {
    return "MOUSE:" + Devices::MouseStrings::instance().getNames().nameOf(button);
}

std::string joypadBindingText(uint32_t bit) {
    return "JPAD: " + Devices::JoypadStrings::instance().getNames().nameOf(bit);
}

}  // namespace Zelmo
