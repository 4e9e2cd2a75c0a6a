#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

using E2E::kStartTimeoutMs;

using E2E::readFile;

// "ZELMO: " + frames per second with two decimals + " FPS".
bool isFpsTitle(const std::string& title) {
    const std::string prefix = "ZELMO: ", suffix = " FPS";
    if (title.size() <= prefix.size() + suffix.size() || title.compare(0, prefix.size(), prefix) != 0 ||
        title.compare(title.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    const std::string number = title.substr(prefix.size(), title.size() - prefix.size() - suffix.size());
    const size_t point = number.find('.');
    if (point == 0 || point == std::string::npos || number.size() - point != 3) return false;
    for (size_t i = 0; i < number.size(); ++i) {
        if (i != point && !std::isdigit(static_cast<unsigned char>(number[i]))) return false;
    }
    return true;
}

class StartAndQuit : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    }
};

TEST_F(StartAndQuit, WindowShowsTheFramesPerSecondAndClosingExitsWithoutSaving) {
    const auto start = std::chrono::steady_clock::now();
    const std::string preferences = "# kept as it is\nSCREEN_WIDTH = 640\nSCREEN_HEIGHT = 480\n";
    E2E::GameProcess game({"-s", "0"}, preferences);

    E2E::X11Window window;
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    const auto shown = std::chrono::steady_clock::now();
    std::cout << "[ measure ] process start to window shown: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(shown - start).count() << " ms\n";

    // The title counts frames once loading is done, which a slow (sanitizer) build on a busy
    // machine reaches late.
    std::string title;
    for (int i = 0; i < kStartTimeoutMs / 50 && !isFpsTitle(title); ++i) {
        std::this_thread::sleep_for(50ms);
        title = window.title();
    }
    EXPECT_TRUE(isFpsTitle(title)) << title;

    const double cpuBefore = E2E::cpuSeconds(game.pid());
    std::this_thread::sleep_for(2s);
    const double cpuShare = (E2E::cpuSeconds(game.pid()) - cpuBefore) / 2.0;
    std::cout << "[ measure ] CPU while idling: " << cpuShare * 100.0 << " % of one core\n";

    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
    EXPECT_EQ(readFile(game.pathInWorkDir("preferences.cfg")), preferences);
}

TEST_F(StartAndQuit, OutFileIsCreatedEmptyAndAnOptionFirstStillLoadsTheConfiguration) {
    E2E::GameProcess game({"-o", "out.txt", "-s", "false"});
    E2E::X11Window window;
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0);
    std::ifstream out(game.pathInWorkDir("out.txt"));
    EXPECT_TRUE(out.good());
    EXPECT_EQ(readFile(game.pathInWorkDir("out.txt")), "");
}

