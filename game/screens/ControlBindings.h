#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/devices/KeyCodes.h"

// The seven game controls the player can rebind, the settings that hold their bindings, and the
// binding texts the controls screen stores for a captured key, mouse button or joypad button.
namespace Zelmo {

struct ControlSlots {
    const char* control;  // as the controls page's commands name it: "SET_" + control
    const char* shown;    // as the screen names it to the player
    // The binding settings; the mouse one empty for the directions, which no button walks.
    std::string keySetting;
    std::string mouseSetting;
    std::string joypadSetting;
};

// UP, DN, LF, RT, ACT0, ACT1, ACT2, in that order.
const std::array<ControlSlots, 7>& controlSlots();
// Null for a name that is none of the seven.
const ControlSlots* findControl(const std::string& control);

// A binding as the labels show it: the stored text after its first ':', without the blanks
// around it, in capitals (the menus' vector font has no others) and with '_' shown as a blank.
std::string bindingText(const std::string& setting);
// Every "[KEY_<control>]", "[MOUSE_<control>]" and "[JPAD_<control>]" replaced by the binding
// it names; the mouse placeholders of the directions by nothing.
std::string fillControlLabels(const std::string& text);

// The text stored for a captured key: "KEY:" and the key's name with its blanks written as
// '_', the form that reads back. None for a key whose name does not read back to that key: a
// binding to it would leave the control without an input.
std::optional<std::string> keyBindingText(KeyCode key);
// "MOUSE:" and the button's name.
std::string mouseBindingText(uint32_t button);
// "JPAD: " and the bit's name.
std::string joypadBindingText(uint32_t bit);

}  // namespace Zelmo
