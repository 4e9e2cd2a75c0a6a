// A player's walk through the screens around the game with the real binary: intro, title, a
// game, its pause menu, back to the game, pause again, quit to the title and out. Each screen is
// told by its look: the title's choices lit over its moving picture, the pause menu's choices
// on black, the game as neither. The pictures are kept for a person to look at.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/ScreenLooks.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

constexpr int kScreenTimeoutMs = 15000;     // a sanitizer build draws a few frames a second

using Looks = E2E::ScreenLooks;

class ScreensWalk : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
        std::filesystem::create_directories(ZELMO_E2E_PICTURES);
    }

    // Starts the game with the method saved and waits for its first frames.
    void start(const std::string& method) {
        window.movePointerTo(kAwayX, kAwayY);  // a pointer over a choice would choose it
        game = std::make_unique<E2E::GameProcess>(std::vector<std::string>{"-s", "0"});
        std::ofstream(game->pathInWorkDir("preferences.cfg")) << "INPUT_METHOD = " << method << "\n";
        ASSERT_TRUE(window.waitFor(game->pid(), kStartTimeoutMs)) << game->standardError();
        ASSERT_TRUE(window.waitForFrames(kStartTimeoutMs));
    }

    // Waits to see the screen and keeps the picture that showed it.
    bool see(bool (Looks::*look)(const E2E::Picture&) const, const Looks& looks, const std::string& name) {
        E2E::Picture shown;
        const bool seen = window.waitUntil(
            [&](const E2E::Picture& picture) {
                shown = picture;
                return (looks.*look)(picture);
            },
            kScreenTimeoutMs);
        shown.savePng(std::string(ZELMO_E2E_PICTURES) + "/walk-" + name + ".png");
        return seen;
    }

    void tap(const std::string& key) {
        window.tapKey(key);
        std::this_thread::sleep_for(300ms);  // past the menus' short pause after an action
    }

    // Holds the key until the screen shows.
    bool holdUntil(bool (Looks::*look)(const E2E::Picture&) const, const Looks& looks, const std::string& name) {
        const bool seen = window.holdKeyUntil(
            "space", [&](const E2E::Picture& picture) { return (looks.*look)(picture); }, kScreenTimeoutMs);
        window.capture().savePng(std::string(ZELMO_E2E_PICTURES) + "/walk-" + name + ".png");
        std::this_thread::sleep_for(300ms);
        return seen;
    }

    // Waits for the lit choice of a page.
    bool lit(const E2E::PickerPage& page, const std::string& choice) {
        return window.waitUntil([&](const E2E::Picture& picture) { return page.litChoice(picture) == choice; },
                                kScreenTimeoutMs);
    }

    void expectCleanExit() {
        int exitCode = -1;
        ASSERT_TRUE(game->waitForExit(10000, exitCode)) << "the game did not quit";
        EXPECT_EQ(exitCode, 0) << game->standardError();
        EXPECT_NE(readFile(game->pathInWorkDir("preferences.cfg")).find("SCREEN_WIDTH"), std::string::npos)
            << "quitting through the menu saves the settings";
    }

    E2E::X11Window window;
    std::unique_ptr<E2E::GameProcess> game;
};

TEST_F(ScreensWalk, KeyboardPlayerGoesFromTheIntroThroughAGameAndItsPauseMenuAndOut) {
    const Looks looks("STANDARD");
    start("STANDARD");
    ASSERT_TRUE(see(&Looks::intro, looks, "standard-intro")) << "the intro is not shown";
    tap("space");
    ASSERT_TRUE(see(&Looks::title, looks, "standard-title")) << "skipping the intro did not show the title";
    // Each key waits for the light to show where the one before put it: on a slow machine keys
    // that reach the game within one frame of an action are dropped, as a bounce would be.
    tap("Down");
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME")) << "down did not light the first choice";
    tap("Return");
    ASSERT_TRUE(see(&Looks::game, looks, "standard-game")) << "the game did not start";
    tap("p");
    ASSERT_TRUE(see(&Looks::pause, looks, "standard-pause")) << "p did not pause the game";
    tap("Escape");
    ASSERT_TRUE(see(&Looks::game, looks, "standard-resumed")) << "escape did not resume the game";
    tap("p");
    ASSERT_TRUE(see(&Looks::pause, looks, "standard-pause-again"));
    tap("Up");
    ASSERT_TRUE(lit(looks.pausePage(), "RESUME")) << "up did not light the first choice";
    tap("Up");
    ASSERT_TRUE(lit(looks.pausePage(), "QUIT")) << "up did not go round to the last choice";
    tap("Return");
    ASSERT_TRUE(see(&Looks::title, looks, "standard-title-again")) << "quitting the game did not show the title";
    tap("Escape");
    expectCleanExit();
}

