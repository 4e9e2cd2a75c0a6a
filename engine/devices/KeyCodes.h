#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The program's own 8-bit key code: printable keys carry their character's code, the other
// keys the fixed codes below. The window layer translates the platform's keys into these.
using KeyCode = uint8_t;

namespace Devices {

enum : KeyCode {
    KEY_NONE = 0,
    KEY_LSHIFT = 1,
    KEY_LALT = 2,
    KEY_LCTRL = 3,
    KEY_RSHIFT = 4,
    KEY_RALT = 5,
    KEY_RCTRL = 6,
    KEY_LEFT = 7,
    KEY_RIGHT = 8,
    KEY_UP = 9,
    KEY_DOWN = 10,
    KEY_HOME = 11,
    KEY_END = 12,
    KEY_INSERT = 13,
    KEY_BACKSPACE = 14,
    KEY_DELETE = 15,
    KEY_RETURN = 16,
    KEY_PAGE_UP = 17,
    KEY_PAGE_DOWN = 18,
    KEY_TAB = 19,
    KEY_CAPS_LOCK = 20,
    KEY_NUM_LOCK = 21,
    KEY_SCROLL_LOCK = 22,
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_KP_0 = 128,  // KEY_KP_0 + n for keypad digit n
    KEY_KP_DIVIDE = 138,
    KEY_KP_MULTIPLY = 139,
    KEY_KP_SUBTRACT = 140,
    KEY_KP_ADD = 141,
    KEY_KP_DECIMAL = 142,
    KEY_KP_EQUAL = 143,
    KEY_KP_ENTER = 144,
    KEY_F1 = 145,  // KEY_F1 + n - 1 for function key n, up to 12
};

// Modifier bits carried by a key event: those held when the key went down.
enum : uint32_t { MOD_SHIFT = 1, MOD_ALT = 2, MOD_CTRL = 4 };

enum : uint32_t { MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 4 };

// The twelve named joypad bits: stick, d-pad, then buttons 1 to 4.
enum : uint32_t {
    JPAD_UP = 1,
    JPAD_DN = 2,
    JPAD_LF = 4,
    JPAD_RT = 8,
    JPAD_DPAD_UP = 16,
    JPAD_DPAD_DN = 32,
    JPAD_DPAD_LF = 64,
    JPAD_DPAD_RT = 128,
    JPAD_B1 = 256,
    JPAD_B2 = 512,
    JPAD_B3 = 1024,
    JPAD_B4 = 2048,
};

// The key names that input configuration files use ("KEY_LEFT", "KEY_KP_ENTER" ...).
// Only 38 codes have one; for any other text there is no code.
std::optional<KeyCode> keyCodeOfEnumerationName(const std::string& name);

}  // namespace Devices
