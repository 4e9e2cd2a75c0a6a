#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "TriggerFields.h"
#include "engine/input/TriggerId.h"

namespace {

using Input::TriggerId;
using Input::TriggerType;
using ::testing::Return;

TEST(TriggerId, DataGettersReportOnlyTheirOwnKind) {
    EXPECT_EQ(TriggerFields::of(TriggerId::makeKey('a', 4)), (TriggerFields{TriggerType::KEY, 97, 4}));
    EXPECT_EQ(TriggerFields::of(TriggerId::makeMouse(2)), (TriggerFields{TriggerType::MOUSE, 0, 0, 2}));
    EXPECT_EQ(TriggerFields::of(TriggerId::makeJoypad(16)), (TriggerFields{TriggerType::JPAD, 0, 0, 0, 16, 0, 0}));
    EXPECT_EQ(TriggerFields::of(TriggerId::makeJoypad(16, 3, 1)),
              (TriggerFields{TriggerType::JPAD, 0, 0, 0, 16, 3, 1}));
    EXPECT_EQ(TriggerFields::of(TriggerId()), (TriggerFields{TriggerType::UNDEF}));
    EXPECT_EQ(TriggerFields::of(TriggerId(TriggerType::DWELL)), (TriggerFields{TriggerType::DWELL}));
}

TEST(TriggerId, TimingIsKeptWhateverTheKindAndCopied) {
    TriggerId trigger(TriggerType::DWELL);
    trigger.setTimers(1, 2, 3, 4);
    const TriggerId copy = trigger;
    EXPECT_EQ(copy.getDwellTime(), 1);
    EXPECT_EQ(copy.getRepeatTime(), 2);
    EXPECT_EQ(copy.getHoldTime(), 3);
    EXPECT_EQ(copy.getHoldRepeatTime(), 4);
}

struct MatchCase {
    const char* what;
    TriggerId switchTrigger;
    TriggerId event;
    bool fires;
};

// Joypad events carry the changed bit, and the whole current bit set as mask and value.
TriggerId joypadEvent(uint32_t changedBit, uint32_t currentBits) {
    return TriggerId::makeJoypad(changedBit, currentBits, currentBits);
}

TEST(TriggerId, Matches) {
    const uint32_t B1 = 256, B2 = 512, UP = 1;
    const MatchCase cases[] = {
        {"same key and modifiers", TriggerId::makeKey('a', 0), TriggerId::makeKey('a', 0), true},
        {"other key", TriggerId::makeKey('a', 0), TriggerId::makeKey('b', 0), false},
        {"other modifiers", TriggerId::makeKey('a', 4), TriggerId::makeKey('a', 5), false},
        {"modifiers never typed", TriggerId::makeKey('a', 65535), TriggerId::makeKey('a', 7), false},
        {"same button", TriggerId::makeMouse(1), TriggerId::makeMouse(1), true},
        {"other button", TriggerId::makeMouse(1), TriggerId::makeMouse(2), false},
        {"key against mouse", TriggerId::makeKey(1, 0), TriggerId::makeMouse(1), false},
        {"wheel up", TriggerId(TriggerType::WHEEL_UP), TriggerId(TriggerType::WHEEL_UP), true},
        {"wheel up against down", TriggerId(TriggerType::WHEEL_UP), TriggerId(TriggerType::WHEEL_DN), false},
        {"undef", TriggerId(), TriggerId(), true},
        {"inert against key", TriggerId(TriggerType::EXTERNAL), TriggerId::makeKey('a', 0), false},
        {"plain joypad bit, others held", TriggerId::makeJoypad(B1), joypadEvent(B1, B1 | B2 | UP), true},
        {"plain joypad bit released", TriggerId::makeJoypad(B1), joypadEvent(B1, 0), true},
        {"other joypad bit", TriggerId::makeJoypad(B1), joypadEvent(B2, B1 | B2), false},
        {"chord: B1 while B2 held", TriggerId::makeJoypad(B1, B2, B2), joypadEvent(B1, B1 | B2), true},
        {"chord: B1 while B2 up", TriggerId::makeJoypad(B1, B2, B2), joypadEvent(B1, B1), false},
        {"chord: B1 with B2 up wanted", TriggerId::makeJoypad(B1, B2, 0), joypadEvent(B1, B1), true},
        {"chord: B1 with B2 up wanted, B2 held", TriggerId::makeJoypad(B1, B2, 0), joypadEvent(B1, B1 | B2), false},
        {"chord ignores bits outside its mask", TriggerId::makeJoypad(B1, B2, B2), joypadEvent(B1, B1 | B2 | UP), true},
        {"chord: B1 let go while B2 held", TriggerId::makeJoypad(B1, B2, B2), joypadEvent(B1, B2), true},
        {"chord: two held wanted, one held", TriggerId::makeJoypad(B1, B2 | UP, B2 | UP), joypadEvent(B1, B1 | B2),
         false},
        {"value outside the mask is ignored", TriggerId::makeJoypad(B1, 0, B2), joypadEvent(B1, B1), true},
    };
    for (const auto& c : cases) EXPECT_EQ(c.switchTrigger.matches(c.event), c.fires) << c.what;
}

TEST(TriggerIdDeathTest, ComparingExternalTriggersStops) {
    const TriggerId external(TriggerType::EXTERNAL);
    EXPECT_EXIT(external.matches(external), ::testing::ExitedWithCode(1), "^Invalid trigger type found\n$");
}

TEST(TriggerId, CreatesFromScalarFields) {
    struct Case {
        int type;
        TriggerFields expected;
    };
    const Case cases[] = {
        {0, {TriggerType::UNDEF}},          {1, {TriggerType::KEY, 'x', 3}},
        {2, {TriggerType::MOUSE, 0, 0, 4}}, {3, {TriggerType::WHEEL_UP}},
        {4, {TriggerType::WHEEL_DN}},       {5, {TriggerType::DWELL}},
        {6, {TriggerType::ENTERLEAVE}},     {7, {TriggerType::JPAD, 0, 0, 0, 2048, 0, 0}},
        {9, {TriggerType::UNDEF}},          {-1, {TriggerType::UNDEF}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TriggerFields::of(TriggerId::create(c.type, 'x', 3, 4, 2048)), c.expected) << "type " << c.type;
    }
}

class MockExternals : public TriggerId::IExternals {
public:
    MOCK_METHOD(TriggerId, getKeyTrigger, (KeyCode key), (override));
    MOCK_METHOD(TriggerId, getMouseTrigger, (uint32_t buttons), (override));
    MOCK_METHOD(TriggerId, getJoypadTrigger, (uint32_t bits), (override));
};

class ExternalTriggers : public ::testing::Test {
protected:
    void SetUp() override { TriggerId::externals = &m_externals; }
    void TearDown() override { TriggerId::externals = nullptr; }

