#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/input/Switch.h"

namespace {

using Input::Switch;

TEST(Switch, NeighboursWrapRoundTheAreaList) {
    struct Case {
        size_t index;
        std::vector<std::string> names;
        std::string prev, area, next;
    };
    const Case cases[] = {
        {0, {"ONE", "TWO", "THREE"}, "THREE", "ONE", "TWO"},
        {1, {"ONE", "TWO", "THREE"}, "ONE", "TWO", "THREE"},
        {2, {"ONE", "TWO", "THREE"}, "TWO", "THREE", "ONE"},
        {0, {"ONLY"}, "ONLY", "ONLY", "ONLY"},
        {1, {"ONE", "TWO"}, "ONE", "TWO", "ONE"},
    };
    for (const auto& c : cases) {
        Switch made;
        made.setAreaFromList(c.index, c.names);
        EXPECT_EQ(made.getPrevAreaName(), c.prev) << c.index;
        EXPECT_EQ(made.getAreaName(), c.area) << c.index;
        EXPECT_EQ(made.getNextAreaName(), c.next) << c.index;
    }
}

TEST(Switch, CopiesCarryTriggerTimingAndTimers) {
    Switch original;
    Input::TriggerId trigger = Input::TriggerId::makeMouse(1);
    trigger.setTimers(1, 2, 3, 4);
    original.setTrigger(trigger);
    original.setColours({0x11, 0x22, 0x33});
    original.repeatCountdown().start(200);
    original.repeatCountdown().countDownTo(50);

    Switch copy = original;
    original.repeatCountdown().start(0);
    EXPECT_EQ(copy.getTrigger().getMouseButton(), 1u);
    EXPECT_EQ(copy.getTrigger().getHoldRepeatTime(), 4);
    EXPECT_EQ(copy.getColours().afterHold, 0x33u);
    EXPECT_EQ(copy.repeatCountdown().getRemaining(), 50);
    EXPECT_EQ(copy.repeatCountdown().getTotal(), 200);
}

}  // namespace
