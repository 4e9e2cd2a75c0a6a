#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "InputTestSupport.h"
#include "engine/input/InputController.h"

namespace {

using Input::InputController;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// ONE and TWO side by side over ANYWHERE; 'x' fires press and release actions in ONE and TWO,
// 'g' makes ONE go to the area named by its parameter; entering and leaving is reported.
const std::string kMenu = R"({
  "cool_down": 100,
  "areas": [
    { "name": "ANYWHERE", "rect": { "x": 0, "y": 0, "width": 100, "height": 100 } },
    { "name": "ONE", "rect": { "x": 0, "y": 0, "width": 50, "height": 50 } },
    { "name": "TWO", "rect": { "x": 50, "y": 0, "width": 50, "height": 50 } }
  ],
  "switches": [
    { "areas": ["*ALL*"], "triggers": [ { "type": "ENTERLEAVE" } ],
      "actions": { "press": [ { "name": "ENTER", "param": "[AREA_NAME]" } ],
                   "release": [ { "name": "LEAVE", "param": "[AREA_NAME]" } ] } },
    { "areas": ["ONE", "TWO"], "triggers": [ { "type": "KEY", "key": "x" } ],
      "actions": { "press": [ { "name": "X", "param": "[AREA_NAME]" } ],
                   "release": [ { "name": "X-UP", "param": "[AREA_NAME]" } ] } },
    { "areas": ["ONE"], "triggers": [ { "type": "MOUSE", "mouse": 1 } ],
      "actions": { "press": [ { "name": "CLICK" } ], "release": [ { "name": "CLICK-UP" } ] } },
    { "areas": ["ONE"], "triggers": [ { "type": "KEY", "key": "g" } ],
      "actions": { "press": [ { "name": "GOTO_AREA", "param": "TWO" }, { "name": "GOTO_AREA", "param": "ANYWHERE" } ] } },
    { "areas": ["ONE"], "triggers": [ { "type": "KEY", "key": "m" } ],
      "actions": { "press": [ { "name": "GOTO_AREA", "param": "MISSING" } ] } },
    { "areas": ["ONE"], "triggers": [ { "type": "KEY", "key": "c" } ],
      "actions": { "press": [ { "name": "GOTO_AREA", "param": "[GOTOCURAREA]" } ] } }
  ]
})";

class InputControllerTest : public ::testing::Test {
protected:
    InputControllerTest() : controller(parser.load(kMenu, &handler)) {}

    // Goes to ONE with the cool-down over and nothing recorded.
    void startInOne() {
        controller->gotoArea("ONE");
        controller->tick(1000);
        handler.take();
    }

    void tap(KeyCode key) {
        controller->onKey(key, 0, true);
        controller->onKey(key, 0, false);
    }

    ConfigParser parser;
    RecordingHandler handler;
    std::unique_ptr<InputController> controller;
};

TEST_F(InputControllerTest, ActionsStartTheCoolDownWhichDropsPressesOnly) {
    startInOne();
    controller->onKey('x', 0, true);
    EXPECT_EQ(controller->getCoolDownRemaining(), 100);
    controller->onKey('x', 0, false);
    EXPECT_THAT(handler.take(), ElementsAre("X(ONE)", "X-UP(ONE)"));

    tap('x');
    controller->onMouse(10, 10, 0, Devices::MOUSE_LEFT, true);
    controller->onMouse(10, 10, 0, Devices::MOUSE_LEFT, false);
    controller->onMouse(60, 10, 0, 0, false);
    EXPECT_THAT(handler.take(), IsEmpty());
    EXPECT_EQ(controller->getCurrentAreaName(), "ONE");

    controller->tick(60);
    controller->tick(40);
    EXPECT_EQ(controller->getCoolDownRemaining(), 0);
    tap('x');
    EXPECT_THAT(handler.take(), ElementsAre("X(ONE)", "X-UP(ONE)"));
}

TEST_F(InputControllerTest, APressDuringTheCoolDownLeavesNoHeldSwitchBehind) {
    startInOne();
    tap('x');
    handler.take();
    controller->onKey('x', 0, true);
    controller->tick(1000);
    controller->onKey('x', 0, false);
    EXPECT_THAT(handler.take(), IsEmpty());
}

