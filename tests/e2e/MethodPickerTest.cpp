#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

using E2E::kSeeTimeoutMs;
using E2E::kStartTimeoutMs;
// The window a first start opens, and the screen corner far from it.
constexpr int kFirstWidth = 960, kFirstHeight = 720;
using E2E::kAwayX;
using E2E::kAwayY;

using E2E::readFile;

bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

class MethodPicker : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    }

    static bool pickerShown(const E2E::Picture& picture) {
        return picture.litPixels() > picture.width * picture.height / 50;
    }
};

// A player who can press only one key: waits for the first choice to light, holds the key on it,
// then leaves the game from the title. The picker is gone once the choice is made, the choice
// is saved, and the next start goes straight on.
TEST_F(MethodPicker, OneKeyChoosesAMethodThatIsSavedForTheNextStart) {
    E2E::X11Window window;
    // A pointer that moves takes choices too (head trackers dwell); keep it off the window.
    window.movePointerTo(kAwayX, kAwayY);
    E2E::GameProcess game({"-s", "0"});
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    ASSERT_TRUE(window.waitForPicture(kStartTimeoutMs)) << "the picker is not shown";
    // The picker starts lighting the choices in turn after 1.5 s of rest.
    const E2E::PickerPage first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);
    ASSERT_TRUE(
        window.waitUntil([&](const E2E::Picture& p) { return first.litChoice(p) == "STANDARD"; }, kSeeTimeoutMs))
        << "the scan did not start";
    // A player sees it lit, then holds the key on it until it is taken and the picker goes.
    std::this_thread::sleep_for(300ms);
    const auto pickerGone = [&](const E2E::Picture& p) { return !first.isShownIn(p); };
    EXPECT_TRUE(window.holdKeyUntil("space", pickerGone, kSeeTimeoutMs))
        << "the picker is still drawn after the choice";
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(pickerGone(window.capture())) << "the picker came back over the next screen";
    // Escape skips the intro, then leaves from the title.
    int exitCode = -1;
    bool exited = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSeeTimeoutMs);
    while (!exited && std::chrono::steady_clock::now() < deadline) {
        window.tapKey("Escape");
        exited = game.waitForExit(1000, exitCode);
    }
    ASSERT_TRUE(exited) << "the game did not leave from the title";
    EXPECT_EQ(exitCode, 0) << game.standardError();
    const std::string saved = readFile(game.pathInWorkDir("preferences.cfg"));
    EXPECT_NE(saved.find("INPUT_METHOD = STANDARD"), std::string::npos) << saved;

    // The next start goes past the picker: nothing of it is drawn.
    E2E::GameProcess next({"-s", "0"}, saved);
    E2E::X11Window nextWindow;
    ASSERT_TRUE(nextWindow.waitFor(next.pid(), kStartTimeoutMs)) << next.standardError();
    ASSERT_TRUE(nextWindow.waitForFrames(kStartTimeoutMs));
    std::this_thread::sleep_for(500ms);
    EXPECT_FALSE(first.isShownIn(nextWindow.capture())) << "the picker came back";
}

// A head-tracker user rests the pointer on "another way", then on "head tracker", and closes the
// window with the desktop's close button: the choice was saved when it was made.
TEST_F(MethodPicker, APointerDwellChoiceIsSavedAtOnceAndSurvivesClosingTheWindow) {
    E2E::X11Window window;
    window.movePointerTo(kAwayX, kAwayY);
    E2E::GameProcess game({"-s", "0"});
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    ASSERT_TRUE(window.waitForPicture(kStartTimeoutMs));
    const E2E::PickerPage first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);
    const E2E::PickerPage second("data/PICK-SWITCH-OR-HEAD.json", kFirstWidth, kFirstHeight);
    ASSERT_TRUE(window.pointAtUntil(
        first.box("PICK").centreX(), first.box("PICK").centreY(),
        [&](const E2E::Picture& p) { return second.isShownIn(p); }, kSeeTimeoutMs))
        << "dwelling on \"another way\" did not open the next question";
    EXPECT_FALSE(fileExists(game.pathInWorkDir("preferences.cfg"))) << "saved before a method was chosen";
    EXPECT_TRUE(window.pointAtUntil(
        second.box("HEADTRACKER").centreX(), second.box("HEADTRACKER").centreY(),
        [&](const E2E::Picture& p) { return !second.isShownIn(p); }, kSeeTimeoutMs))
        << "the head tracker was not chosen";
    const std::string saved = readFile(game.pathInWorkDir("preferences.cfg"));
    EXPECT_NE(saved.find("INPUT_METHOD = HEADTRACKER"), std::string::npos) << "not saved at once:\n" << saved;

    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
    EXPECT_EQ(readFile(game.pathInWorkDir("preferences.cfg")), saved);
    EXPECT_FALSE(fileExists(game.pathInWorkDir("preferences.cfg.tmp")));
}

// The pointer happens to lie over a choice when the window opens and nobody moves it: that is
// no choice. The picker stays, scanning for a key player, and nothing is saved.
TEST_F(MethodPicker, APointerRestingOverAChoiceWhenTheWindowOpensTakesNothing) {
    const E2E::PickerPage first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);
    const E2E::Box standard = first.box("STANDARD");
    E2E::X11Window window;
    window.movePointerTo(standard.centreX(), standard.centreY());  // the window opens at the corner
    E2E::GameProcess game({"-s", "0"});
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    int x = 0, y = 0;
    ASSERT_TRUE(window.pointerInWindow(x, y));
    ASSERT_TRUE(standard.contains(x, y)) << x << "," << y;

    ASSERT_TRUE(window.waitForPicture(kStartTimeoutMs));
    std::this_thread::sleep_for(3000ms);  // twice the dwell time
    EXPECT_TRUE(pickerShown(window.capture())) << "a choice was taken";
    EXPECT_FALSE(fileExists(game.pathInWorkDir("preferences.cfg")));
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
}

// Taps so quick that the key goes down and up between two frames step the light one choice
// each, with the short pause after each step. The second step is looked for in less time than
// the scan takes to move the light by itself (2 s), which the sanitizer build spans with a few
// frames only.
TEST_F(MethodPicker, QuickTapsStepThroughTheChoices) {
    if (E2E::kSlowGameFrames)
        GTEST_SKIP() << "the picker draws too few frames a second in this build to tell a tap's step from the scan's";
    E2E::X11Window window;
    window.movePointerTo(kAwayX, kAwayY);
    E2E::GameProcess game({"-s", "0"});
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    ASSERT_TRUE(window.waitForPicture(kStartTimeoutMs));
    const E2E::PickerPage first("data/INPUT-METHOD-PICK.json", kFirstWidth, kFirstHeight);

    // The first tap lights a choice (the first, or the next when the scan has begun by itself);
    // the second moves the light on, well before the scan would.
    std::string lit;
    const auto lights = [&](const E2E::Picture& p) { return !(lit = first.litChoice(p)).empty(); };
    window.quickTapKey("Down");
    ASSERT_TRUE(window.waitUntil(lights, kSeeTimeoutMs)) << "the first tap lit nothing";
    const std::string firstLit = lit;
    std::this_thread::sleep_for(300ms);  // the short pause after a step, when presses are not taken
    window.quickTapKey("Down");
    EXPECT_TRUE(window.waitUntil([&](const E2E::Picture& p) { return lights(p) && lit != firstLit; }, 1000))
        << "the second tap did not move on";
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
}

}  // namespace
