#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SwitchTimeline.h"
#include "engine/input/ScreenArea.h"
#include "engine/input/SwitchController.h"

namespace {

using Input::ActionId;
using Input::ScreenArea;
using Input::Switch;
using Input::SwitchController;
using Input::TriggerId;
using Input::TriggerType;

std::string names(const std::vector<ActionId>& actions) {
    std::string joined;
    for (const auto& action : actions)
        joined += (joined.empty() ? "" : " ") + action.getName() + "(" + action.getParam() + ")";
    return joined;
}

Switch switchFor(const std::string& area, const TriggerId& trigger, const std::string& pressName) {
    Switch made;
    made.setAreaFromList(0, {area});
    made.setTrigger(trigger);
    made.setActions({{{pressName, ""}}, {{pressName + "-up", ""}}, {}, {}});
    return made;
}

TEST(SwitchController, AddRemoveAndGetCountFromOne) {
    SwitchController controller;
    EXPECT_EQ(controller.add(switchFor("A", TriggerId(), "first")), 1);
    EXPECT_EQ(controller.add(switchFor("B", TriggerId(), "second")), 2);
    EXPECT_EQ(controller.add(switchFor("C", TriggerId(), "third")), 3);

    EXPECT_EQ(controller.get(0), nullptr);
    EXPECT_EQ(controller.get(4), nullptr);
    EXPECT_EQ(controller.get(2)->getAreaName(), "B");
    EXPECT_FALSE(controller.remove(0));
    EXPECT_FALSE(controller.remove(4));

    EXPECT_TRUE(controller.remove(2));
    EXPECT_EQ(controller.get(2)->getAreaName(), "C");
    EXPECT_EQ(controller.get(3), nullptr);

    controller.clear();
    EXPECT_EQ(controller.get(1), nullptr);
    EXPECT_EQ(controller.add(switchFor("A", TriggerId(), "again")), 1);
}

TEST(SwitchController, AddStoresACopy) {
    SwitchController controller;
    Switch original = switchFor("A", TriggerId(), "first");
    controller.add(original);
    original.setAreaFromList(0, {"B"});
    EXPECT_EQ(controller.get(1)->getAreaName(), "A");
}

TEST(SwitchController, FindSwitchesByAreaNameAndType) {
    SwitchController controller;
    controller.add(switchFor("A", TriggerId::makeKey('a', 0), "1"));
    controller.add(switchFor("AB", TriggerId::makeKey('a', 0), "2"));
    controller.add(switchFor("A", TriggerId(TriggerType::DWELL), "3"));
    controller.add(switchFor("A", TriggerId::makeKey('b', 0), "4"));

    std::vector<Switch*> found;
    EXPECT_TRUE(controller.findSwitches(found, ScreenArea("A"), TriggerType::KEY));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], controller.get(1));
    EXPECT_EQ(found[1], controller.get(4));

    found.clear();
    EXPECT_TRUE(controller.findSwitches(found, ScreenArea("A"), TriggerType::UNDEF));
    EXPECT_EQ(found.size(), 3u) << "UNDEF finds every type";

    found.clear();
    EXPECT_FALSE(controller.findSwitches(found, ScreenArea("A"), TriggerType::MOUSE));
    EXPECT_FALSE(controller.findSwitches(found, ScreenArea("a"), TriggerType::UNDEF));
}

TEST(SwitchController, EventFiresMatchingSwitchesOfTheAreaInListOrder) {
    SwitchController controller;
    controller.add(switchFor("A", TriggerId::makeKey('a', 0), "first"));
    controller.add(switchFor("B", TriggerId::makeKey('a', 0), "other-area"));
    controller.add(switchFor("A", TriggerId::makeKey('a', 4), "ctrl"));
    controller.add(switchFor("A", TriggerId::makeMouse(1), "mouse"));
    controller.add(switchFor("A", TriggerId::makeKey('a', 0), "second"));

    std::vector<ActionId> actions;
    const ScreenArea area("A");
    controller.trigger(actions, area, TriggerId::makeKey('a', 0), true);
    controller.trigger(actions, area, TriggerId::makeKey('a', 0), false);
    EXPECT_EQ(names(actions), "first() second() first-up() second-up()");
}

TEST(SwitchController, ParametersNameTheAreaAndItsNeighbours) {
    Switch made;
    made.setAreaFromList(0, {"ONE", "TWO", "THREE"});
    made.setTrigger(TriggerId(TriggerType::ENTERLEAVE));
    made.setActions(
        {{{"GOTO_AREA", "[PREV_AREA]-[NEXT_AREA]"}, {"SAY", "[AREA_NAME] [AREA_NAME]"}, {"[AREA_NAME]", "x"}},
         {},
         {},
         {}});
    SwitchController controller;
    controller.add(made);

    std::vector<ActionId> actions;
    controller.enterArea(actions, ScreenArea("ONE"));
    EXPECT_EQ(names(actions), "GOTO_AREA(THREE-TWO) SAY(ONE ONE) [AREA_NAME](x)");
}

// Entering one area restarts the dwell of every switch, while ticks move only the area ticked.
TEST(SwitchController, EnteringRestartsEveryDwellButOnlyTheTickedAreaCountsDown) {
    TriggerId dwell(TriggerType::DWELL);
    dwell.setTimers(300, 0, 0, 0);
    SwitchController controller;
    controller.add(switchFor("A", dwell, "a"));
    controller.add(switchFor("B", dwell, "b"));
    const ScreenArea areaA("A"), areaB("B");

    std::vector<ActionId> actions;
    controller.enterArea(actions, areaA);
    controller.tick(actions, areaA, 200);
    EXPECT_EQ(controller.get(1)->repeatCountdown().getRemaining(), 100);
    EXPECT_EQ(controller.get(2)->repeatCountdown().getRemaining(), 300);

    controller.enterArea(actions, areaB);
    EXPECT_EQ(controller.get(1)->repeatCountdown().getRemaining(), 300);
    controller.tick(actions, areaB, 300);
    EXPECT_EQ(names(actions), "b()");
    EXPECT_EQ(controller.get(1)->repeatCountdown().getRemaining(), 300);
}

TEST(SwitchController, EnteringClearsTimersAndFlagsOfEverySwitch) {
    TriggerId key = TriggerId::makeKey('k', 0);
    key.setTimers(0, 0, 100, 100);
    SwitchController controller;
    controller.add(namedListsSwitch("A", key));
    const ScreenArea areaA("A"), areaB("B");
    SwitchTimeline timeline(controller, areaA);
    EXPECT_EQ(timeline.run("E P T100"), "press@0 hold@100");
    Switch& held = *controller.get(1);
    EXPECT_TRUE(held.isHeld());
    EXPECT_EQ(held.afterHoldCountdown().getRemaining(), 100);

    std::vector<ActionId> actions;
    controller.enterArea(actions, areaB);
    EXPECT_FALSE(held.isHeld());
    EXPECT_FALSE(held.isHoldCycle());
    EXPECT_FALSE(held.repeatCountdown().isRunning());
    EXPECT_FALSE(held.holdCountdown().isRunning());
    EXPECT_FALSE(held.afterHoldCountdown().isRunning());
    EXPECT_TRUE(actions.empty());
}

}  // namespace
