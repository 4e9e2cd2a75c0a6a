#include <gtest/gtest.h>

#include <string>

#include "TriggerFields.h"
#include "engine/input/TriggerId.h"

namespace {

using Input::TriggerId;
using Input::TriggerType;

constexpr TriggerType KEY = TriggerType::KEY;
constexpr TriggerType MOUSE = TriggerType::MOUSE;
constexpr TriggerType JPAD = TriggerType::JPAD;
constexpr TriggerType INERT = TriggerType::EXTERNAL;

struct TextCase {
    std::string text;
    TriggerFields expected;
};

TEST(TriggerText, ReadsIntoFields) {
    const TextCase cases[] = {
        {"KEY:a", {KEY, 97, 0}},
        {"KEY: CTRL   a ", {KEY, 97, 4}},
        {"KEY:CTRL+SHIFT x", {KEY, 120, 5}},
        {"KEY:PAGE_UP", {KEY, 17, 0}},
        {"KEY:KP_RET", {KEY, 144, 0}},
        {"KEY:S_LOCK", {KEY, 22, 0}},
        {"KEY:L_SHIFT", {KEY, 1, 0}},
        {"KEY:ALT PAGE_DN", {KEY, 18, 2}},
        {"KEY:SPACE", {KEY, 32, 0}},
        {"KEY:A", {KEY, 65, 0}},
        {"KEY:\ta\r\n", {KEY, 97, 0}},
        {"KEY:FOO a", {KEY, 97, 65535}},
        {"KEY:NOSUCHKEY", {INERT}},
        {"KEY:a b c", {INERT}},
        {"KEY:CTRL", {INERT}},
        {"KEY:", {INERT}},
        {"KEY:0x0", {INERT}},
        {"KEY", {INERT}},
        {"MOUSE:LMB", {MOUSE, 0, 0, 1}},
        {"MOUSE:RMB+MMB", {MOUSE, 0, 0, 6}},
        {"MOUSE:WHATEVER", {MOUSE, 0, 0, 0}},
        {"JPAD: DPAD_UP", {JPAD, 0, 0, 0, 16, 0, 0}},
        {"JPAD:B1 B2 B2", {JPAD, 0, 0, 0, 256, 512, 512}},
        {"JPAD:B1 B2 NONE", {JPAD, 0, 0, 0, 256, 512, 0}},
        {"JPAD:UP+B1", {JPAD, 0, 0, 0, 257, 0, 0}},
        {"JPAD:NOPE", {JPAD, 0, 0, 0, 0, 0, 0}},
        {"JPAD:UP DN", {INERT}},
        {"JPAD:", {INERT}},
        {"WHEEL_DN:", {TriggerType::WHEEL_DN}},
        {"WHEEL_DN:anything at all", {TriggerType::WHEEL_DN}},
        {"WHEEL_UP", {TriggerType::WHEEL_UP}},
        {"DWELL:", {TriggerType::DWELL}},
        {"ENTERLEAVE:x", {TriggerType::ENTERLEAVE}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TriggerFields::of(TriggerId::fromText(c.text)), c.expected) << "'" << c.text << "'";
    }
}

// The forms the controls screen stores read back as the key they were made from.
TEST(TriggerText, EveryNamedKeyReadsBackFromItsStoredForm) {
    const std::pair<std::string, int> cases[] = {{"KEY:PAGE UP", 17}, {"KEY:KP RET", 144}, {"KEY:F12", 156},
                                                 {"KEY:R CTRL", 6},   {"KEY:S LOCK", 22},  {"KEY:DQUOTE", 34}};
    for (const auto& [text, code] : cases) {
        std::string stored = text;
        for (char& c : stored) {
            if (c == ' ') c = '_';
        }
        EXPECT_EQ(TriggerId::fromText(stored).getKey(), code) << stored;
    }
}

TEST(TriggerText, ReadsNoTiming) {
    const TriggerId trigger = TriggerId::fromText("KEY:a");
    EXPECT_EQ(trigger.getDwellTime() + trigger.getRepeatTime() + trigger.getHoldTime() + trigger.getHoldRepeatTime(),
              0);
}

TEST(TriggerTextDeathTest, UnknownTypeStops) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "Unknown Trigger Type: \n"},
        {"UNDEF:", "Unknown Trigger Type: UNDEF\n"},
        {"EXTERNAL:a", "Unknown Trigger Type: EXTERNAL\n"},
        {" KEY:a", "Unknown Trigger Type:  KEY\n"},
        {"key:a", "Unknown Trigger Type: key\n"},
    };
    for (const auto& [text, line] : cases) {
        EXPECT_EXIT(TriggerId::fromText(text), ::testing::ExitedWithCode(1), "^" + line + "$") << text;
    }
}

}  // namespace