TEST_F(StartAndQuit, MissingConfigurationSchemaStopsBeforeAnyWindow) {
    E2E::GameProcess game({"-s", "0"}, "", /*linkData=*/false);
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(kStartTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(game.standardError(), "Failed to load schema:data/config.fbs\n");
}

// Escape at the title quits, whether held for a moment or tapped so quickly that it goes down
// and up between two frames.
TEST_F(StartAndQuit, QuittingFromTheTitleSavesTheWindowSize) {
    for (const bool quick : {false, true}) {
        SCOPED_TRACE(quick ? "quick tap" : "held tap");
        E2E::GameProcess game({"-s", "0"}, "INPUT_METHOD = STANDARD\n");
        E2E::X11Window window;
        ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
        ASSERT_TRUE(window.waitForFrames(kStartTimeoutMs));
        std::this_thread::sleep_for(500ms);  // past the loading frames, which read no keys
        // A size the configuration does not give, so only the player's resize can have saved it.
        window.resize(800, 600);
        window.waitUntil([](const E2E::Picture& p) { return p.width == 800; }, E2E::kSeeTimeoutMs);
        // Escape counts only once the title is up, which a slow (sanitizer) build reaches late.
        int exitCode = -1;
        bool exited = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(E2E::kSeeTimeoutMs);
        while (!exited && std::chrono::steady_clock::now() < deadline) {
            if (quick) {
                window.quickTapKey("Escape");
            } else {
                window.tapKey("Escape");
            }
            exited = game.waitForExit(500, exitCode);
        }
        ASSERT_TRUE(exited) << "Escape at the title did not quit";
        EXPECT_EQ(exitCode, 0);
        const std::string saved = readFile(game.pathInWorkDir("preferences.cfg"));
        EXPECT_NE(saved.find("SCREEN_WIDTH = 800\n"), std::string::npos) << saved;
        EXPECT_NE(saved.find("SCREEN_HEIGHT = 600\n"), std::string::npos) << saved;
        EXPECT_NE(saved.find("INPUT_METHOD = STANDARD"), std::string::npos) << saved;
    }
}

// A negative width would stop the window from opening at all.
TEST_F(StartAndQuit, AWindowSizeNoWindowCanHaveGivesWayToTheDefault) {
    const std::string preferences = "SCREEN_WIDTH = -300\nSCREEN_HEIGHT = 400\nINPUT_METHOD = STANDARD\n";
    E2E::GameProcess game({"-s", "0"}, preferences);
    E2E::X11Window window;
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    const E2E::Picture picture = window.capture();
    EXPECT_EQ(picture.width, 960);  // the shipped configuration's default width
    EXPECT_EQ(picture.height, 400);
    EXPECT_NE(game.standardError().find("SCREEN_WIDTH"), std::string::npos) << game.standardError();
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(readFile(game.pathInWorkDir("preferences.cfg")), preferences);
}

// Mistyped settings, an empty binding and a quote left open: the game starts all the same, names
// each broken line once, and keeps the settings after them.
TEST_F(StartAndQuit, BrokenPreferencesAreToldAndTheGameStartsWithTheRest) {
    E2E::GameProcess game({"-s", "0"},
                          "VOL_MUSIC = abc\nSCREEN_FULL = maybe\nINPUT_METHOD = \"STANDARD\n"
                          "INPUT_KEY_W = \nINPUT_JPAD_B1 = \"JPAD: B2\"\nSCREEN_WIDTH = 800\n"
                          "SCREEN_HEIGHT = 600\n");
    E2E::X11Window window;
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    ASSERT_TRUE(window.waitForFrames(kStartTimeoutMs)) << game.standardError();
    const E2E::Picture picture = window.capture();
    EXPECT_EQ(picture.width, 800);
    EXPECT_EQ(picture.height, 600);
    const std::string told = game.standardError();
    for (const char* line : {"preferences.cfg: line 1: VOL_MUSIC = abc ignored", "preferences.cfg: line 2: SCREEN_FULL",
                             "preferences.cfg: line 3: INPUT_METHOD", "preferences.cfg: line 4: INPUT_KEY_W"}) {
        EXPECT_NE(told.find(line), std::string::npos) << line << " in\n" << told;
    }
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 4) << told;
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
}

// Without a display to open the window on, the game says why in one line instead of ending
// without a word.
TEST_F(StartAndQuit, WithoutADisplayTheGameSaysWhyInOneLine) {
    E2E::GameProcess game({"-s", "0"}, "", true, {"DISPLAY=:9999"});
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(kStartTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_THAT(game.standardError(),
                ::testing::MatchesRegex("The window system could not start: [^\n]*:9999[^\n]*\n"));
}

// A machine without a sound device plays silently: the first start shows the method picker.
TEST_F(StartAndQuit, WithoutASoundDeviceTheGameSaysSoAndShowsThePicker) {
    E2E::X11Window window;
    window.movePointerTo(1279, 1023);  // a resting pointer would take a choice
    E2E::GameProcess game({}, "", true, {"SDL_AUDIODRIVER=nosuchdriver"});
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    EXPECT_TRUE(window.waitForPicture(kStartTimeoutMs)) << "the picker is not shown";
    EXPECT_NE(game.standardError().find("playing without sound"), std::string::npos) << game.standardError();
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
}

// Ctrl-C in the terminal, or kill, ends a game that plays sound as promptly as a silent one.
TEST_F(StartAndQuit, InterruptAndTerminateEndTheGameWithSoundOn) {
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        E2E::GameProcess game({}, "", true, {"SDL_AUDIODRIVER=dummy"});
        E2E::X11Window window;
        ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
        // The title counts frames once the main loop runs, which is after the sound has started.
        for (int i = 0; i < kStartTimeoutMs / 50 && !isFpsTitle(window.title()); ++i) std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(isFpsTitle(window.title()));
        kill(game.pid(), signalNumber);
        int exitCode = -1;
        ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode))
            << "signal " << signalNumber << " did not end the game";
        EXPECT_EQ(exitCode, 128 + signalNumber);
    }
}

}  // namespace
