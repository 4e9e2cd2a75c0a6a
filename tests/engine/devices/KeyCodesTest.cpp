#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/devices/KeyCodes.h"

namespace {

using Devices::keyCodeOfEnumerationName;

// All 38 names the input configuration files may use, with their codes.
TEST(KeyEnumerationNames, NamedCodesLookUp) {
    const std::pair<std::string, int> cases[] = {
        {"KEY_NONE", 0},          {"KEY_LSHIFT", 1},
        {"KEY_LALT", 2},          {"KEY_LCTRL", 3},
        {"KEY_RSHIFT", 4},        {"KEY_RALT", 5},
        {"KEY_RCTRL", 6},         {"KEY_LEFT", 7},
        {"KEY_RIGHT", 8},         {"KEY_UP", 9},
        {"KEY_DOWN", 10},         {"KEY_HOME", 11},
        {"KEY_END", 12},          {"KEY_INSERT", 13},
        {"KEY_BACKSPACE", 14},    {"KEY_DELETE", 15},
        {"KEY_RETURN", 16},       {"KEY_PAGE_UP", 17},
        {"KEY_PAGE_DOWN", 18},    {"KEY_ESCAPE", 27},
        {"KEY_SPACE", 32},        {"KEY_KP_0", 128},
        {"KEY_KP_1", 129},        {"KEY_KP_2", 130},
        {"KEY_KP_3", 131},        {"KEY_KP_4", 132},
        {"KEY_KP_5", 133},        {"KEY_KP_6", 134},
        {"KEY_KP_7", 135},        {"KEY_KP_8", 136},
        {"KEY_KP_9", 137},        {"KEY_KP_DIVIDE", 138},
        {"KEY_KP_MULTIPLY", 139}, {"KEY_KP_SUBTRACT", 140},
        {"KEY_KP_ADD", 141},      {"KEY_KP_DECIMAL", 142},
        {"KEY_KP_EQUAL", 143},    {"KEY_KP_ENTER", 144},
    };
    std::set<int> codes;
    for (const auto& [name, code] : cases) {
        const auto found = keyCodeOfEnumerationName(name);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_EQ(*found, code) << name;
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), 38u);
}

// The unnamed codes hold empty texts, which must not make the empty text a name.
TEST(KeyEnumerationNames, OtherTextsHaveNoCode) {
    for (const char* name : {"", "KEY_TAB", "KEY_F1", "key_space", "KEY_SPACE ", "SPACE", "a"}) {
        EXPECT_FALSE(keyCodeOfEnumerationName(name).has_value()) << "'" << name << "'";
    }
}

}  // namespace
