#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

constexpr int kStartTimeoutMs = 20000;

std::string readFile(const std::string& path) {
    std::ifstream l_file(path, std::ios::binary);
    std::stringstream l_text;
    l_text << l_file.rdbuf();
    return l_text.str();
}

class MethodPicker : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    }
};

// A player who can press only one key: waits for the first choice to light, holds the key on it,
// then leaves the game from the title. The choice is saved, and the next start goes straight on.
TEST_F(MethodPicker, OneKeyChoosesAMethodThatIsSavedForTheNextStart) {
    E2E::X11Window l_window;
    // A resting pointer takes choices too (head trackers dwell); keep it off the window.
    l_window.movePointerTo(1279, 1023);
    E2E::GameProcess l_game({"-s", "0"});
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    std::this_thread::sleep_for(2500ms);  // the picker starts scanning after 1.5 s of rest
    const E2E::Picture l_picker = l_window.capture();
    EXPECT_GT(l_picker.litPixels(), l_picker.width * l_picker.height / 50) << "the picker is not shown";
    l_window.tapKey("space", 1600);       // held on the lit choice until it is taken
    std::this_thread::sleep_for(500ms);
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
    const E2E::Picture l_after = l_nextWindow.capture();
    EXPECT_LT(l_after.litPixels(), l_after.width * l_after.height / 500) << "the picker came back";
}

}  // namespace
