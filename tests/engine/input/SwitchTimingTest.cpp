#include <gtest/gtest.h>

#include "SwitchTimeline.h"

namespace {

using Input::ScreenArea;
using Input::SwitchController;
using Input::TriggerId;
using Input::TriggerType;

struct TimingCase {
    const char* what;
    int t0, t1, t2, t3;
    TriggerType type;
    const char* script;
    const char* fired;
};

// One switch of the trigger type, on the key 'k' for keys, alone on area "A".
struct OneSwitch {
    OneSwitch(TriggerType type, int dwell, int repeat, int hold, int holdRepeat) {
        TriggerId trigger = type == TriggerType::KEY ? TriggerId::makeKey('k', 0) : TriggerId(type);
        trigger.setTimers(dwell, repeat, hold, holdRepeat);
        controller.add(namedListsSwitch("A", trigger));
    }
    SwitchController controller;
    ScreenArea area{"A"};
};

std::string runCase(const TimingCase& c) {
    OneSwitch one(c.type, c.t0, c.t1, c.t2, c.t3);
    return SwitchTimeline(one.controller, one.area).run(c.script);
}

constexpr TriggerType kKey = TriggerType::KEY;
constexpr TriggerType DWELL = TriggerType::DWELL;

// Each timing record held down and let go.
TEST(SwitchTiming, TimingRecords) {
    const TimingCase cases[] = {
        {"no timing: press once, release", 0, 0, 0, 0, kKey, "E P T100x10 R T100x5", "press@0 release@1000"},
        {"repeat", 0, 200, 0, 0, kKey, "E P T50x13 R T100x5", "press@0 press@200 press@400 press@600 release@650"},
        {"repeat and hold, let go before the hold", 0, 200, 500, 200, kKey, "E P T100x3 R T100x10",
         "press@0 release@300"},
        {"repeat and hold, held", 0, 200, 500, 200, kKey, "E P T100x10 R T100x10",
         "press@0 hold@500 heldrelease@700 hold@900 heldrelease@1000"},
        {"one switch hold, held", 0, 0, 300, 100, kKey, "E P T50x11 R T50x10",
         "press@0 hold@300 heldrelease@400 hold@500 heldrelease@550"},
        {"dwell", 300, 0, 0, 0, DWELL, "E T100x10", "press@300"},
        {"dwell and repeat", 300, 200, 0, 0, DWELL, "E T100x10", "press@300 press@500 press@700 press@900"},
    };
    for (const auto& c : cases) EXPECT_EQ(runCase(c), c.fired) << c.what;
}

// Letting go of a held switch fires its held-release once, wherever in the hold cycle it is,
// and nothing fires afterwards.
TEST(SwitchTiming, ReleaseEndsAHold) {
    const TimingCase cases[] = {
        {"during the first hold delay", 0, 0, 300, 100, kKey, "E P T100x2 R T100x10", "press@0 release@200"},
        {"right at the hold", 0, 0, 300, 100, kKey, "E P T100x3 R T100x10", "press@0 hold@300 heldrelease@300"},
        {"just after a held-release of the cycle", 0, 0, 300, 100, kKey, "E P T100x4 R T100x10",
         "press@0 hold@300 heldrelease@400 heldrelease@400"},
        {"hold without cycle", 0, 0, 300, 0, kKey, "E P T100x10 R T100x10", "press@0 hold@300 heldrelease@1000"},
        {"pressed again after", 0, 0, 300, 0, kKey, "E P T100x3 R P R",
         "press@0 hold@300 heldrelease@300 press@300 release@300"},
    };
    for (const auto& c : cases) EXPECT_EQ(runCase(c), c.fired) << c.what;
}

// One tick however long fires a countdown once, and the next starts from its full value.
TEST(SwitchTiming, OvershootFiresOnce) {
    const TimingCase cases[] = {
        {"long tick", 0, 200, 0, 0, kKey, "E P T450 T199 T1", "press@0 press@450 press@650"},
        {"exact tick", 0, 200, 0, 0, kKey, "E P T200 T200", "press@0 press@200 press@400"},
        {"long tick over the hold", 0, 0, 300, 100, kKey, "E P T5000 T99 T1", "press@0 hold@5000 heldrelease@5100"},
        {"dwell after a long tick", 300, 0, 0, 0, DWELL, "E T10000 T10000", "press@10000"},
    };
    for (const auto& c : cases) EXPECT_EQ(runCase(c), c.fired) << c.what;
}

// Events are seen after a frame is drawn, so the tick of the frame that sees a press is time the
// switch was not yet down: a tap seen after a slow frame stays a tap.
TEST(SwitchTiming, TheFrameBeforeAPressIsNotHeldTime) {
    OneSwitch one(TriggerType::KEY, 0, 0, 800, 1500);
    SwitchController& controller = one.controller;
    const ScreenArea& area = one.area;
    std::vector<Input::ActionId> actions;
    const auto names = [&actions] {
        std::string fired;
        for (const auto& action : actions) fired += action.getName() + " ";
        actions.clear();
        return fired;
    };
    controller.trigger(actions, area, TriggerId::makeKey('k', 0), true);
    controller.tick(actions, area, 1000);
    controller.trigger(actions, area, TriggerId::makeKey('k', 0), false);
    EXPECT_EQ(names(), "press release ") << "a slow frame turned a tap into a hold";

    controller.trigger(actions, area, TriggerId::makeKey('k', 0), true);
    controller.tick(actions, area, 1000);
    controller.tick(actions, area, 800);
    EXPECT_EQ(names(), "press hold ") << "held on through the next frames, it is a hold";
}

TEST(SwitchTiming, ZeroTickChangesNothing) {
    OneSwitch one(TriggerType::KEY, 0, 200, 0, 0);
    SwitchTimeline timeline(one.controller, one.area);
    EXPECT_EQ(timeline.run("E P T50 T0x100"), "press@0");
    EXPECT_EQ(one.controller.get(1)->repeatCountdown().getRemaining(), 150);
    EXPECT_EQ(one.controller.get(1)->repeatCountdown().getTotal(), 200);
}

// Entering the area again starts the dwell afresh; leaving alone does not.
TEST(SwitchTiming, EnteringRearmsDwell) {
    const TimingCase cases[] = {
        {"re-entered", 300, 0, 0, 0, DWELL, "E T200 E T200 T100", "press@500"},
        {"re-entered after firing", 300, 0, 0, 0, DWELL, "E T300 T300 E T300", "press@300 press@900"},
        {"left", 300, 0, 0, 0, DWELL, "E T200 L T100", "press@300"},
    };
    for (const auto& c : cases) EXPECT_EQ(runCase(c), c.fired) << c.what;
}

// A press or release of a DWELL switch comes from no device; enter and leave fire the lists of
// ENTERLEAVE switches only.
TEST(SwitchTiming, EnterLeaveFiresOnAreaChangeOnly) {
    const TimingCase cases[] = {
        {"enter and leave", 0, 0, 0, 0, TriggerType::ENTERLEAVE, "E T100 L E", "press@0 release@100 press@100"},
        {"keys do not reach it", 0, 0, 0, 0, TriggerType::ENTERLEAVE, "P R", ""},
        {"dwell ignores enter and leave lists", 0, 0, 0, 0, DWELL, "E L T100", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(runCase(c), c.fired) << c.what;
}

}  // namespace
