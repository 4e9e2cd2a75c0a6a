#pragma once

namespace Game {

// The pointer as the window last reported it.
struct PointerState {
    bool focused = true;
    int x = 0;  // window pixels, truncated
    int y = 0;
    int heldButtons = 0;     // bits: left 1, right 2, middle 4
    int scrollTotal = 0;
    float scrollDelta = 0;   // the last wheel step; cleared after every pass
    int changedButtons = 0;  // the bit of the button whose state just changed, else 0
    int pressed = 0;         // 1 when that change was a press
};

// The bit of a GLFW mouse button: 0, 1, 2 give 1, 2, 4; other buttons give none.
inline int mouseButtonBit(int glfwButton) { return glfwButton >= 0 && glfwButton <= 2 ? 1 << glfwButton : 0; }

// A pointer position in percent of the window.
inline float toPercent(int position, int windowSize) { return float(double(position) * 100.0 / double(windowSize)); }

}  // namespace Game