// A player with one switch (here the space bar) taps to light the next choice and holds to
// take it.
TEST_F(ScreensWalk, OneSwitchPlayerDoesTheSameWalkWithOneKeyHeldAndTapped) {
    const Looks looks("ONESWITCH");
    start("ONESWITCH");
    ASSERT_TRUE(see(&Looks::intro, looks, "oneswitch-intro")) << "the intro is not shown";
    // A tap that spans a frame longer than the hold time counts as a hold (the picture speeds
    // up); a sanitizer build's first frames can be that long, so the player taps again.
    bool skipped = false;
    for (int tapCount = 0; tapCount < 5 && !skipped; ++tapCount) {
        tap("space");
        skipped = window.waitUntil([&](const E2E::Picture& picture) { return looks.title(picture); }, 5000);
    }
    ASSERT_TRUE(see(&Looks::title, looks, "oneswitch-title")) << "taps did not skip the intro";
    // A tap lights the first choice, and so does a rest; a tap after the rest would move on.
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME")) << "the first choice was not lit after a rest";
    ASSERT_TRUE(holdUntil(&Looks::game, looks, "oneswitch-game")) << "holding did not start a game";
    ASSERT_TRUE(holdUntil(&Looks::pause, looks, "oneswitch-pause")) << "holding in the game did not pause it";
    ASSERT_TRUE(lit(looks.pausePage(), "RESUME")) << "letting go did not light the first choice";
    ASSERT_TRUE(holdUntil(&Looks::game, looks, "oneswitch-resumed")) << "holding on resume did not resume";
    ASSERT_TRUE(holdUntil(&Looks::pause, looks, "oneswitch-pause-again"));
    ASSERT_TRUE(lit(looks.pausePage(), "RESUME"));
    tap("space");
    ASSERT_TRUE(lit(looks.pausePage(), "QUIT")) << "a tap did not light the next choice";
    ASSERT_TRUE(holdUntil(&Looks::title, looks, "oneswitch-title-again")) << "quitting the game did not show the title";
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME"));
    tap("space");
    ASSERT_TRUE(lit(looks.titlePage(), "SETTINGS"));
    tap("space");
    ASSERT_TRUE(lit(looks.titlePage(), "HELP"));
    tap("space");
    ASSERT_TRUE(lit(looks.titlePage(), "QUIT"));
    window.holdKeyUntil(
        "space", [&](const E2E::Picture&) { return !game->running(); }, kScreenTimeoutMs);
    expectCleanExit();
}

// A player with one key: the choices light in turn, and a press takes the lit one; in the game
// a hold pauses.
TEST_F(ScreensWalk, OneKeyPlayerPressesWhileTheChoiceIsLit) {
    const Looks looks("ONEKEY");
    start("ONEKEY");
    ASSERT_TRUE(see(&Looks::intro, looks, "onekey-intro")) << "the intro is not shown";
    tap("space");
    ASSERT_TRUE(see(&Looks::title, looks, "onekey-title")) << "a press did not skip the intro";
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME")) << "the choices do not light in turn";
    tap("space");
    ASSERT_TRUE(see(&Looks::game, looks, "onekey-game")) << "a press on the lit choice did not start a game";
    ASSERT_TRUE(holdUntil(&Looks::pause, looks, "onekey-pause")) << "holding in the game did not pause it";
    ASSERT_TRUE(lit(looks.pausePage(), "QUIT")) << "the light did not move on by itself";
    tap("space");
    ASSERT_TRUE(see(&Looks::title, looks, "onekey-title-again")) << "quitting the game did not show the title";
    // Closing the window ends the game as well: a press that meets the light is shown above.
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game->waitForExit(10000, exitCode));
    EXPECT_EQ(exitCode, 0) << game->standardError();
}

// A player with a head tracker rests the pointer on what they want, the skip of the intro and
// the game's pause corner included.
TEST_F(ScreensWalk, HeadTrackerPlayerRestsThePointerOnEachChoice) {
    const Looks looks("HEADTRACKER");
    const E2E::PickerPage intro = Looks::page("HEADTRACKER", "INTRO");
    const E2E::PickerPage running = Looks::page("HEADTRACKER", "GAME");
    start("HEADTRACKER");
    const auto restOn = [&](const E2E::PickerPage& page, const std::string& area) {
        window.pointAt(page.box(area).centreX(), page.box(area).centreY());
    };
    ASSERT_TRUE(see(&Looks::intro, looks, "headtracker-intro")) << "the intro is not shown";
    restOn(intro, "SKIP");
    ASSERT_TRUE(see(&Looks::title, looks, "headtracker-title")) << "resting on skip did not skip the intro";
    restOn(looks.titlePage(), "NEWGAME");
    ASSERT_TRUE(see(&Looks::game, looks, "headtracker-game")) << "resting on new game did not start one";
    restOn(running, "PAUSE");
    ASSERT_TRUE(see(&Looks::pause, looks, "headtracker-pause")) << "resting on the pause corner did not pause";
    restOn(looks.pausePage(), "RESUME");
    ASSERT_TRUE(see(&Looks::game, looks, "headtracker-resumed")) << "resting on resume did not resume";
    restOn(running, "PAUSE");
    ASSERT_TRUE(see(&Looks::pause, looks, "headtracker-pause-again"));
    restOn(looks.pausePage(), "QUIT");
    ASSERT_TRUE(see(&Looks::title, looks, "headtracker-title-again")) << "quitting the game did not show the title";
    restOn(looks.titlePage(), "QUIT");
    expectCleanExit();
}

}  // namespace
