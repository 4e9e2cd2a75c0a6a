#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/input/InputHandler.h"
#include "tests/engine/input/AreaFixture.h"

namespace {

using Input::ActionId;
using Input::InputHandler;
using Input::Switch;
using Input::TriggerId;
using Input::TriggerType;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Areas A (left half) and B (right half), an invisible C over the top left corner, and switches
// whose actions say which area and what fired them.
class InputHandlerTest : public ::testing::Test {
protected:
    InputHandlerTest() : handler(areas, switches) {
        addArea(areas, "A", 0, 0, 50, 100);
        addArea(areas, "B", 50, 0, 50, 100);
        addArea(areas, "C", 0, 0, 10, 10, false);
        for (const char* area : {"A", "B"}) {
            const std::string name = area;
            addSwitch(name, TriggerId(TriggerType::ENTERLEAVE), "enter" + name, "leave" + name);
            addSwitch(name, TriggerId::makeKey('x', 0), "x" + name, "x-up" + name);
            addSwitch(name, TriggerId::makeMouse(Devices::MOUSE_LEFT), "lmb" + name, "lmb-up" + name);
            addSwitch(name, TriggerId(TriggerType::WHEEL_UP), "wheelup" + name, "");
            addSwitch(name, TriggerId(TriggerType::WHEEL_DN), "wheeldn" + name, "");
            addSwitch(name, TriggerId::makeJoypad(Devices::JPAD_B1), "b1" + name, "b1-up" + name);
        }
    }

    void addSwitch(const std::string& area, const TriggerId& trigger, const std::string& press,
                   const std::string& release) {
        Switch made;
        made.setAreaFromList(0, {area});
        made.setTrigger(trigger);
        Input::SwitchActions actions;
        actions.press.emplace_back(press, "");
        if (!release.empty()) actions.release.emplace_back(release, "");
        made.setActions(actions);
        switches.add(made);
    }

    void addDwell(const std::string& area, int32_t ms) {
        Switch dwell;
        dwell.setAreaFromList(0, {area});
        TriggerId trigger(TriggerType::DWELL);
        trigger.setTimers(ms, 0, 0, 0);
        dwell.setTrigger(trigger);
        dwell.setActions({{{"dwelt" + area, ""}}, {}, {}, {}});
        switches.add(dwell);
    }

    // The names collected since the last call.
    std::vector<std::string> fired() {
        std::vector<std::string> names;
        for (const ActionId& action : handler.getActions()) names.push_back(action.getName());
        handler.clearActions();
        return names;
    }

    std::string current() const {
        return handler.getCurrentArea() != nullptr ? handler.getCurrentArea()->getName() : "none";
    }

