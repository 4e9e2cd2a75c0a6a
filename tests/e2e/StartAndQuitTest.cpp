#include <gtest/gtest.h>
#include <signal.h>

#include <cctype>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

constexpr int kStartTimeoutMs = 20000;  // generous: the sanitizer build starts slowly

std::string readFile(const std::string& path) {
    std::ifstream l_file(path, std::ios::binary);
    std::stringstream l_text;
    l_text << l_file.rdbuf();
    return l_text.str();
}

// "ZELMO: " + frames per second with two decimals + " FPS".
bool isFpsTitle(const std::string& title) {
    const std::string l_prefix = "ZELMO: ", l_suffix = " FPS";
    if (title.size() <= l_prefix.size() + l_suffix.size() || title.compare(0, l_prefix.size(), l_prefix) != 0 ||
        title.compare(title.size() - l_suffix.size(), l_suffix.size(), l_suffix) != 0) {
        return false;
    }
    const std::string l_number = title.substr(l_prefix.size(), title.size() - l_prefix.size() - l_suffix.size());
    const size_t l_point = l_number.find('.');
    if (l_point == 0 || l_point == std::string::npos || l_number.size() - l_point != 3) return false;
    for (size_t i = 0; i < l_number.size(); ++i) {
        if (i != l_point && !std::isdigit(static_cast<unsigned char>(l_number[i]))) return false;
    }
    return true;
}

void writeFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class StartAndQuit : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    }
};

TEST_F(StartAndQuit, WindowShowsTheFramesPerSecondAndClosingExitsWithoutSaving) {
    const auto l_start = std::chrono::steady_clock::now();
    E2E::GameProcess l_game({"-s", "0"});
    const std::string l_preferences = "# kept as it is\nSCREEN_WIDTH = 640\nSCREEN_HEIGHT = 480\n";
    writeFile(l_game.pathInWorkDir("preferences.cfg"), l_preferences);

    E2E::X11Window l_window;
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    const auto l_shown = std::chrono::steady_clock::now();
    std::cout << "[ measure ] process start to window shown: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(l_shown - l_start).count() << " ms\n";

    std::string l_title;
    for (int i = 0; i < 100 && !isFpsTitle(l_title); ++i) {
        std::this_thread::sleep_for(50ms);
        l_title = l_window.title();
    }
    EXPECT_TRUE(isFpsTitle(l_title)) << l_title;

    const double l_cpuBefore = E2E::cpuSeconds(l_game.pid());
    std::this_thread::sleep_for(2s);
    const double l_cpuShare = (E2E::cpuSeconds(l_game.pid()) - l_cpuBefore) / 2.0;
    std::cout << "[ measure ] CPU while idling: " << l_cpuShare * 100.0 << " % of one core\n";

    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0) << l_game.standardError();
    EXPECT_EQ(readFile(l_game.pathInWorkDir("preferences.cfg")), l_preferences);
}

TEST_F(StartAndQuit, OutFileIsCreatedEmptyAndAnOptionFirstStillLoadsTheConfiguration) {
    E2E::GameProcess l_game({"-o", "out.txt", "-s", "false"});
    E2E::X11Window l_window;
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0);
    std::ifstream l_out(l_game.pathInWorkDir("out.txt"));
    EXPECT_TRUE(l_out.good());
    EXPECT_EQ(readFile(l_game.pathInWorkDir("out.txt")), "");
}

TEST_F(StartAndQuit, MissingConfigurationSchemaStopsBeforeAnyWindow) {
    E2E::GameProcess l_game({"-s", "0"}, /*linkData=*/false);
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(kStartTimeoutMs, l_exitCode));
    EXPECT_EQ(l_exitCode, 1);
    EXPECT_EQ(l_game.standardError(), "Failed to load schema:data/config.fbs\n");
}

