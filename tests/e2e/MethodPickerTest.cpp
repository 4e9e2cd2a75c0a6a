#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

constexpr int kStartTimeoutMs = 20000;
// The window a first start opens, and the screen corner far from it.
constexpr int kFirstWidth = 960, kFirstHeight = 720;
constexpr int kAwayX = 1900, kAwayY = 1180;

std::string readFile(const std::string& path) {
    std::ifstream l_file(path, std::ios::binary);
    std::stringstream l_text;
    l_text << l_file.rdbuf();
    return l_text.str();
}

bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

// How brightly a box is lit on average (r + g + b per pixel).
long meanLight(const E2E::Picture& picture, const E2E::Box& box) {
    long l_sum = 0;
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) l_sum += long(picture.brightness(x, y));
    }
    return l_sum / std::max(1, box.width() * box.height());
}

class MethodPicker : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    }

    // Puts the pointer on a point of the window in two small steps, as a hand or a head moves it.
    static void pointAt(E2E::X11Window& window, int x, int y) {
        window.movePointerInWindow(x - 6, y);
        std::this_thread::sleep_for(100ms);
        window.movePointerInWindow(x, y);
    }

    static bool pickerShown(const E2E::Picture& picture) {
        return picture.litPixels() > picture.width * picture.height / 50;
    }
    static bool dark(const E2E::Picture& picture) { return picture.litPixels() < picture.width * picture.height / 500; }
};

// A player who can press only one key: waits for the first choice to light, holds the key on it,
// then leaves the game from the title. The picker is gone once the choice is made, the choice
// is saved, and the next start goes straight on.
TEST_F(MethodPicker, OneKeyChoosesAMethodThatIsSavedForTheNextStart) {
    E2E::X11Window l_window;
    // A pointer that moves takes choices too (head trackers dwell); keep it off the window.
    l_window.movePointerTo(kAwayX, kAwayY);
    E2E::GameProcess l_game({"-s", "0"});
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    std::this_thread::sleep_for(2500ms);  // the picker starts scanning after 1.5 s of rest
    EXPECT_TRUE(pickerShown(l_window.capture())) << "the picker is not shown";
    l_window.tapKey("space", 1600);  // held on the lit choice until it is taken
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(dark(l_window.capture())) << "the picker is still drawn after the choice";
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(dark(l_window.capture())) << "the picker came back over the next screen";
    l_window.tapKey("Escape");
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode)) << "the game did not leave from the title";
    EXPECT_EQ(l_exitCode, 0) << l_game.standardError();
    const std::string l_saved = readFile(l_game.pathInWorkDir("preferences.cfg"));
    EXPECT_NE(l_saved.find("INPUT_METHOD = STANDARD"), std::string::npos) << l_saved;

    // The next start goes past the picker: nothing of it is drawn.
    E2E::GameProcess l_next({"-s", "0"});
    std::ofstream(l_next.pathInWorkDir("preferences.cfg"), std::ios::binary) << l_saved;
    E2E::X11Window l_nextWindow;
    ASSERT_TRUE(l_nextWindow.waitFor(l_next.pid(), kStartTimeoutMs)) << l_next.standardError();
    std::this_thread::sleep_for(1500ms);
    EXPECT_TRUE(dark(l_nextWindow.capture())) << "the picker came back";
}

// A head-tracker user rests the pointer on "another way", then on "head tracker", and closes the
// window with the desktop's close button: the choice was saved when it was made.
TEST_F(MethodPicker, APointerDwellChoiceIsSavedAtOnceAndSurvivesClosingTheWindow) {
    E2E::X11Window l_window;
    l_window.movePointerTo(kAwayX, kAwayY);
    E2E::GameProcess l_game({"-s", "0"});
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    std::this_thread::sleep_for(500ms);
    const E2E::PickerPage l_first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);
    pointAt(l_window, l_first.box("PICK").centreX(), l_first.box("PICK").centreY());
    std::this_thread::sleep_for(2500ms);  // dwelt on: the next question opens
    EXPECT_FALSE(fileExists(l_game.pathInWorkDir("preferences.cfg"))) << "saved before a method was chosen";
    const E2E::PickerPage l_second("data/PICK-SWITCH-OR-HEAD.json", kFirstWidth, kFirstHeight);
    pointAt(l_window, l_second.box("HEADTRACKER").centreX(), l_second.box("HEADTRACKER").centreY());
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(dark(l_window.capture())) << "the head tracker was not chosen";
    const std::string l_saved = readFile(l_game.pathInWorkDir("preferences.cfg"));
    EXPECT_NE(l_saved.find("INPUT_METHOD = HEADTRACKER"), std::string::npos) << "not saved at once:\n" << l_saved;

    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0) << l_game.standardError();
    EXPECT_EQ(readFile(l_game.pathInWorkDir("preferences.cfg")), l_saved);
    EXPECT_FALSE(fileExists(l_game.pathInWorkDir("preferences.cfg.tmp")));
}

// The pointer happens to lie over a choice when the window opens and nobody moves it: that is
// no choice. The picker stays, scanning for a key player, and nothing is saved.
TEST_F(MethodPicker, APointerRestingOverAChoiceWhenTheWindowOpensTakesNothing) {
    const E2E::PickerPage l_first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);
    const E2E::Box l_standard = l_first.box("STANDARD");
    E2E::X11Window l_window;
    l_window.movePointerTo(l_standard.centreX(), l_standard.centreY());  // the window opens at the corner
    E2E::GameProcess l_game({"-s", "0"});
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    int l_x = 0, l_y = 0;
    ASSERT_TRUE(l_window.pointerInWindow(l_x, l_y));
    ASSERT_TRUE(l_standard.contains(l_x, l_y)) << l_x << "," << l_y;

    std::this_thread::sleep_for(3000ms);  // twice the dwell time
    EXPECT_TRUE(pickerShown(l_window.capture())) << "a choice was taken";
    EXPECT_FALSE(fileExists(l_game.pathInWorkDir("preferences.cfg")));
    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0) << l_game.standardError();
}

// Taps so quick that the key goes down and up between two frames step the highlight one choice
// each, with the short pause after each step.
TEST_F(MethodPicker, QuickTapsStepThroughTheChoices) {
    E2E::X11Window l_window;
    l_window.movePointerTo(kAwayX, kAwayY);
    E2E::GameProcess l_game({"-s", "0"});
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    std::this_thread::sleep_for(300ms);
    const E2E::PickerPage l_first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);
    const auto l_lit = [&](const char* choice) { return meanLight(l_window.capture(), l_first.box(choice)); };

    l_window.quickTapKey("Down");
    std::this_thread::sleep_for(400ms);
    EXPECT_GT(l_lit("STANDARD"), l_lit("PICK") * 3 / 2) << "the first tap did not light the first choice";
    l_window.quickTapKey("Down");
    std::this_thread::sleep_for(400ms);
    EXPECT_GT(l_lit("PICK"), l_lit("STANDARD") * 3 / 2) << "the second tap did not move on";
    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0) << l_game.standardError();
}

}  // namespace
