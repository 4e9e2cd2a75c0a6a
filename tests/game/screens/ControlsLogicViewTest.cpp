#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine/input/TriggerId.h"
#include "engine/shell/GlfwKeys.h"
#include "game/config/Config.h"
#include "game/config/Preferences.h"
#include "game/input/GetExternalTrigger.h"
#include "game/input/GlobalInputRefs.h"
#include "game/input/InputReloader.h"
#include "game/screens/ControlBindings.h"
#include "game/screens/ControlsLogicView.h"
#include "tests/engine/util/TempFolder.h"
#include "tests/game/screens/ScreenFixture.h"

namespace {

using Zelmo::ControlsLogicView;
using Zelmo::getPref;
using Zelmo::setPref;

constexpr float kControlsFrameMs = 16.0f;

// Stands in for INIT, counting how often the screen asks for the inputs to be loaded again.
class CountingReloader : public Game::ILogicState, public Zelmo::IInputReloader {
public:
    void enter(const Game::LogicEntry&, const std::string&) override {}
    std::string update(float) override { return {}; }
    void reloadInputs() override { ++reloads; }
    int reloads = 0;
};

// The controls screen over the keyboard method's shipped page, with the configuration's default
// bindings and nothing held.
class ControlsScreenTest : public ScreenFixture {
protected:
    ControlsScreenTest() {
        static Zelmo::GlobalInputRefs s_controlsRefs;
        static const bool s_loaded = s_controlsRefs.load("data/Accessibility.fbs", "data/accessibility");
        EXPECT_TRUE(s_loaded);
        Input::InputControllers& controllers = context.inputControllers();
        EXPECT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        EXPECT_TRUE(controllers.load("CONTROLS", "data/input/STANDARD/CONTROLS.json", &s_controlsRefs));
        controllers.add("CONTROLS_MORE", std::make_unique<Input::InputController>("CONTROLS_MORE", nullptr, nullptr));
        // The bindings the game ships with; the method stays one that needs no tuning table.
        EXPECT_TRUE(Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences-for-controls.cfg"));
        setPref(Zelmo::Setting::kInputMethod, Zelmo::kOneSwitchMethod);
        Zelmo::installKeyBindings();
        auto reloader = std::make_unique<CountingReloader>();
        init = reloader.get();
        context.logicController().add("INIT", std::move(reloader), {});
    }
    void TearDown() override {
        screen.reset();
        Zelmo::unloadConfig();
        Zelmo::settings().clear();
        ScreenFixture::TearDown();
    }

    std::string areaName() { return context.inputControllers().getCurrentAreaName(); }
    std::string frame(float ms = kControlsFrameMs) { return screen->update(ms); }
    void releaseEverything() {
        for (int code = 0; code <= 255; ++code) context.keyboard().setKey(KeyCode(code), false);
        context.pointerState().heldButtons = 0;
        for (int pad = 0; pad < Devices::Joypads::kPads; ++pad) context.joypads().setState(pad, 0, 0, padButtons({}));
    }
    static std::vector<int> padButtons(std::initializer_list<int> down) {
        std::vector<int> buttons(Devices::Joypads::kButtons, 0);
        for (int index : down) buttons[size_t(index)] = 1;
        return buttons;
    }

    // Takes the control's row with Return, as a player does, and lets go of it.
    void startCapture(const std::string& control) {
        context.inputControllers().getCurrent()->gotoArea("SET_" + control);
        context.keyboard().setKey(Devices::KEY_RETURN, true);
        act("LOGIC_RETURN", "SET_" + control);
        EXPECT_EQ(frame(), "");
        ASSERT_TRUE(screen->capturing());
        EXPECT_EQ(areaName(), "ANYWHERE") << "the pressed input lights no row";
        releaseEverything();
        frame();
    }
    // Holds an input for two frames and lets go of it.
    void holdAndRelease(const std::function<void()>& hold) {
        hold();
        frame();
        frame();
        releaseEverything();
        frame();
    }

    std::unique_ptr<ControlsLogicView> screen = std::make_unique<ControlsLogicView>(context);
    CountingReloader* init = nullptr;
};

TEST_F(ControlsScreenTest, LabelsShowTheBindingsInCapitalsAndOnlyWhileTheScreenRuns) {
    setPref("INPUT_KEY_S", " KEY: PAGE_UP ");
    EXPECT_EQ(screen->convert("[KEY_UP]"), "[KEY_UP]");
    enter(*screen, "TITLE");
    const struct {
        const char* label;
        const char* shown;
    } cases[] = {
        {"[KEY_UP]", "W"},
        {"[KEY_DN]", "PAGE UP"},
        {"[KEY_ACT2]", "SPACE"},
        {"[MOUSE_ACT1]", "RMB"},
        {"[MOUSE_UP]", ""},
        {"[JPAD_LF]", "DPAD LF"},
        {"[JPAD_ACT0]", "B1"},
        {"[CAPTURE_HINT]", ""},
        {"KEY [KEY_RT] PAD [JPAD_RT]", "KEY D PAD DPAD RT"},
        {"[KEY_ACT0][MOUSE_ACT0]", "PLMB"},
    };
    for (const auto& each : cases) EXPECT_EQ(screen->convert(each.label), each.shown) << each.label;
}

TEST_F(ControlsScreenTest, ACaptureTakesTheNextSingleInputOfAnyKindAndReturnsToItsRow) {
    const struct {
        const char* control;
        std::function<void(AppContext&)> hold;
        const char* setting;
        const char* stored;  // the setting's value afterwards
    } cases[] = {
        {"UP", [](AppContext& c) { c.keyboard().setKey('q', true); }, "INPUT_KEY_W", "KEY:q"},
        {"DN", [](AppContext& c) { c.keyboard().setKey(Devices::KEY_PAGE_UP, true); }, "INPUT_KEY_S", "KEY:PAGE_UP"},
        {"ACT2", [](AppContext& c) { c.keyboard().setKey(Devices::KEY_LSHIFT, true); }, "INPUT_KEY_SPACE",
         "KEY:L_SHIFT"},
        {"ACT1", [](AppContext& c) { c.pointerState().heldButtons = 2; }, "INPUT_MOUSE_RMB", "MOUSE:RMB"},
        {"ACT0", [](AppContext& c) { c.pointerState().heldButtons = 4; }, "INPUT_MOUSE_LMB", "MOUSE:MMB"},
        {"ACT0", [](AppContext& c) { c.joypads().setState(1, 0, 0, padButtons({1})); }, "INPUT_JPAD_B1", "JPAD: B2"},
        {"LF", [](AppContext& c) { c.joypads().setState(0, 1, 0, padButtons({})); }, "INPUT_JPAD_DPAD_LF", "JPAD: RT"},
        // No mouse button walks: the direction keeps its bindings.
        {"UP", [](AppContext& c) { c.pointerState().heldButtons = 1; }, "INPUT_KEY_W", "KEY:w"},
    };
    enter(*screen, "SETTINGS");
    for (const auto& each : cases) {
        Zelmo::setDefaultBindings();
        const Game::SettingsMap before = Zelmo::settings();
        startCapture(each.control);
        EXPECT_EQ(screen->convert("[CAPTURE_HINT]").rfind("PRESS THE NEW KEY OR BUTTON FOR ", 0), 0u);
        holdAndRelease([&] { each.hold(context); });
        EXPECT_FALSE(screen->capturing()) << each.control << " " << each.stored;
        EXPECT_EQ(areaName(), "SET_" + std::string(each.control));
        EXPECT_EQ(getPref(each.setting), each.stored) << each.control;
        Game::SettingsMap changed = Zelmo::settings();
        changed["PREF_" + std::string(each.setting)] = before.at("PREF_" + std::string(each.setting));
        EXPECT_EQ(changed, before) << "only the one binding changes";
    }
}

TEST_F(ControlsScreenTest, HeldInputsAreNotTakenUntilOnlyOneIsHeldAfterAllWereLetGo) {
    enter(*screen, "SETTINGS");
    context.inputControllers().getCurrent()->gotoArea("SET_UP");
    context.keyboard().setKey(Devices::KEY_RETURN, true);
    act("LOGIC_RETURN", "SET_UP");
    for (int frames = 0; frames < 10; ++frames) frame();
    EXPECT_TRUE(screen->capturing()) << "the key that took the row is not the new binding";
    EXPECT_EQ(getPref("INPUT_KEY_W"), "KEY:w");
    context.keyboard().setKey(Devices::KEY_RETURN, false);
    frame();
    context.keyboard().setKey('x', true);
    context.keyboard().setKey('y', true);
    frame();
    EXPECT_TRUE(screen->capturing()) << "two keys at once name no binding";
    context.pointerState().heldButtons = 1;
    context.keyboard().setKey('y', false);
    frame();
    EXPECT_TRUE(screen->capturing()) << "a key and a button at once name no binding";
    context.pointerState().heldButtons = 0;
    frame();
    EXPECT_EQ(getPref("INPUT_KEY_W"), "KEY:x");
}

TEST_F(ControlsScreenTest, EscapeAndKeysWhoseBindingWouldNotReadBackKeepTheOldBinding) {
    enter(*screen, "SETTINGS");
    for (const KeyCode key : {KeyCode(Devices::KEY_ESCAPE), KeyCode('_')}) {
        startCapture("UP");
        context.keyboard().setKey(key, true);
        EXPECT_EQ(frame(), "");
        // The page's own Escape choice comes after the frame that took the key; it is dropped.
        act("LOGIC_RETURN", "BACK");
        EXPECT_EQ(frame(), "");
        releaseEverything();
        EXPECT_EQ(frame(), "");
        EXPECT_FALSE(screen->capturing());
        EXPECT_EQ(areaName(), "SET_UP");
        EXPECT_EQ(getPref("INPUT_KEY_W"), "KEY:w") << int(key);
    }
}

TEST(ControlsPadReading, OnlyOneButtonOfOnePadNamesAButton) {
    const struct {
        std::vector<std::pair<int, std::vector<int>>> held;  // pad, buttons down
        bool any;
        uint32_t single;
    } cases[] = {
        {{}, false, 0},           {{{0, {0}}}, true, 256},         {{{3, {10}}}, true, 16},
        {{{1, {0, 1}}}, true, 0}, {{{0, {0}}, {2, {1}}}, true, 0},
    };
    for (const auto& each : cases) {
        Devices::Joypads pads;
        for (const auto& [pad, down] : each.held) {
            std::vector<int> buttons(Devices::Joypads::kButtons, 0);
            for (int index : down) buttons[size_t(index)] = 1;
            pads.setState(pad, 0, 0, buttons);
        }
        const ControlsLogicView::Held reading = ControlsLogicView::findSinglePadButton(pads);
        EXPECT_EQ(reading.any, each.any) << each.held.size();
        EXPECT_EQ(reading.single, each.single) << each.held.size();
    }
}

// Every key a capture stores reads back as that key; the others are turned down.
TEST(ControlBindings, EveryStoredKeyBindingReadsBackAsItsKey) {
    int turnedDown = 0;
    for (int code = 1; code <= 255; ++code) {
        const auto text = Zelmo::keyBindingText(KeyCode(code));
        if (!text) {
            ++turnedDown;
            continue;
        }
        const Input::TriggerId trigger = Input::TriggerId::fromText(*text);
        EXPECT_EQ(int(trigger.getKey()), code) << *text;
        EXPECT_EQ(text->find(' '), std::string::npos) << *text;
    }
    EXPECT_EQ(Zelmo::keyBindingText(Devices::KEY_PAGE_UP), "KEY:PAGE_UP");
    EXPECT_EQ(Zelmo::keyBindingText('_'), std::nullopt) << "'_' would read back as a blank";
    EXPECT_LT(turnedDown, 3);
}

TEST_F(ControlsScreenTest, AStuckPadButtonGivesUpTheCaptureAndTheMenuWorksAgain) {
    enter(*screen, "SETTINGS");
    startCapture("ACT1");
    context.joypads().setState(0, 0, 0, padButtons({0, 1}));  // two buttons of one pad: no single one
    for (float held = 0; held < ControlsLogicView::kGiveUpMs - 100; held += 100) frame(100);
    EXPECT_TRUE(screen->capturing());
    frame(200);
    EXPECT_FALSE(screen->capturing());
    EXPECT_EQ(areaName(), "SET_ACT1");
    EXPECT_EQ(getPref("INPUT_JPAD_B2"), "JPAD: B2");

    // Stuck from before the row was taken: still given up.
    releaseEverything();
    context.joypads().setState(2, 0, 0, padButtons({3}));
    context.inputControllers().getCurrent()->gotoArea("SET_ACT2");
    act("LOGIC_RETURN", "SET_ACT2");
    for (float held = 0; held < ControlsLogicView::kGiveUpMs + 100; held += 100) frame(100);
    EXPECT_FALSE(screen->capturing());
    EXPECT_EQ(getPref("INPUT_JPAD_B3"), "JPAD: B3");
    act("LOGIC_RETURN", "DONE");
    EXPECT_EQ(frame(), "DONE") << "the menu answers with the button still stuck";
}

// The head tracker's page, with its dwell choices played through the game's action handler; the
// pointer is moved as a head tracker moves it, never quite still.
class HeadTrackerControlsTest : public ControlsScreenTest {
protected:
    HeadTrackerControlsTest() {
        static Zelmo::GlobalInputRefs s_headRefs;
        static const bool s_loaded = s_headRefs.load("data/Accessibility.fbs", "data/accessibility");
        EXPECT_TRUE(s_loaded);
        context.inputControllers().setActionHandler(std::make_shared<Zelmo::InputActionHandler>(&context));
        EXPECT_TRUE(context.inputControllers().load("CONTROLS", "data/input/HEADTRACKER/CONTROLS.json", &s_headRefs));
    }
    void SetUp() override {
        ControlsScreenTest::SetUp();
        enter(*screen, "SETTINGS");
    }

