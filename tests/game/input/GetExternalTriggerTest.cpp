#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/TriggerType.h"
#include "game/config/ConfigReaders.h"
#include "game/config/Settings.h"
#include "game/input/GetExternalTrigger.h"

namespace {

using Input::TriggerId;
using Input::TriggerType;

// An input configuration's EXTERNAL slot, resolved as loading a configuration resolves it.
TriggerId keySlot(KeyCode key) { return TriggerId::create(int(TriggerType::EXTERNAL), key, 0, 0, 0); }
TriggerId mouseSlot(uint32_t buttons) { return TriggerId::create(int(TriggerType::EXTERNAL), 0, 0, buttons, 0); }
TriggerId joypadSlot(uint32_t bits) { return TriggerId::create(int(TriggerType::EXTERNAL), 0, 0, 0, bits); }

// The fields that decide what a trigger fires on.
std::vector<uint32_t> fields(const TriggerId& t) {
    return {uint32_t(t.getType()), t.getKey(),      t.getModifiers(), t.getMouseButton(),
            t.getJpadBits(),       t.getJpadMask(), t.getJpadValue()};
}

class KeyBindings : public ::testing::Test {
protected:
    void SetUp() override {
        Zelmo::settings().clear();
        Zelmo::installKeyBindings();
    }
    void TearDown() override { Zelmo::settings().clear(); }
};

struct SlotCase {
    const char* setting;
    std::function<TriggerId()> resolve;
};

TEST_F(KeyBindings, SlotChoosesTheSettingByTheCodesDisplayName) {
    const SlotCase cases[] = {
        {"INPUT_KEY_W", [] { return keySlot('W'); }},
        {"INPUT_KEY_w", [] { return keySlot('w'); }},
        {"INPUT_KEY_SPACE", [] { return keySlot(Devices::KEY_SPACE); }},
        {"INPUT_KEY_UP", [] { return keySlot(Devices::KEY_UP); }},
        {"INPUT_KEY_PAGE UP", [] { return keySlot(Devices::KEY_PAGE_UP); }},
        {"INPUT_MOUSE_LMB", [] { return mouseSlot(Devices::MOUSE_LEFT); }},
        {"INPUT_MOUSE_MMB", [] { return mouseSlot(Devices::MOUSE_MIDDLE); }},
        {"INPUT_JPAD_UP", [] { return joypadSlot(Devices::JPAD_UP); }},
        {"INPUT_JPAD_DPAD_UP", [] { return joypadSlot(Devices::JPAD_DPAD_UP); }},
        {"INPUT_JPAD_B4", [] { return joypadSlot(Devices::JPAD_B4); }},
    };
    // Every slot of the table holds a binding, so reading a wrong one shows as a wrong trigger.
    for (const auto& c : cases) Zelmo::setPref(c.setting, "KEY:x");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        Zelmo::setPref(c.setting, "MOUSE:RMB+MMB");
        EXPECT_EQ(fields(c.resolve()), fields(TriggerId::makeMouse(6)));
        Zelmo::setPref(c.setting, "KEY:x");
    }
}

TEST_F(KeyBindings, EveryDefaultBindingIsReachedFromItsSlot) {
    // The slots input configurations use, in the order of the configuration's defaults.
    const std::vector<std::function<TriggerId()>> slots = {
        [] { return keySlot('W'); },
        [] { return keySlot('S'); },
        [] { return keySlot('A'); },
        [] { return keySlot('D'); },
        [] { return keySlot('P'); },
        [] { return keySlot('L'); },
        [] { return keySlot(Devices::KEY_SPACE); },
        [] { return mouseSlot(Devices::MOUSE_LEFT); },
        [] { return mouseSlot(Devices::MOUSE_RIGHT); },
        [] { return mouseSlot(Devices::MOUSE_MIDDLE); },
        [] { return joypadSlot(Devices::JPAD_UP); },
        [] { return joypadSlot(Devices::JPAD_DN); },
        [] { return joypadSlot(Devices::JPAD_LF); },
        [] { return joypadSlot(Devices::JPAD_RT); },
        [] { return joypadSlot(Devices::JPAD_DPAD_UP); },
        [] { return joypadSlot(Devices::JPAD_DPAD_DN); },
        [] { return joypadSlot(Devices::JPAD_DPAD_LF); },
        [] { return joypadSlot(Devices::JPAD_DPAD_RT); },
        [] { return joypadSlot(Devices::JPAD_B1); },
        [] { return joypadSlot(Devices::JPAD_B2); },
        [] { return joypadSlot(Devices::JPAD_B3); },
        [] { return joypadSlot(Devices::JPAD_B4); },
    };
    const auto& names = Zelmo::bindingNames();
    ASSERT_EQ(slots.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) Zelmo::setPref(names[i], std::string("KEY:") + char('a' + i));
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(fields(slots[i]()), fields(TriggerId::makeKey(KeyCode('a' + i), 0)));
    }
}

