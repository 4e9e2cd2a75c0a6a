#pragma once
#include <array>
#include <cstdint>
#include <functional>

namespace Game {

// The program's 8-bit key code of a GLFW key; keys without a table entry give their low
// 8 bits, ASCII letters lower-cased. 0 means "not delivered".
uint8_t keyCodeFromGlfw(int glfwKey);

// The modifier bit (shift 1, alt 2, ctrl 4) of a modifier key's code (1 to 6), 0 for any other
// key.
int modifierBitOf(uint8_t code);

// The modifier bits of the modifier keys down, leaving out the key being pressed: a modifier
// key's own press carries the bits of the others only, so that a binding to the key alone fires.
int modifierBitsBeside(uint8_t pressedKey, const std::function<bool(uint8_t code)>& isDown);

// Modifier bits (shift 1, alt 2, ctrl 4) are taken when a key goes down and delivered again
// with its release, so a release always matches its press even if a modifier changed between.
class ModifierLatch {
public:
    int onKey(uint8_t code, bool pressed, int modifiersNow) {
        if (pressed) m_atPress[code] = modifiersNow;
        return m_atPress[code];
    }
    void clear() { m_atPress.fill(0); }

private:
    std::array<int, 256> m_atPress{};
};

// A joystick axis read as a digital direction: -1, 0 or 1 beyond the dead zone.
int joystickDirection(float axis, float deadZone = 0.3f);

}  // namespace Game
