// A key press from the device to the event, through a configuration whose switch the player binds.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/InputControllers.h"
#include "game/config/Settings.h"
#include "game/input/GetExternalTrigger.h"
#include "tests/game/input/EventRecorder.h"

namespace {

using namespace EventRecording;

class BoundKeyPress : public ::testing::Test {
protected:
    void SetUp() override {
        Zelmo::settings().clear();
        Zelmo::installKeyBindings();
        controllers.setActionHandler(std::make_shared<InputActionHandler>(nullptr));
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
    }
    void TearDown() override { Zelmo::settings().clear(); }

    Input::InputController& load() {
        EXPECT_TRUE(controllers.load("MOVE", "tests/game/input/data/BOUND-MOVE.json", nullptr));
        controllers.setCurrent("MOVE");
        return *controllers.getCurrent();
    }

    // What one press and release of the key sent.
    std::vector<Received> pressAndRelease(Input::InputController& controller, KeyCode key) {
        recorder.events.clear();
        controller.onKey(key, 0, true);
        controller.onKey(key, 0, false);
        return recorder.events;
    }

    Input::InputControllers controllers;
    Recorder recorder;
};

TEST_F(BoundKeyPress, SendsTheMovesOfTheSwitchBoundToTheKey) {
    Zelmo::setPref("INPUT_KEY_W", "KEY:w");
    Input::InputController& controller = load();
    EXPECT_EQ(pressAndRelease(controller, 'w'), (std::vector<Received>{move(true, 1), move(false, 1)}));
    EXPECT_EQ(pressAndRelease(controller, 'W'), std::vector<Received>{});
}

TEST_F(BoundKeyPress, RebindingTakesEffectWhenTheConfigurationLoadsAgain) {
    Zelmo::setPref("INPUT_KEY_W", "KEY:w");
    Input::InputController& before = load();
    Zelmo::setPref("INPUT_KEY_W", "KEY:UP");
    EXPECT_EQ(pressAndRelease(before, 'w'), (std::vector<Received>{move(true, 1), move(false, 1)}));

    Input::InputController& reloaded = load();
    EXPECT_EQ(pressAndRelease(reloaded, Devices::KEY_UP), (std::vector<Received>{move(true, 1), move(false, 1)}));
    EXPECT_EQ(pressAndRelease(reloaded, 'w'), std::vector<Received>{});
}

}  // namespace