TEST_F(InputControllerTest, KeyReleasesWithoutTheirPressAreIgnored) {
    startInOne();
    controller->onKey('x', 0, false);
    EXPECT_THAT(handler.take(), IsEmpty());
    controller->onKey('x', 0, true);
    controller->onKey('x', 0, false);
    EXPECT_THAT(handler.take(), ElementsAre("X(ONE)", "X-UP(ONE)"));
}

TEST_F(InputControllerTest, TheLastGotoAreaOfABatchWinsAndAllReachTheHandler) {
    startInOne();
    controller->onKey('g', 0, true);
    EXPECT_THAT(handler.take(), ElementsAre("GOTO_AREA(TWO)", "GOTO_AREA(ANYWHERE)", "LEAVE(ONE)", "ENTER(ANYWHERE)"));
    EXPECT_EQ(controller->getCurrentAreaName(), "ANYWHERE");
}

TEST_F(InputControllerTest, AMissingAreaFallsBackToAnywhereAndDropsTheLeavingActions) {
    startInOne();
    controller->onKey('m', 0, true);
    EXPECT_THAT(handler.take(), ElementsAre("GOTO_AREA(MISSING)"));
    EXPECT_EQ(controller->getCurrentAreaName(), "ANYWHERE");
}

TEST_F(InputControllerTest, GotoCurrentAreaLeavesAndEntersItAgain) {
    startInOne();
    controller->onKey('c', 0, true);
    EXPECT_THAT(handler.take(), ElementsAre("GOTO_AREA([GOTOCURAREA])", "LEAVE(ONE)", "ENTER(ONE)"));
}

TEST_F(InputControllerTest, ThePointerMovesTheSelectionOutsideTheCoolDown) {
    startInOne();
    controller->onMouse(61, 10, 0, 0, false);  // where the pointer rests
    controller->onMouse(60, 10, 0, 0, false);
    EXPECT_EQ(controller->getCurrentAreaName(), "TWO");
    EXPECT_THAT(handler.take(), ElementsAre("LEAVE(ONE)", "ENTER(TWO)"));
}

TEST_F(InputControllerTest, AButtonReleaseWithoutItsPressIsIgnored) {
    startInOne();
    controller->onMouse(10, 10, 0, Devices::MOUSE_LEFT, false);
    EXPECT_THAT(handler.take(), IsEmpty());
    controller->onMouse(10, 10, 0, Devices::MOUSE_LEFT, true);
    controller->onMouse(10, 10, 0, Devices::MOUSE_LEFT, false);
    EXPECT_THAT(handler.take(), ElementsAre("CLICK()", "CLICK-UP()"));
}

TEST_F(InputControllerTest, AReceiverMayMoveTheSelectionWhileActionsAreDelivered) {
    startInOne();
    handler.onAction = [this](const Input::ActionId& action) {
        if (action.getName() == "X") controller->gotoArea("TWO");
    };
    controller->onKey('x', 0, true);
    EXPECT_THAT(handler.take(), ElementsAre("X(ONE)", "LEAVE(ONE)", "ENTER(TWO)"));
    EXPECT_EQ(controller->getCurrentAreaName(), "TWO");
}

TEST(InputControllerCoolDown, ZeroNeverDropsEvents) {
    ConfigParser parser;
    RecordingHandler handler;
    auto controller = parser.load(R"({ "areas": [ { "name": "ANYWHERE" } ],
      "switches": [ { "areas": ["ANYWHERE"], "triggers": [ { "type": "KEY", "key": "x" } ],
                      "actions": { "press": [ { "name": "X" } ] } } ] })",
                                  &handler);
    controller->gotoArea("ANYWHERE");
    for (int i = 0; i < 3; ++i) {
        controller->onKey('x', 0, true);
        controller->onKey('x', 0, false);
    }
    EXPECT_THAT(handler.take(), ElementsAre("X()", "X()", "X()"));
}

TEST(InputControllerWithoutAnywhere, AMissingAreaLeavesNoCurrentArea) {
    ConfigParser parser;
    RecordingHandler handler;
    auto controller = parser.load(R"({ "areas": [ { "name": "ONLY" } ] })", &handler);
    controller->gotoArea("ONLY");
    EXPECT_EQ(controller->getCurrentAreaName(), "ONLY");
    controller->gotoArea("ELSEWHERE");
    EXPECT_EQ(controller->getCurrentAreaName(), "");
}

}  // namespace
