#include "engine/devices/KeyCodes.h"

#include <array>

namespace Devices {
namespace {

// Indexed by key code; codes without an enumeration name hold an empty text.
constexpr std::array<const char*, 145> makeEnumerationNames() {
    std::array<const char*, 145> names{};
    for (auto& name : names) name = "";
    const char* const first[] = {"KEY_NONE",   "KEY_LSHIFT", "KEY_LALT",    "KEY_LCTRL",    "KEY_RSHIFT",
                                 "KEY_RALT",   "KEY_RCTRL",  "KEY_LEFT",    "KEY_RIGHT",    "KEY_UP",
                                 "KEY_DOWN",   "KEY_HOME",   "KEY_END",     "KEY_INSERT",   "KEY_BACKSPACE",
                                 "KEY_DELETE", "KEY_RETURN", "KEY_PAGE_UP", "KEY_PAGE_DOWN"};
    for (int code = 0; code <= KEY_PAGE_DOWN; ++code) names[code] = first[code];
    names[KEY_ESCAPE] = "KEY_ESCAPE";
    names[KEY_SPACE] = "KEY_SPACE";
    const char* const keypad[] = {"KEY_KP_0",      "KEY_KP_1",        "KEY_KP_2",        "KEY_KP_3",   "KEY_KP_4",
                                  "KEY_KP_5",      "KEY_KP_6",        "KEY_KP_7",        "KEY_KP_8",   "KEY_KP_9",
                                  "KEY_KP_DIVIDE", "KEY_KP_MULTIPLY", "KEY_KP_SUBTRACT", "KEY_KP_ADD", "KEY_KP_DECIMAL",
                                  "KEY_KP_EQUAL",  "KEY_KP_ENTER"};
    for (int code = KEY_KP_0; code <= KEY_KP_ENTER; ++code) names[code] = keypad[code - KEY_KP_0];
    return names;
}

constexpr std::array<const char*, 145> kEnumerationNames = makeEnumerationNames();

}  // namespace

std::optional<KeyCode> keyCodeOfEnumerationName(const std::string& name) {
    if (name.empty()) return std::nullopt;
    for (size_t code = 0; code < kEnumerationNames.size(); ++code) {
        if (name == kEnumerationNames[code]) return static_cast<KeyCode>(code);
    }
    return std::nullopt;
}

}  // namespace Devices
