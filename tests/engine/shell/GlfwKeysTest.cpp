#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <algorithm>
#include <vector>

#include "engine/shell/GlfwKeys.h"
#include "engine/shell/PointerState.h"

namespace {

struct KeyCase {
    int glfwKey;
    int code;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << "GLFW key " << c.glfwKey; }

class KeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, GivesTheProgramsKeyCode) { EXPECT_EQ(int(Game::keyCodeFromGlfw(GetParam().glfwKey)), GetParam().code); }

INSTANTIATE_TEST_SUITE_P(
    Table, KeyTable,
    ::testing::Values(KeyCase{GLFW_KEY_ESCAPE, 27}, KeyCase{GLFW_KEY_ENTER, 16}, KeyCase{GLFW_KEY_UP, 9},
                      KeyCase{GLFW_KEY_DOWN, 10}, KeyCase{GLFW_KEY_LEFT, 7}, KeyCase{GLFW_KEY_RIGHT, 8},
                      KeyCase{GLFW_KEY_F1, 145}, KeyCase{GLFW_KEY_F12, 156}, KeyCase{GLFW_KEY_KP_0, 128},
                      KeyCase{GLFW_KEY_KP_9, 137}, KeyCase{GLFW_KEY_KP_ENTER, 144}, KeyCase{GLFW_KEY_WORLD_2, 92},
                      KeyCase{GLFW_KEY_LEFT_SHIFT, 1}, KeyCase{GLFW_KEY_RIGHT_ALT, 5}, KeyCase{GLFW_KEY_A, 'a'},
                      KeyCase{GLFW_KEY_Z, 'z'}, KeyCase{GLFW_KEY_SPACE, ' '}, KeyCase{GLFW_KEY_1, '1'},
                      KeyCase{GLFW_KEY_PRINT_SCREEN, 27}, KeyCase{GLFW_KEY_LEFT_SUPER, 87},
                      KeyCase{GLFW_KEY_UNKNOWN, 255}));

// Each step is one key event and the modifier bits it is delivered with.
struct KeyStep {
    uint8_t code;
    bool pressed;
    int bits;
};

void PrintTo(const KeyStep& step, std::ostream* os) {
    *os << "key " << int(step.code) << (step.pressed ? " down" : " up") << " with " << step.bits;
}

class ModifierKeysRun : public ::testing::TestWithParam<std::vector<KeyStep>> {};

TEST_P(ModifierKeysRun, EachKeyCarriesTheModifiersHeldAtItsPress) {
    Game::ModifierKeys modifiers;
    for (const KeyStep& step : GetParam()) {
        EXPECT_EQ(modifiers.onKey(step.code, step.pressed), step.bits) << ::testing::PrintToString(step);
    }
}

constexpr uint8_t kShiftKey = 1, kAltKey = 2, kCtrlKey = 3, kRightShiftKey = 4;

INSTANTIATE_TEST_SUITE_P(
    Runs, ModifierKeysRun,
    ::testing::Values(
        // A modifier tapped and let go is not carried by the next key (as after Alt-Tab).
        std::vector<KeyStep>{{kShiftKey, true, 0}, {kShiftKey, false, 0}, {'a', true, 0}, {'a', false, 0}},
        std::vector<KeyStep>{{kAltKey, true, 0}, {kAltKey, false, 0}, {9, true, 0}},
        // Held, it is carried by the press and the release, whatever happens between.
        std::vector<KeyStep>{{kShiftKey, true, 0}, {'a', true, 1}, {kShiftKey, false, 0}, {'a', false, 1}},
        std::vector<KeyStep>{{'a', true, 0}, {kCtrlKey, true, 0}, {'a', false, 0}, {'b', true, 4}},
        // Two modifiers at once; with both shifts down, letting one go leaves shift held.
        std::vector<KeyStep>{{kCtrlKey, true, 0}, {kAltKey, true, 4}, {'x', true, 6}},
        std::vector<KeyStep>{
            {kRightShiftKey, true, 0}, {kShiftKey, true, 1}, {kRightShiftKey, false, 0}, {'z', true, 1}},
        // A release with no press seen carries nothing.
        std::vector<KeyStep>{{'b', false, 0}, {kShiftKey, false, 0}, {'b', true, 0}}));

TEST(ModifierKeys, ClearForgetsTheKeysDown) {
    Game::ModifierKeys modifiers;
    modifiers.onKey(kShiftKey, true);
    modifiers.onKey('a', true);
    modifiers.clear();
    EXPECT_EQ(modifiers.onKey('a', false), 0);
    EXPECT_EQ(modifiers.onKey('b', true), 0);
}

// A modifier key's own press carries the other modifiers held, never its own bit: a binding to
// the key alone, stored without modifiers, must match it.
TEST(ModifierBits, APressCarriesTheOtherModifierKeysHeld) {
    constexpr uint8_t kLShift = 1, kLAlt = 2, kLCtrl = 3, kRShift = 4, kRAlt = 5;
    const struct {
        uint8_t pressed;
        std::vector<uint8_t> down;  // as the device reports them, the pressed key among them
        int bits;
    } cases[] = {
        {'a', {}, 0},
        {'a', {kLShift}, 1},
        {'a', {kRShift, kLCtrl}, 5},
        {'a', {kLAlt, kRAlt}, 2},
        {kLShift, {kLShift}, 0},
        {kRAlt, {kRAlt}, 0},
        {kLShift, {kLShift, kRShift}, 1},
        {kLCtrl, {kLCtrl, kLAlt}, 2},
    };
    for (const auto& each : cases) {
        const auto isDown = [&](uint8_t code) {
            return std::find(each.down.begin(), each.down.end(), code) != each.down.end();
        };
        EXPECT_EQ(Game::modifierBitsBeside(each.pressed, isDown), each.bits)
            << "key " << int(each.pressed) << " with " << each.down.size() << " down";
    }
    EXPECT_EQ(Game::modifierBitOf(6), 4);
    EXPECT_EQ(Game::modifierBitOf(7), 0);
}

TEST(Joystick, AxesBeyondTheDeadZoneAreDirections) {
    EXPECT_EQ(Game::joystickDirection(0.31f), 1);
    EXPECT_EQ(Game::joystickDirection(0.3f), 0);
    EXPECT_EQ(Game::joystickDirection(-0.3f), 0);
    EXPECT_EQ(Game::joystickDirection(-0.9f), -1);
}

}  // namespace

namespace {

TEST(Pointer, ButtonsBeyondTheThirdChangeNoBit) {
    EXPECT_EQ(Game::mouseButtonBit(0), 1);
    EXPECT_EQ(Game::mouseButtonBit(1), 2);
    EXPECT_EQ(Game::mouseButtonBit(2), 4);
    EXPECT_EQ(Game::mouseButtonBit(3), 0);
    EXPECT_EQ(Game::mouseButtonBit(-1), 0);
}

TEST(Pointer, PositionsBecomePercentOfTheWindow) {
    EXPECT_FLOAT_EQ(Game::toPercent(320, 640), 50.0f);
    EXPECT_FLOAT_EQ(Game::toPercent(0, 640), 0.0f);
    EXPECT_FLOAT_EQ(Game::toPercent(1, 3), float(100.0 / 3.0));
    EXPECT_FLOAT_EQ(Game::toPercent(700, 640), 109.375f);
}

}  // namespace
