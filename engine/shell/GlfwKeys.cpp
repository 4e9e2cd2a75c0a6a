#include "engine/shell/GlfwKeys.h"

#include <GLFW/glfw3.h>

namespace Game {

uint8_t keyCodeFromGlfw(int glfwKey) {
    switch (glfwKey) {
        case GLFW_KEY_ESCAPE: return 27;
        case GLFW_KEY_ENTER: return 16;
        case GLFW_KEY_TAB: return 19;
        case GLFW_KEY_BACKSPACE: return 14;
        case GLFW_KEY_INSERT: return 13;
        case GLFW_KEY_DELETE: return 15;
        case GLFW_KEY_RIGHT: return 8;
        case GLFW_KEY_LEFT: return 7;
        case GLFW_KEY_DOWN: return 10;
        case GLFW_KEY_UP: return 9;
        case GLFW_KEY_PAGE_UP: return 17;
        case GLFW_KEY_PAGE_DOWN: return 18;
        case GLFW_KEY_HOME: return 11;
        case GLFW_KEY_END: return 12;
        case GLFW_KEY_BACKSLASH: return 92;
        case GLFW_KEY_WORLD_2: return 92;
        case GLFW_KEY_CAPS_LOCK: return 20;
        case GLFW_KEY_SCROLL_LOCK: return 22;
        case GLFW_KEY_NUM_LOCK: return 21;
        case GLFW_KEY_KP_DECIMAL: return 142;
        case GLFW_KEY_KP_DIVIDE: return 138;
        case GLFW_KEY_KP_MULTIPLY: return 139;
        case GLFW_KEY_KP_SUBTRACT: return 140;
        case GLFW_KEY_KP_ADD: return 141;
        case GLFW_KEY_KP_ENTER: return 144;
        case GLFW_KEY_KP_EQUAL: return 143;
        case GLFW_KEY_LEFT_SHIFT: return 1;
        case GLFW_KEY_LEFT_CONTROL: return 3;
        case GLFW_KEY_LEFT_ALT: return 2;
        case GLFW_KEY_RIGHT_SHIFT: return 4;
        case GLFW_KEY_RIGHT_CONTROL: return 6;
        case GLFW_KEY_RIGHT_ALT: return 5;
        default: break;
    }
    if (glfwKey >= GLFW_KEY_F1 && glfwKey <= GLFW_KEY_F12) return uint8_t(145 + (glfwKey - GLFW_KEY_F1));
    if (glfwKey >= GLFW_KEY_KP_0 && glfwKey <= GLFW_KEY_KP_9) return uint8_t(128 + (glfwKey - GLFW_KEY_KP_0));
    // Lower-casing applies to the GLFW key itself, so keys above 255 keep their low byte as is.
    const int lowered = (glfwKey >= GLFW_KEY_A && glfwKey <= GLFW_KEY_Z) ? glfwKey - 'A' + 'a' : glfwKey;
    return uint8_t(lowered & 0xFF);
}

int modifierBitOf(uint8_t code) {
    switch (code) {
        case 1:
        case 4: return 1;
        case 2:
        case 5: return 2;
        case 3:
        case 6: return 4;
        default: return 0;
    }
}

int modifierBitsBeside(uint8_t pressedKey, const std::function<bool(uint8_t code)>& isDown) {
    int bits = 0;
    for (uint8_t code = 1; code <= 6; ++code) {
        if (code != pressedKey && isDown(code)) bits |= modifierBitOf(code);
    }
    return bits;
}

int ModifierKeys::onKey(uint8_t code, bool pressed) {
    if (pressed) m_atPress[code] = modifierBitsBeside(code, [this](uint8_t modifier) { return m_down[modifier]; });
    if (modifierBitOf(code) != 0) m_down[code] = pressed;
    return m_atPress[code];
}

void ModifierKeys::clear() {
    m_down.fill(false);
    m_atPress.fill(0);
}

int joystickDirection(float axis, float deadZone) {
    if (axis > deadZone) return 1;
    if (axis < -deadZone) return -1;
    return 0;
}

}  // namespace Game
