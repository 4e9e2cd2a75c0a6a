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

// Follows which modifier keys are down from the key events themselves and gives each event its
// modifier bits (shift 1, alt 2, ctrl 4): a press those of the other modifier keys down, a
// release those its press carried, so a release always matches its press even if a modifier
// changed between. Asking the window instead can report a modifier let go long ago as down
// (GLFW's sticky keys), and the next key would carry a bit the player never held.
class ModifierKeys {
public:
    int onKey(uint8_t code, bool pressed);
    void clear();

private:
    std::array<bool, 7> m_down{};  // by the modifier keys' codes, 1 to 6
    std::array<int, 256> m_atPress{};
};

// A joystick axis read as a digital direction: -1, 0 or 1 beyond the dead zone.
int joystickDirection(float axis, float deadZone = 0.3f);

}  // namespace Game
