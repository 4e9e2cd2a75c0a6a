// A player's walk through the screens around the game with the real binary: intro, title, a
// game, its pause menu, back to the game, pause again, quit to the title and out. Each screen is
// told by its look: the title's choices lit over its moving picture, the pause menu's choices
// on black, the game as neither. In the game the keyboard player walks with the arrow keys. The
// pictures are kept for a person to look at.
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

constexpr int kScreenTimeoutMs = E2E::kSeeTimeoutMs;
constexpr int kWidth = E2E::kLooksWidth, kHeight = E2E::kLooksHeight;  // the window the configuration opens

using E2E::litShare;
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
        game =
            std::make_unique<E2E::GameProcess>(std::vector<std::string>{"-s", "0"}, "INPUT_METHOD = " + method + "\n");
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

    // Waits for the game's first control, PUNCH, to light by itself (until then the maze alone can
    // make one box look the brightest), then taps the light on to the control.
    bool tapOnTo(const E2E::PickerPage& page, const std::string& control) {
        if (!lit(page, "PUNCH")) return false;
        const auto shown = [&](const E2E::Picture& picture) { return page.litChoice(picture) == control; };
        // A player keeps tapping until the box is lit: on a busy machine a tap can be dropped or
        // taken as a hold, so the light may need more than one round.
        for (size_t taps = 0; taps <= 3 * page.choices().size(); ++taps) {
            if (window.waitUntil(shown, 2000)) {
                keepPicture(window.capture(), "walk-game-" + control + "-lit");
                return true;
            }
            tap("space");
        }
        return false;
    }

    // Waits for the lit choice of a page.
    bool lit(const E2E::PickerPage& page, const std::string& choice) {
        return window.waitUntil([&](const E2E::Picture& picture) { return page.litChoice(picture) == choice; },
                                kScreenTimeoutMs);
    }

    void expectCleanExit() {
        int exitCode = -1;
        ASSERT_TRUE(game->waitForExit(E2E::kSeeTimeoutMs, exitCode)) << "the game did not quit";
        EXPECT_EQ(exitCode, 0) << game->standardError();
        EXPECT_NE(readFile(game->pathInWorkDir("preferences.cfg")).find("SCREEN_WIDTH"), std::string::npos)
            << "quitting through the menu saves the settings";
    }

    void keepPicture(const E2E::Picture& picture, const std::string& name) {
        picture.savePng(std::string(ZELMO_E2E_PICTURES) + "/" + name + ".png");
    }

    // Holds the arrow key until the player's green in the box has moved by a walk; the pictures
    // before and at the end are kept.
    bool walk(const std::string& arrow, const E2E::Box& box, bool (E2E::GreenShift::*walked)() const,
              const std::string& name) {
        const E2E::Picture before = window.capture();
        E2E::Picture after = before;
        E2E::GreenShift shift;
        const bool seen = window.holdKeyUntil(
            arrow,
            [&](const E2E::Picture& picture) {
                after = picture;
                shift = E2E::greenShift(before, picture, box);
                return (shift.*walked)();
            },
            kScreenTimeoutMs);
        keepPicture(before, "walk-before-" + name);
        keepPicture(after, "walk-after-" + name);
        std::cout << name << ": green vanished at (" << shift.vanishedAtX() << ", " << shift.vanishedAtY()
                  << "), appeared at (" << shift.appearedAtX() << ", " << shift.appearedAtY() << ")" << std::endl;
        return seen;
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
    tap("Escape");
    ASSERT_TRUE(see(&Looks::pause, looks, "standard-pause")) << "escape did not pause the game";
    tap("Escape");
    ASSERT_TRUE(see(&Looks::game, looks, "standard-resumed")) << "escape did not resume the game";
    tap("Escape");
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
    if (E2E::kSlowGameFrames) GTEST_SKIP() << E2E::kSlowGameFramesReason;
    const Looks looks("ONESWITCH");
    const E2E::PickerPage running = Looks::page("ONESWITCH", "GAME");
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
    ASSERT_TRUE(tapOnTo(running, "PAUSE")) << "taps did not light the game's pause";
    ASSERT_TRUE(holdUntil(&Looks::pause, looks, "oneswitch-pause")) << "holding on pause did not pause the game";
    ASSERT_TRUE(lit(looks.pausePage(), "RESUME")) << "letting go did not light the first choice";
    ASSERT_TRUE(holdUntil(&Looks::game, looks, "oneswitch-resumed")) << "holding on resume did not resume";
    ASSERT_TRUE(tapOnTo(running, "PAUSE"));
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

// A player with one key: the choices light in turn, and a press takes the lit one, the game's
// pause among them.
TEST_F(ScreensWalk, OneKeyPlayerPressesWhileTheChoiceIsLit) {
    if (E2E::kSlowGameFrames) GTEST_SKIP() << E2E::kSlowGameFramesReason;
    const Looks looks("ONEKEY");
    const E2E::PickerPage running = Looks::page("ONEKEY", "GAME");
    start("ONEKEY");
    ASSERT_TRUE(see(&Looks::intro, looks, "onekey-intro")) << "the intro is not shown";
    tap("space");
    ASSERT_TRUE(see(&Looks::title, looks, "onekey-title")) << "a press did not skip the intro";
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME")) << "the choices do not light in turn";
    tap("space");
    ASSERT_TRUE(see(&Looks::game, looks, "onekey-game")) << "a press on the lit choice did not start a game";
    // The first control lights after a rest; until then the maze alone can make a box look lit.
    ASSERT_TRUE(lit(running, "PUNCH")) << "the game's first control did not light";
    ASSERT_TRUE(lit(running, "PAUSE")) << "the game's controls did not light in turn up to its pause";
    tap("space");
    ASSERT_TRUE(see(&Looks::pause, looks, "onekey-pause")) << "a press on the lit pause did not pause the game";
    ASSERT_TRUE(lit(looks.pausePage(), "QUIT")) << "the light did not move on by itself";
    tap("space");
    ASSERT_TRUE(see(&Looks::title, looks, "onekey-title-again")) << "quitting the game did not show the title";
    // Closing the window ends the game as well: a press that meets the light is shown above.
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game->waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game->standardError();
}

// A player with a head tracker rests the pointer on what they want, the skip of the intro and
// the game's pause included. A head tracker may also move the pointer in one jump and then hold
// it still: that single move onto a choice of a screen just shown takes it too.
TEST_F(ScreensWalk, HeadTrackerPlayerRestsThePointerOnEachChoice) {
    const Looks looks("HEADTRACKER");
    const E2E::PickerPage intro = Looks::page("HEADTRACKER", "INTRO");
    const E2E::PickerPage running = Looks::page("HEADTRACKER", "GAME");
    start("HEADTRACKER");
    const auto restOn = [&](const E2E::PickerPage& page, const std::string& area) {
        window.pointAt(page.box(area).centreX(), page.box(area).centreY());
    };
    const auto jumpOnTo = [&](const E2E::PickerPage& page, const std::string& area) {
        window.movePointerInWindow(page.box(area).centreX(), page.box(area).centreY());
    };
    ASSERT_TRUE(see(&Looks::intro, looks, "headtracker-intro")) << "the intro is not shown";
    restOn(intro, "SKIP");
    ASSERT_TRUE(see(&Looks::title, looks, "headtracker-title")) << "resting on skip did not skip the intro";
    jumpOnTo(looks.titlePage(), "NEWGAME");
    ASSERT_TRUE(see(&Looks::game, looks, "headtracker-game")) << "a single move onto new game did not start one";
    restOn(running, "PAUSE");
    ASSERT_TRUE(see(&Looks::pause, looks, "headtracker-pause")) << "resting on the game's pause did not pause";
    jumpOnTo(looks.pausePage(), "RESUME");
    ASSERT_TRUE(see(&Looks::game, looks, "headtracker-resumed")) << "a single move onto resume did not resume";
    restOn(running, "PAUSE");
    ASSERT_TRUE(see(&Looks::pause, looks, "headtracker-pause-again"));
    restOn(looks.pausePage(), "QUIT");
    ASSERT_TRUE(see(&Looks::title, looks, "headtracker-title-again")) << "quitting the game did not show the title";
    restOn(looks.titlePage(), "QUIT");
    expectCleanExit();
}

// The level starts in a room along the top row of the maze, where the view stops at the maze's
// edge: walking down, the player moves on the screen, in a small box of change; walking left,
// the view follows the player across the maze.
TEST_F(ScreensWalk, KeyboardPlayerWalksWithTheArrowKeysAfterTheTitle) {
    if (E2E::kSlowGameFrames) GTEST_SKIP() << E2E::kSlowGameFramesReason;
    const Looks looks("STANDARD");
    start("STANDARD");
    ASSERT_TRUE(see(&Looks::intro, looks, "walk-intro")) << "the intro is not shown";
    tap("space");
    ASSERT_TRUE(see(&Looks::title, looks, "walk-title")) << "skipping the intro did not show the title";
    tap("Down");
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME")) << "down did not light the first choice";
    tap("Return");
    ASSERT_TRUE(see(&Looks::game, looks, "walk-game")) << "the game did not start";

    // The view keeps the player in a middle band, below the heads-up icons and above the level's
    // first message, which fades while the player walks. Robots walk there too, but they are not
    // green: the player's green leaving where it stood for where it went is the walk.
    const E2E::Box middle{kWidth * 30 / 100, kHeight * 13 / 100, kWidth * 70 / 100, kHeight * 60 / 100};
    EXPECT_TRUE(walk("Down", middle, &E2E::GreenShift::down, "down")) << "the down arrow did not walk the player down";
    // Back up, across the start room (a crate stands by its left wall, the door below).
    EXPECT_TRUE(walk("Up", middle, &E2E::GreenShift::up, "up")) << "the up arrow did not walk the player up";
    tap("Escape");
    ASSERT_TRUE(see(&Looks::pause, looks, "walk-pause")) << "escape did not pause the game";
}

}  // namespace