    Input::ScreenAreaController areas;
    Input::SwitchController switches;
    InputHandler handler;
};

TEST_F(InputHandlerTest, SelectAreaLeavesTheOldAreaAndEntersTheNew) {
    EXPECT_TRUE(handler.selectArea("A"));
    EXPECT_THAT(fired(), ElementsAre("enterA"));
    EXPECT_TRUE(handler.selectArea("B"));
    EXPECT_THAT(fired(), ElementsAre("leaveA", "enterB"));
    EXPECT_TRUE(handler.selectArea("[GOTOCURAREA]"));
    EXPECT_THAT(fired(), ElementsAre("leaveB", "enterB"));
    EXPECT_FALSE(handler.selectArea("MISSING"));
    EXPECT_THAT(fired(), ElementsAre("leaveB"));
    EXPECT_EQ(current(), "none");
}

TEST_F(InputHandlerTest, ResetEntersWithoutLeavingAndDropsWhatEnteringFired) {
    handler.selectArea("A");
    fired();
    EXPECT_TRUE(handler.reset("B"));
    EXPECT_THAT(fired(), IsEmpty());
    EXPECT_EQ(current(), "B");
    EXPECT_FALSE(handler.reset("MISSING"));
    EXPECT_EQ(current(), "none");
}

TEST_F(InputHandlerTest, KeysGoToTheCurrentAreaOnly) {
    handler.onKey('x', 0, true);
    EXPECT_THAT(fired(), IsEmpty());
    handler.selectArea("B");
    fired();
    handler.onKey('x', 0, true);
    handler.onKey('x', 0, false);
    handler.onKey('x', Devices::MOD_SHIFT, true);
    EXPECT_THAT(fired(), ElementsAre("xB", "x-upB"));
}

TEST_F(InputHandlerTest, ThePointerChoosesTheAreaAndTheChangingEventFiresNothingElse) {
    handler.onMouse(75, 50, 0, Devices::MOUSE_LEFT, true);
    EXPECT_EQ(current(), "B");
    EXPECT_THAT(fired(), ElementsAre("enterB"));
    handler.onMouse(25, 50, 1, 0, false);
    EXPECT_THAT(fired(), ElementsAre("leaveB", "enterA"));
    handler.onMouse(26, 50, 1, 0, false);
    handler.onMouse(26, 50, -2, 0, false);
    handler.onMouse(26, 50, 0, Devices::MOUSE_LEFT, true);
    handler.onMouse(26, 50, 0, Devices::MOUSE_LEFT, false);
    EXPECT_THAT(fired(), ElementsAre("wheelupA", "wheeldnA", "lmbA", "lmb-upA"));
}

TEST_F(InputHandlerTest, AnInvisibleAreaIsNotHitAndNoAreaUnderThePointerKeepsTheCurrentOne) {
    handler.onMouse(6, 5, 0, 0, false);
    handler.onMouse(5, 5, 0, 0, false);
    EXPECT_EQ(current(), "A");
    fired();
    handler.selectArea("B");
    fired();
    handler.onMouse(150, 50, 0, Devices::MOUSE_LEFT, true);
    EXPECT_EQ(current(), "B");
    EXPECT_THAT(fired(), ElementsAre("lmbB"));
}

TEST_F(InputHandlerTest, APointerRestingWhereItWasWhenTheScreenOpenedChoosesNothingUntilItMoves) {
    addDwell("B", 100);
    handler.onMouse(75, 50, 0, 0, false);
    handler.onMouse(75, 50, 0, 0, false);
    handler.tick(1000);
    EXPECT_EQ(current(), "none");
    handler.onMouse(76, 50, 0, 0, false);
    EXPECT_EQ(current(), "B");
    handler.tick(100);
    EXPECT_THAT(fired(), ElementsAre("enterB", "dweltB"));

    // A new screen: the pointer rests again until it moves there.
    handler.restPointer();
    handler.onMouse(25, 50, 0, 0, false);
    EXPECT_EQ(current(), "B");
    handler.onMouse(26, 50, 0, 0, false);
    EXPECT_EQ(current(), "A");
}

// A head tracker moves the pointer and then holds it still: when where the pointer rested as the
// screen opened is known, its first move (a single jump onto a choice) starts the dwell, while
// reports of the pointer still lying there choose nothing.
TEST_F(InputHandlerTest, TheFirstMoveFromWhereThePointerRestsStartsTheDwell) {
    addDwell("B", 100);
    handler.restPointer(InputHandler::PointerAt{25, 50});
    handler.onMouse(25, 50, 0, 0, false);
    handler.tick(1000);
    EXPECT_EQ(current(), "none") << "a pointer lying where it rested is no choice";
    handler.onMouse(75, 50, 0, 0, false);
    EXPECT_EQ(current(), "B");
    handler.tick(100);
    EXPECT_THAT(fired(), ElementsAre("enterB", "dweltB"));

    // Known to rest elsewhere, the pointer's very first report is already a move.
    handler.restPointer(InputHandler::PointerAt{75, 50});
    handler.onMouse(25, 50, 0, 0, false);
    EXPECT_EQ(current(), "A");
}

TEST_F(InputHandlerTest, AButtonCountsWhereThePointerRests) {
    handler.onMouse(75, 50, 0, Devices::MOUSE_LEFT, true);
    EXPECT_EQ(current(), "B");
}

// The pointer chose A and moved off every visible area: A stays current for a click, but its
// dwell no longer runs; back on A, the dwell starts afresh.
TEST_F(InputHandlerTest, APointerThatLeavesEveryAreaStopsTheDwellItStartedAndKeepsTheArea) {
    addDwell("A", 100);
    handler.onMouse(20, 50, 0, 0, false);
    handler.onMouse(25, 50, 0, 0, false);
    handler.tick(60);
    handler.onMouse(150, 50, 0, 0, false);
    handler.tick(1000);
    EXPECT_EQ(current(), "A");
    handler.onMouse(150, 50, 0, Devices::MOUSE_LEFT, true);
    EXPECT_THAT(fired(), ElementsAre("enterA", "lmbA"));
    handler.onMouse(25, 50, 0, 0, false);
    handler.tick(60);
    EXPECT_THAT(fired(), ElementsAre("leaveA", "enterA"));
    handler.tick(40);
    EXPECT_THAT(fired(), ElementsAre("dweltA"));
}

// A scan driven by time or keys goes on when the pointer leaves the window.
TEST_F(InputHandlerTest, APointerLeavingEveryAreaDoesNotStopADwellItDidNotStart) {
    addDwell("A", 100);
    handler.selectArea("A");
    handler.onMouse(150, 50, 0, 0, false);
    handler.onMouse(-1, -1, 0, 0, false);
    handler.tick(100);
    EXPECT_THAT(fired(), ElementsAre("enterA", "dweltA"));
}

// A choice that keeps its area current holds the area's dwell: a pointer resting on the area
// takes it no more until it has left and come back, or moved on to another area.
TEST_F(InputHandlerTest, AHeldDwellWaitsUntilThePointerLeavesAndComesBack) {
    addDwell("A", 100);
    addDwell("B", 100);
    handler.selectArea("B");
    EXPECT_FALSE(handler.pointerChoseArea());
    handler.onMouse(20, 50, 0, 0, false);
    handler.onMouse(25, 50, 0, 0, false);
    EXPECT_TRUE(handler.pointerChoseArea());
    handler.tick(100);
    EXPECT_THAT(fired(), ElementsAre("enterB", "leaveB", "enterA", "dweltA"));

    handler.holdDwellUntilPointerReturns();
    handler.onMouse(25, 50, 0, 0, false);
    handler.tick(1000);
    EXPECT_THAT(fired(), IsEmpty());
    handler.onMouse(25, 50, 0, Devices::MOUSE_LEFT, true);
    EXPECT_THAT(fired(), ElementsAre("lmbA")) << "the area stays current for a click";
    handler.onMouse(150, 50, 0, 0, false);
    handler.onMouse(25, 50, 0, 0, false);
    handler.tick(100);
    EXPECT_THAT(fired(), ElementsAre("leaveA", "enterA", "dweltA"));

    handler.holdDwellUntilPointerReturns();
    handler.onMouse(75, 50, 0, 0, false);
    handler.tick(100);
    EXPECT_THAT(fired(), ElementsAre("leaveA", "enterB", "dweltB"));
}

TEST_F(InputHandlerTest, TwoButtonsAtOnceAreIgnored) {
    handler.selectArea("A");
    fired();
    handler.onMouse(25, 50, 0, Devices::MOUSE_LEFT | Devices::MOUSE_RIGHT, true);
    EXPECT_THAT(fired(), IsEmpty());
}

TEST_F(InputHandlerTest, AButtonHeldAcrossAResetHasItsFirstReleaseIgnored) {
    handler.selectArea("A");
    handler.onMouse(25, 50, 0, Devices::MOUSE_LEFT, true);
    handler.reset("A");
    fired();
    handler.onMouse(25, 50, 0, Devices::MOUSE_LEFT, false);
    EXPECT_THAT(fired(), IsEmpty());
    handler.onMouse(25, 50, 0, Devices::MOUSE_LEFT, true);
    handler.onMouse(25, 50, 0, Devices::MOUSE_LEFT, false);
    EXPECT_THAT(fired(), ElementsAre("lmbA", "lmb-upA"));
}

// Button value 0 is joypad button 1.
const std::vector<int> kB1Down = {1};
const std::vector<int> kAtRest = {0};

TEST_F(InputHandlerTest, JoypadBitsFireOnChangeOnly) {
    handler.selectArea("A");
    fired();
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.onJoypad(0, 0, 0, kAtRest);
    EXPECT_THAT(fired(), ElementsAre("b1A", "b1-upA"));
}

TEST_F(InputHandlerTest, EachPadIsFollowedOnItsOwn) {
    handler.selectArea("A");
    fired();
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.onJoypad(1, 0, 0, kAtRest);
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.onJoypad(1, 0, 0, kAtRest);
    EXPECT_THAT(fired(), ElementsAre("b1A"));
}

TEST_F(InputHandlerTest, JoypadReportsWithoutAnAreaAreNotRemembered) {
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.selectArea("A");
    fired();
    handler.onJoypad(0, 0, 0, kB1Down);
    EXPECT_THAT(fired(), ElementsAre("b1A"));
}

TEST_F(InputHandlerTest, AJoypadBitHeldAcrossAResetHasItsFirstReleaseIgnored) {
    handler.selectArea("A");
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.reset("B");
    handler.onJoypad(0, 0, 0, kAtRest);
    EXPECT_THAT(fired(), IsEmpty());
    handler.onJoypad(0, 0, 0, kB1Down);
    EXPECT_THAT(fired(), ElementsAre("b1B"));
}

TEST_F(InputHandlerTest, ReleasesOnlyLeavesNewPressesForLater) {
    handler.selectArea("A");
    fired();
    handler.onJoypad(0, 0, 0, kB1Down, true);
    EXPECT_THAT(fired(), IsEmpty());
    handler.onJoypad(0, 0, 0, kB1Down);
    handler.onJoypad(0, 0, 0, kAtRest, true);
    EXPECT_THAT(fired(), ElementsAre("b1A", "b1-upA"));
}

TEST(JoypadBits, StickDpadAndButtons) {
    struct Case {
        int x, y;
        std::vector<int> buttons;
        uint32_t bits;
    };
    const std::vector<Case> cases = {
        {0, 1, {}, Devices::JPAD_UP},
        {0, -1, {}, Devices::JPAD_DN},
        {-1, 0, {}, Devices::JPAD_LF},
        {1, 0, {}, Devices::JPAD_RT},
        {0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, Devices::JPAD_DPAD_UP},
        {0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, Devices::JPAD_DPAD_RT},
        {0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, Devices::JPAD_DPAD_DN},
        {0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, Devices::JPAD_DPAD_LF},
        {0, 0, {1, 1, 1, 1}, Devices::JPAD_B1 | Devices::JPAD_B2 | Devices::JPAD_B3 | Devices::JPAD_B4},
        {0, 0, {0, 0, 0, 0, 1, 1, 1, 1}, 4096 | 8192},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InputHandler::joypadBits(c.x, c.y, c.buttons), c.bits) << c.x << "," << c.y;
    }
}

TEST_F(InputHandlerTest, TickCarriesFractionsOfAMillisecond) {
    addDwell("A", 3);
    handler.selectArea("A");
    fired();
    handler.tick(1.5f);
    EXPECT_THAT(fired(), IsEmpty());
    handler.tick(1.5f);
    EXPECT_THAT(fired(), ElementsAre("dweltA"));
}

TEST_F(InputHandlerTest, NothingTicksWithoutAnArea) {
    handler.tick(1000);
    EXPECT_THAT(fired(), IsEmpty());
}

}  // namespace