struct BindingCase {
    const char* text;
    TriggerId expected;
};

TEST_F(KeyBindings, StoredTextDecidesWhatTheSlotFiresOn) {
    const BindingCase cases[] = {
        {"JPAD: B1", TriggerId::makeJoypad(Devices::JPAD_B1)},
        {"JPAD:B1 B2 B2", TriggerId::makeJoypad(Devices::JPAD_B1, Devices::JPAD_B2, Devices::JPAD_B2)},
        {"MOUSE:RMB", TriggerId::makeMouse(Devices::MOUSE_RIGHT)},
        {"KEY:UP", TriggerId::makeKey(Devices::KEY_UP, 0)},
        {"KEY:w", TriggerId::makeKey('w', 0)},
        {"KEY:CTRL s", TriggerId::makeKey('s', Devices::MOD_CTRL)},
        {"WHEEL_UP:", TriggerId(TriggerType::WHEEL_UP)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Zelmo::setPref("INPUT_KEY_W", c.text);
        EXPECT_EQ(fields(keySlot('W')), fields(c.expected));
    }
}

TEST_F(KeyBindings, BindingNamingNoKeyNeverFires) {
    Zelmo::setPref("INPUT_KEY_W", "KEY:NO_SUCH_KEY");
    const TriggerId slot = keySlot('W');
    for (const TriggerId& event : {TriggerId::makeKey(0, 0), TriggerId::makeKey('W', 0), TriggerId::makeKey('w', 0)}) {
        EXPECT_FALSE(slot.matches(event));
    }
}

TEST_F(KeyBindings, ChangedBindingTakesEffectAtTheNextLoad) {
    Zelmo::setPref("INPUT_KEY_W", "KEY:w");
    const TriggerId loaded = keySlot('W');
    Zelmo::setPref("INPUT_KEY_W", "KEY:UP");
    EXPECT_TRUE(loaded.matches(TriggerId::makeKey('w', 0)));

    const TriggerId reloaded = keySlot('W');
    EXPECT_TRUE(reloaded.matches(TriggerId::makeKey(Devices::KEY_UP, 0)));
    EXPECT_FALSE(reloaded.matches(TriggerId::makeKey('w', 0)));
}

struct MissingCase {
    const char* what;
    std::optional<std::string> binding;
    const char* message;
};

TEST_F(KeyBindings, MissingOrUnusableBindingStops) {
    const MissingCase cases[] = {
        {"absent", std::nullopt, "Unknown Trigger Type: \n"},
        {"empty", "", "Unknown Trigger Type: \n"},
        {"unknown type", "PEDAL:1", "Unknown Trigger Type: PEDAL"},
        {"external", "EXTERNAL:W", "Unknown Trigger Type: EXTERNAL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.binding) Zelmo::setPref("INPUT_KEY_W", *c.binding);
        EXPECT_EXIT(keySlot('W'), ::testing::ExitedWithCode(1), c.message);
    }
}

TEST_F(KeyBindings, BitsOfNoMouseButtonReadAnUnboundSlot) {
    // The mouse table names such a set "INVALID", and no binding has that name.
    EXPECT_EXIT(mouseSlot(8), ::testing::ExitedWithCode(1), "Unknown Trigger Type: \n");
}

}  // namespace