// Escape at the title quits, whether held for a moment or tapped so quickly that it goes down
// and up between two frames.
TEST_F(StartAndQuit, QuittingFromTheTitleSavesTheWindowSize) {
    for (const bool l_quick : {false, true}) {
        SCOPED_TRACE(l_quick ? "quick tap" : "held tap");
        E2E::GameProcess l_game({"-s", "0"});
        writeFile(l_game.pathInWorkDir("preferences.cfg"), "INPUT_METHOD = STANDARD\n");
        E2E::X11Window l_window;
        ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
        ASSERT_TRUE(l_window.waitForFrames(kStartTimeoutMs));
        std::this_thread::sleep_for(500ms);  // past the loading frames, which read no keys
        // A size the configuration does not give, so only the player's resize can have saved it.
        l_window.resize(800, 600);
        for (int i = 0; i < 50 && l_window.capture().width != 800; ++i) std::this_thread::sleep_for(50ms);
        // Escape counts only once the title is up, which a slow (sanitizer) build reaches late.
        int l_exitCode = -1;
        bool l_exited = false;
        for (int i = 0; i < 20 && !l_exited; ++i) {
            if (l_quick) {
                l_window.quickTapKey("Escape");
            } else {
                l_window.tapKey("Escape");
            }
            l_exited = l_game.waitForExit(500, l_exitCode);
        }
        ASSERT_TRUE(l_exited) << "Escape at the title did not quit";
        EXPECT_EQ(l_exitCode, 0);
        const std::string l_saved = readFile(l_game.pathInWorkDir("preferences.cfg"));
        EXPECT_NE(l_saved.find("SCREEN_WIDTH = 800\n"), std::string::npos) << l_saved;
        EXPECT_NE(l_saved.find("SCREEN_HEIGHT = 600\n"), std::string::npos) << l_saved;
        EXPECT_NE(l_saved.find("INPUT_METHOD = STANDARD"), std::string::npos) << l_saved;
    }
}

// A negative width would stop the window from opening at all.
TEST_F(StartAndQuit, AWindowSizeNoWindowCanHaveGivesWayToTheDefault) {
    E2E::GameProcess l_game({"-s", "0"});
    const std::string l_preferences = "SCREEN_WIDTH = -300\nSCREEN_HEIGHT = 400\nINPUT_METHOD = STANDARD\n";
    writeFile(l_game.pathInWorkDir("preferences.cfg"), l_preferences);
    E2E::X11Window l_window;
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    const E2E::Picture l_picture = l_window.capture();
    EXPECT_EQ(l_picture.width, 960);  // the shipped configuration's default width
    EXPECT_EQ(l_picture.height, 400);
    EXPECT_NE(l_game.standardError().find("SCREEN_WIDTH"), std::string::npos) << l_game.standardError();
    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0);
    EXPECT_EQ(readFile(l_game.pathInWorkDir("preferences.cfg")), l_preferences);
}

// A machine without a sound device plays silently: the first start shows the method picker.
TEST_F(StartAndQuit, WithoutASoundDeviceTheGameSaysSoAndShowsThePicker) {
    E2E::X11Window l_window;
    l_window.movePointerTo(1279, 1023);  // a resting pointer would take a choice
    E2E::GameProcess l_game({}, true, {"SDL_AUDIODRIVER=nosuchdriver"});
    ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
    std::this_thread::sleep_for(2500ms);
    const E2E::Picture l_picker = l_window.capture();
    EXPECT_GT(l_picker.litPixels(), l_picker.width * l_picker.height / 50) << "the picker is not shown";
    EXPECT_NE(l_game.standardError().find("playing without sound"), std::string::npos) << l_game.standardError();
    l_window.requestClose();
    int l_exitCode = -1;
    ASSERT_TRUE(l_game.waitForExit(10000, l_exitCode));
    EXPECT_EQ(l_exitCode, 0) << l_game.standardError();
}

// Ctrl-C in the terminal, or kill, ends a game that plays sound as promptly as a silent one.
TEST_F(StartAndQuit, InterruptAndTerminateEndTheGameWithSoundOn) {
    for (const int l_signal : {SIGINT, SIGTERM}) {
        E2E::GameProcess l_game({}, true, {"SDL_AUDIODRIVER=dummy"});
        E2E::X11Window l_window;
        ASSERT_TRUE(l_window.waitFor(l_game.pid(), kStartTimeoutMs)) << l_game.standardError();
        // The title counts frames once the main loop runs, which is after the sound has started.
        for (int i = 0; i < 100 && !isFpsTitle(l_window.title()); ++i) std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(isFpsTitle(l_window.title()));
        kill(l_game.pid(), l_signal);
        int l_exitCode = -1;
        ASSERT_TRUE(l_game.waitForExit(5000, l_exitCode)) << "signal " << l_signal << " did not end the game";
        EXPECT_EQ(l_exitCode, 128 + l_signal);
    }
}

}  // namespace
