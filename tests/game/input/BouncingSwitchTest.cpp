// A one-switch player whose switch bounces (or whose hand shakes) on the shipped title menu and
// game controls: a second press 40 ms after the first moves the light one box, not two; taps at
// a person's pace step the light once each.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/devices/KeyCodes.h"
#include "engine/input/InputControllers.h"
#include "game/config/InputMethods.h"
#include "game/input/GlobalInputRefs.h"

namespace {

// The actions go nowhere; the controller moves its light itself.
class NoReceiver : public Input::IActionHandler {
public:
    void handleAction(const Input::ActionId&) override {}
};

struct ScannedPage {
    const char* file;
    // The first three boxes the light steps through.
    const char* first;
    const char* second;
    const char* third;
};

class BouncingSwitch : public ::testing::TestWithParam<ScannedPage> {
protected:
    void SetUp() override {
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        controllers.setActionHandler(std::make_shared<NoReceiver>());
        Zelmo::GlobalInputRefs refs;
        ASSERT_TRUE(refs.load("data/Accessibility.fbs", "data/accessibility"));
        const std::string path = std::string("data/input/") + Zelmo::kOneSwitchMethod + "/" + GetParam().file;
        ASSERT_TRUE(controllers.load("PAGE", path, &refs));
        controllers.setCurrent("PAGE");
        // After a rest the first box lights by itself.
        for (int ms = 0; ms < 5000 && lit() != GetParam().first; ms += 16) frame(16);
        ASSERT_EQ(lit(), GetParam().first);
    }

    Input::InputController& controller() { return *controllers.getCurrent(); }
    std::string lit() { return controller().getCurrentAreaName(); }
    void frame(int ms) { controller().tick(float(ms)); }
    void wait(int ms) {
        for (; ms > 0; ms -= 16) frame(std::min(ms, 16));
    }
    void press(bool down) { controller().onKey(Devices::KEY_SPACE, 0, down); }

    Input::InputControllers controllers;
};

TEST_P(BouncingSwitch, ABounceDoesNotSkipABox) {
    press(true);
    wait(20);
    press(false);
    EXPECT_EQ(lit(), GetParam().second);
    wait(20);
    press(true);
    wait(10);
    press(false);
    EXPECT_EQ(lit(), GetParam().second) << "the bounce 40 ms after the first press moved the light on";
}

TEST_P(BouncingSwitch, TapsAtAPersonsPaceStepOnceEach) {
    // Held as long as a synthetic key press is, let go for a brisk person's while.
    for (const char* next : {GetParam().second, GetParam().third}) {
        press(true);
        wait(150);
        press(false);
        EXPECT_EQ(lit(), next);
        wait(100);
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedPages, BouncingSwitch,
                         ::testing::Values(ScannedPage{"TITLE.json", "NEWGAME", "SETTINGS", "HELP"},
                                           ScannedPage{"GAME.json", "PUNCH", "UP", "RIGHT"}),
                         [](const ::testing::TestParamInfo<ScannedPage>& info) {
                             return std::string(info.param.file).substr(0, std::string(info.param.file).find('.'));
                         });

}  // namespace
