#include "engine/devices/KeyboardStrings.h"

#include <cstdio>
#include <string>
#include <utility>

#include "engine/devices/KeyCodes.h"

namespace Devices {
namespace {

// Modifier sets without a name (and typos such as a reversed order) read as a code that no
// key event carries, so a binding written with them never fires.
constexpr uint32_t kInvalidModifiers = 65535;

std::string codeDisplayName(int code) {
    if (code >= 32 && code <= 126) return std::string(1, static_cast<char>(code));
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%x", static_cast<unsigned>(code));
    return hex;
}

}  // namespace

KeyboardStrings::KeyboardStrings() : m_modifierNames(kInvalidModifiers, "INVALID"), m_keyNames(0, "") {
    const std::pair<uint32_t, const char*> modifiers[] = {{0, "NONE"},
                                                          {MOD_SHIFT, "SHIFT"},
                                                          {MOD_ALT, "ALT"},
                                                          {MOD_CTRL, "CTRL"},
                                                          {MOD_ALT | MOD_SHIFT, "ALT+SHIFT"},
                                                          {MOD_CTRL | MOD_SHIFT, "CTRL+SHIFT"},
                                                          {MOD_CTRL | MOD_ALT, "CTRL+ALT"},
                                                          {MOD_CTRL | MOD_ALT | MOD_SHIFT, "CTRL+ALT+SHIFT"}};
    for (const auto& [code, name] : modifiers) m_modifierNames.add(code, name);

    for (int code = 0; code <= 255; ++code) m_keyNames.add(code, codeDisplayName(code));
    // Added after the plain names, so that those still look up: " " and "SPACE" both give 32.
    const std::pair<KeyCode, const char*> named[] = {{'"', "DQUOTE"},           {',', "COMMA"},
                                                     {KEY_LCTRL, "L CTRL"},     {KEY_RCTRL, "R CTRL"},
                                                     {KEY_SPACE, "SPACE"},      {KEY_LSHIFT, "L SHIFT"},
                                                     {KEY_RSHIFT, "R SHIFT"},   {KEY_LALT, "L ALT"},
                                                     {KEY_RALT, "R ALT"},       {KEY_LEFT, "LEFT"},
                                                     {KEY_RIGHT, "RIGHT"},      {KEY_UP, "UP"},
                                                     {KEY_DOWN, "DOWN"},        {KEY_HOME, "HOME"},
                                                     {KEY_END, "END"},          {KEY_INSERT, "INSERT"},
                                                     {KEY_BACKSPACE, "BSPACE"}, {KEY_DELETE, "DELETE"},
                                                     {KEY_PAGE_UP, "PAGE UP"},  {KEY_PAGE_DOWN, "PAGE DN"},
                                                     {KEY_ESCAPE, "ESC"},       {KEY_RETURN, "RETURN"},
                                                     {KEY_TAB, "TAB"},          {KEY_CAPS_LOCK, "CAPS"},
                                                     {KEY_NUM_LOCK, "NUMLOCK"}, {KEY_SCROLL_LOCK, "S LOCK"}};
    for (const auto& [code, name] : named) m_keyNames.add(code, name);
    for (int digit = 0; digit <= 9; ++digit) m_keyNames.add(KEY_KP_0 + digit, "KP" + std::to_string(digit));
    const std::pair<KeyCode, const char*> keypad[] = {
        {KEY_KP_DIVIDE, "KP/"},  {KEY_KP_MULTIPLY, "KP*"}, {KEY_KP_SUBTRACT, "KP-"}, {KEY_KP_ADD, "KP+"},
        {KEY_KP_DECIMAL, "KP."}, {KEY_KP_EQUAL, "KP="},    {KEY_KP_ENTER, "KP RET"}};
    for (const auto& [code, name] : keypad) m_keyNames.add(code, name);
    for (int n = 1; n <= 12; ++n) m_keyNames.add(KEY_F1 + n - 1, "F" + std::to_string(n));
}

}  // namespace Devices
