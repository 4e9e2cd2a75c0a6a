// A switch that bounces, or a hand with a tremor, presses again a few milliseconds after letting
// go: that press and its release are ignored, so the light moves one box, not two. Presses at a
// person's pace all count.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "InputTestSupport.h"
#include "engine/input/InputController.h"
#include "engine/util/Text.h"

namespace {

using Input::InputController;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kDebounceMs = 60;

// A one-switch scan of ONE, TWO and THREE: letting go of space or of pad button 1 lights the next
// box; 'z' does the same without a debounce time.
std::string scanMenu(int coolDownMs) {
    const std::string menu = R"({
  "cool_down": COOL_DOWN,
  "areas": [ { "name": "ANYWHERE" }, { "name": "ONE" }, { "name": "TWO" }, { "name": "THREE" } ],
  "switches": [
    { "areas": ["ONE", "TWO", "THREE"],
      "triggers": [ { "type": "KEY", "key": "KEY_SPACE" }, { "type": "JPAD", "joypad": 256 } ],
      "timing": { "debounce": DEBOUNCE },
      "actions": { "press": [ { "name": "DOWN" } ], "release": [ { "name": "GOTO_AREA", "param": "[NEXT_AREA]" } ] } },
    { "areas": ["ONE", "TWO", "THREE"], "triggers": [ { "type": "KEY", "key": "z" } ],
      "actions": { "release": [ { "name": "GOTO_AREA", "param": "[NEXT_AREA]" } ] } }
  ]
})";
    return Util::replaceAll(Util::replaceAll(menu, "COOL_DOWN", std::to_string(coolDownMs)), "DEBOUNCE",
                            std::to_string(kDebounceMs));
}

// Pad button 1 (value 0) down or up.
const std::vector<int> kButtonDown = {1};
const std::vector<int> kButtonUp = {0};

class Debounce : public ::testing::Test {
protected:
    explicit Debounce(int coolDownMs = 0) : controller(parser.load(scanMenu(coolDownMs), &handler)) {
        controller->gotoArea("ONE");
        handler.take();
    }

    // Time passes in frames of at most 16 ms, as the main loop gives it.
    void wait(int ms) {
        for (; ms > 0; ms -= 16) controller->tick(float(std::min(ms, 16)));
    }
    std::string lit() const { return controller->getCurrentAreaName(); }
    // The light on ONE, the switch long let go, and nothing recorded yet: each device starts so.
    void restOnOne() {
        controller->gotoArea("ONE");
        wait(1000);
        handler.take();
    }

    ConfigParser parser;
    RecordingHandler handler;
    std::unique_ptr<InputController> controller;
};

struct Device {
    const char* name;
    std::function<void(InputController&, bool)> press;
};

const Device kDevices[] = {
    {"space", [](InputController& c, bool down) { c.onKey(Devices::KEY_SPACE, 0, down); }},
    {"pad button 1", [](InputController& c, bool down) { c.onJoypad(0, 0, 0, down ? kButtonDown : kButtonUp); }},
};

TEST_F(Debounce, ABounceFortyMillisecondsAfterATapMovesTheLightOneBox) {
    for (const Device& device : kDevices) {
        SCOPED_TRACE(device.name);
        restOnOne();
        device.press(*controller, true);
        wait(20);
        device.press(*controller, false);
        wait(20);
        device.press(*controller, true);
        wait(10);
        device.press(*controller, false);
        EXPECT_EQ(lit(), "TWO");
        EXPECT_THAT(handler.take(), ElementsAre("DOWN()", "GOTO_AREA(TWO)"));
    }
}

TEST_F(Debounce, TapsAtAPersonsPaceAllCount) {
    // Held 150 ms, as a synthetic key press is; let go for the debounce time and more.
    const char* const round[] = {"TWO", "THREE", "ONE", "TWO"};
    for (const char* expected : round) {
        controller->onKey(Devices::KEY_SPACE, 0, true);
        wait(150);
        controller->onKey(Devices::KEY_SPACE, 0, false);
        EXPECT_EQ(lit(), expected);
        wait(kDebounceMs);
    }
    EXPECT_THAT(handler.take(), ElementsAre("DOWN()", "GOTO_AREA(TWO)", "DOWN()", "GOTO_AREA(THREE)", "DOWN()",
                                            "GOTO_AREA(ONE)", "DOWN()", "GOTO_AREA(TWO)"));
}

// After a stall a release and the next press reach the game together; a press still held once
// the debounce time has passed was no bounce, and is taken then.
TEST_F(Debounce, APressStillHeldPastTheDebounceTimeIsTaken) {
    for (const Device& device : kDevices) {
        SCOPED_TRACE(device.name);
        restOnOne();
        device.press(*controller, true);
        wait(150);
        device.press(*controller, false);
        device.press(*controller, true);
        EXPECT_THAT(handler.take(), ElementsAre("DOWN()", "GOTO_AREA(TWO)"));
        wait(kDebounceMs + 16);
        EXPECT_THAT(handler.take(), ElementsAre("DOWN()"));
        device.press(*controller, false);
        EXPECT_EQ(lit(), "THREE");
        EXPECT_THAT(handler.take(), ElementsAre("GOTO_AREA(THREE)"));
    }
}

TEST_F(Debounce, ASwitchWithoutADebounceTimeTakesEveryPress) {
    for (int tap = 0; tap < 2; ++tap) {
        controller->onKey('z', 0, true);
        controller->onKey('z', 0, false);
    }
    EXPECT_EQ(lit(), "THREE");
}

// The switch was let go of on the screen before, where its press was: a bounce right after is
// ignored here all the same.
TEST_F(Debounce, AReleaseFromTheScreenBeforeCountsForTheBounceThatFollows) {
    controller->onKey(Devices::KEY_SPACE, 0, false);
    wait(16);
    controller->onKey(Devices::KEY_SPACE, 0, true);
    controller->onKey(Devices::KEY_SPACE, 0, false);
    EXPECT_EQ(lit(), "ONE");
    EXPECT_THAT(handler.take(), IsEmpty());
    wait(kDebounceMs);
    controller->onKey(Devices::KEY_SPACE, 0, true);
    controller->onKey(Devices::KEY_SPACE, 0, false);
    EXPECT_EQ(lit(), "TWO");
}

// The cool-down after an action holds the switches' timers, not the debounce's time: a press a
// person makes once it is over counts.
class DebounceWithACoolDown : public Debounce {
protected:
    DebounceWithACoolDown() : Debounce(100) {}
};

TEST_F(DebounceWithACoolDown, TheCoolDownDoesNotHoldTheDebounceTime) {
    wait(100);
    controller->onKey(Devices::KEY_SPACE, 0, true);
    wait(16);
    controller->onKey(Devices::KEY_SPACE, 0, false);
    EXPECT_EQ(lit(), "TWO");
    wait(100);
    ASSERT_EQ(controller->getCoolDownRemaining(), 0);
    controller->onKey(Devices::KEY_SPACE, 0, true);
    controller->onKey(Devices::KEY_SPACE, 0, false);
    EXPECT_EQ(lit(), "THREE");
}

}  // namespace