    ::testing::StrictMock<MockExternals> m_externals;
};

// The first non-zero of key, mouse and joypad picks the binding, which replaces the slot whole.
TEST_F(ExternalTriggers, ResolveThroughTheProvider) {
    EXPECT_CALL(m_externals, getKeyTrigger(KeyCode('w'))).WillOnce(Return(TriggerId::makeMouse(2)));
    EXPECT_EQ(TriggerFields::of(TriggerId::create(8, 'w', 1, 1, 1)), (TriggerFields{TriggerType::MOUSE, 0, 0, 2}));

    EXPECT_CALL(m_externals, getMouseTrigger(4u)).WillOnce(Return(TriggerId::makeKey('k', 0)));
    EXPECT_EQ(TriggerFields::of(TriggerId::create(8, 0, 1, 4, 1)), (TriggerFields{TriggerType::KEY, 'k', 0}));

    EXPECT_CALL(m_externals, getJoypadTrigger(16u)).WillOnce(Return(TriggerId::makeJoypad(256)));
    EXPECT_EQ(TriggerFields::of(TriggerId::create(8, 0, 1, 0, 16)),
              (TriggerFields{TriggerType::JPAD, 0, 0, 0, 256, 0, 0}));
}

TEST_F(ExternalTriggers, AllNullSlotStops) {
    EXPECT_EXIT(TriggerId::create(8, 0, 7, 0, 0), ::testing::ExitedWithCode(1),
                "^EEK! Creating EXTERNAL trigger from all nulls\n$");
}

TEST(TriggerIdDeathTest, ExternalSlotWithoutProviderStops) {
    ASSERT_EQ(TriggerId::externals, nullptr);
    EXPECT_EXIT(TriggerId::create(8, 'w', 0, 0, 0), ::testing::ExitedWithCode(1),
                "^EEK! No provider for EXTERNAL triggers\n$");
}

}  // namespace