    // Brings the pointer to the point, in percent of the window, with a wobble on the way.
    void pointAt(float x, float y) {
        for (const float wobble : {1.0f, -0.5f, 0.0f}) {
            Game::PointerState& pointer = context.pointerState();
            pointer.x = int((x + wobble) * 640 / 100);
            pointer.y = int(y * 480 / 100);
            context.onPointer(pointer);
            frames(50);
        }
    }
    // Frames as the main loop runs them: the page's timers, then the screen, until the screen
    // is left.
    void frames(float ms) {
        for (float run = 0; run < ms && left.empty(); run += kControlsFrameMs) {
            context.inputControllers().getCurrent()->tick(kControlsFrameMs);
            left = screen->update(kControlsFrameMs);
            clockMs += kControlsFrameMs;
        }
    }
    // Rests on the point for the time, wobbling a little now and then.
    void restAt(float x, float y, float ms) {
        const float until = clockMs + ms;
        while (clockMs < until && left.empty()) {
            pointAt(x, y);
            frames(std::min(350.0f, until - clockMs));
        }
    }

    static constexpr float kUpRowX = 63, kUpRowY = 15.6f;  // the middle of the UP row
    static constexpr float kNothingX = 2, kNothingY = 98;  // below the choices, where none lies
    // The command the screen was left with, and the time the frames have run.
    std::string left;
    float clockMs = 0;
};

TEST_F(HeadTrackerControlsTest, RestingOnARowStartsACaptureThatGivesUpWhenNothingIsPressed) {
    restAt(kUpRowX, kUpRowY, 2000);
    ASSERT_TRUE(screen->capturing()) << "resting on the row takes it";
    restAt(kUpRowX, kUpRowY, ControlsLogicView::kNoInputGiveUpMs - 2000);
    EXPECT_TRUE(screen->capturing()) << "a player gets a few seconds to press the new input";
    restAt(kUpRowX, kUpRowY, 2500);
    EXPECT_FALSE(screen->capturing());
    EXPECT_EQ(getPref("INPUT_KEY_W"), "KEY:w");
    EXPECT_EQ(getPref("INPUT_JPAD_DPAD_UP"), "JPAD: DPAD_UP");
}

TEST_F(HeadTrackerControlsTest, AfterACaptureTheRowIsTakenAgainOnlyOnceThePointerLeftAndCameBack) {
    restAt(kUpRowX, kUpRowY, 2000);
    ASSERT_TRUE(screen->capturing());
    restAt(kUpRowX, kUpRowY, ControlsLogicView::kNoInputGiveUpMs + 500);
    ASSERT_FALSE(screen->capturing());
    restAt(kUpRowX, kUpRowY, 4000);
    EXPECT_FALSE(screen->capturing()) << "the pointer never left the row, yet it was taken again";
    EXPECT_EQ(areaName(), "SET_UP") << "the row stays lit for keys and buttons";

    restAt(kNothingX, kNothingY, 2000);
    EXPECT_FALSE(screen->capturing());
    restAt(kUpRowX, kUpRowY, 2000);
    EXPECT_TRUE(screen->capturing()) << "back on the row, resting takes it";
}

TEST_F(HeadTrackerControlsTest, APointerThatMovedOnDuringACaptureTakesWhatItRestsOnAfterwards) {
    restAt(kUpRowX, kUpRowY, 2000);
    ASSERT_TRUE(screen->capturing());
    const float doneX = 74, doneY = 83.5f;
    restAt(doneX, doneY, ControlsLogicView::kNoInputGiveUpMs - 1500);
    EXPECT_TRUE(screen->capturing());
    EXPECT_EQ(left, "") << "a choice taken while the capture waits";
    restAt(doneX, doneY, 3000);
    EXPECT_EQ(left, "DONE") << "resting on DONE did not leave the page; lit: " << areaName();
}

TEST_F(ControlsScreenTest, LeavingLoadsTheInputsAgainAndSubPagesGoBackFirst) {
    enter(*screen, "SETTINGS");
    act("LOGIC_RETURN", "CONTROLS_MORE");
    EXPECT_EQ(frame(), "");
    EXPECT_EQ(context.inputControllers().getCurrentName(), "CONTROLS_MORE");
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(frame(), "");
    EXPECT_EQ(context.inputControllers().getCurrentName(), "CONTROLS");
    EXPECT_EQ(init->reloads, 0);
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(frame(), "BACK");
    EXPECT_EQ(init->reloads, 1);
    EXPECT_EQ(screen->display(), nullptr);

    enter(*screen, "SETTINGS");
    setPref("INPUT_KEY_W", "KEY:q");
    act("LOGIC_RETURN", "DEFAULTS");
    EXPECT_EQ(frame(), "");
    EXPECT_EQ(getPref("INPUT_KEY_W"), "KEY:w");
    act("LOGIC_RETURN", "DONE");
    EXPECT_EQ(frame(), "DONE");
    EXPECT_EQ(init->reloads, 2);
}

// Bindings the screen stores survive the preferences file and take effect in the controllers
// loaded afterwards.
TEST_F(ControlsScreenTest, SavedBindingsReadBackIntoTheTriggersOfTheirSlots) {
    enter(*screen, "SETTINGS");
    startCapture("UP");
    holdAndRelease([&] { context.keyboard().setKey(Devices::KEY_PAGE_DOWN, true); });
    startCapture("ACT0");
    holdAndRelease([&] { context.joypads().setState(0, 0, 0, padButtons({2})); });
    TempFolder folder;
    const std::string file = folder.path("preferences.cfg");
    ASSERT_TRUE(Zelmo::savePreferences(file));
    Zelmo::settings().clear();
    ASSERT_TRUE(Zelmo::loadPreferences(file));
    Zelmo::GetExternalTrigger bindings;
    const Input::TriggerId up = bindings.getKeyTrigger('W');
    EXPECT_EQ(up.getType(), Input::TriggerType::KEY);
    EXPECT_EQ(up.getKey(), Devices::KEY_PAGE_DOWN);
    const Input::TriggerId punch = bindings.getJoypadTrigger(256);
    EXPECT_EQ(punch.getType(), Input::TriggerType::JPAD);
    EXPECT_EQ(punch.getJpadBits(), 1024u);
}

// A modifier key taken as a binding is stored alone, and fires on the press the window delivers
// for it: the key's own modifier bit is not part of its press.
TEST_F(ControlsScreenTest, ACapturedModifierKeyFiresOnItsOwnPress) {
    enter(*screen, "SETTINGS");
    const KeyCode modifiers[] = {Devices::KEY_LSHIFT, Devices::KEY_RCTRL, Devices::KEY_LALT};
    for (const KeyCode key : modifiers) {
        startCapture("ACT2");
        holdAndRelease([&] { context.keyboard().setKey(key, true); });
        const Input::TriggerId bound = Zelmo::GetExternalTrigger().getKeyTrigger(' ');
        const int delivered = Game::modifierBitsBeside(key, [&](uint8_t code) { return code == key; });
        EXPECT_TRUE(bound.matches(Input::TriggerId::makeKey(key, uint32_t(delivered))))
            << getPref("INPUT_KEY_SPACE") << " against a press with modifiers " << delivered;
    }
}

// Each method's page has a row for every control, and every label it shows is filled: a
// misspelt placeholder would show in brackets.
TEST_F(ControlsScreenTest, EveryMethodsPageRebindsEveryControlAndFillsEveryLabel) {
    for (const std::string method : {"STANDARD", "ONEKEY", "ONESWITCH", "HEADTRACKER"}) {
        static Zelmo::GlobalInputRefs s_methodRefs;
        static const bool s_loaded = s_methodRefs.load("data/Accessibility.fbs", "data/accessibility");
        ASSERT_TRUE(s_loaded);
        ASSERT_TRUE(
            context.inputControllers().load("CONTROLS", "data/input/" + method + "/CONTROLS.json", &s_methodRefs));
        enter(*screen, "SETTINGS");
        Input::InputController& page = *context.inputControllers().getCurrent();
        for (const Zelmo::ControlSlots& slots : Zelmo::controlSlots()) {
            page.gotoArea("SET_" + std::string(slots.control));
            EXPECT_EQ(areaName(), "SET_" + std::string(slots.control)) << method;
        }
        for (const auto& area : page.getScreenAreaController().getAreas()) {
            EXPECT_EQ(screen->convert(area->getLabel()).find('['), std::string::npos)
                << method << " " << area->getName();
        }
        act("LOGIC_RETURN", "DONE");
        EXPECT_EQ(frame(), "DONE");
    }
}

// A page whose row names no control is a broken input file: it stops, naming the control.
class ControlsScreenDeathTest : public ControlsScreenTest {};

TEST_F(ControlsScreenDeathTest, ARowNamingNoControlStopsNamingIt) {
    enter(*screen, "SETTINGS");
    act("LOGIC_RETURN", "SET_JUMP");
    EXPECT_EXIT(frame(), ::testing::ExitedWithCode(1), "Unknown setting area:JUMP\n$");
}

}  // namespace
