// A keyboard player rebinds "UP" on the controls screen of the real binary: the new key is
// shown on the page and kept for the next run of the program; in the game it walks the player
// up and the old key no longer does. The pictures are kept for a person to look at.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/ScreenLooks.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;
using E2E::Box;
using E2E::kLooksHeight;
using E2E::kLooksWidth;
using E2E::litShare;
using E2E::menuShown;
using E2E::PickerPage;
using E2E::Picture;

using E2E::kSeeTimeoutMs;

PickerPage keyboardPage(const std::string& name) { return E2E::ScreenLooks::page("STANDARD", name); }

// The keyboard's lit choice is outlined in pink; the others in cyan.
std::string pinkChoice(const PickerPage& page, const Picture& picture) {
    std::string lit;
    int most = 0;
    for (const std::string& choice : page.choices()) {
        const int pink = E2E::pinkPixels(picture, page.box(choice));
        if (pink > most) {
            most = pink;
            lit = choice;
        }
    }
    return most > 50 ? lit : std::string();
}

class ControlsRebind : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
        std::filesystem::create_directories(ZELMO_E2E_PICTURES);
    }

    // Starts the game with these saved settings and waits for its title.
    void start(const std::string& preferences) {
        window.movePointerTo(E2E::kAwayX, E2E::kAwayY);
        game = std::make_unique<E2E::GameProcess>(std::vector<std::string>{"-s", "0"}, preferences);
        ASSERT_TRUE(window.waitFor(game->pid(), E2E::kStartTimeoutMs)) << game->standardError();
        ASSERT_TRUE(window.waitForFrames(E2E::kStartTimeoutMs));
        ASSERT_TRUE(see([&](const Picture& p) { return looks.intro(p); }, "intro")) << "no intro";
        // A tap that spans a frame longer than the hold time counts as a hold, which a busy
        // machine's first frames can be: the player taps again.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSeeTimeoutMs);
        while (std::chrono::steady_clock::now() < deadline && !titleShown(window.capture())) {
            window.tapKey("space");
            window.waitUntil([&](const Picture& p) { return titleShown(p); }, 4000);
        }
        ASSERT_TRUE(see([&](const Picture& p) { return titleShown(p); }, "title")) << "no title";
    }

    bool titleShown(const Picture& picture) const { return looks.title(picture); }
    bool controlsShown(const Picture& picture) const {
        return menuShown(picture, controls, {"SET_UP", "SET_ACT0", "DONE"}) &&
               litShare(picture, {kLooksWidth * 48 / 100, kLooksHeight * 81 / 100, kLooksWidth * 52 / 100,
                                  kLooksHeight * 86 / 100}) < 0.002;
    }
    bool pauseShown(const Picture& picture) const { return menuShown(picture, pause, pause.choices()); }

    bool see(const std::function<bool(const Picture&)>& seen, const std::string& name, int timeoutMs = kSeeTimeoutMs) {
        Picture shown;
        const bool found = window.waitUntil(
            [&](const Picture& picture) {
                shown = picture;
                return seen(picture);
            },
            timeoutMs);
        shown.savePng(std::string(ZELMO_E2E_PICTURES) + "/rebind-" + name + ".png");
        return found;
    }

    // Steps the light with Down until the choice is lit.
    bool light(const PickerPage& page, const std::string& choice) {
        for (int steps = 0; steps < 20 && pinkChoice(page, window.capture()) != choice; ++steps) {
            const std::string before = pinkChoice(page, window.capture());
            window.quickTapKey("Down");
            // Long enough that a step a busy machine shows late is not taken for lost and stepped again.
            window.waitUntil([&](const Picture& p) { return pinkChoice(page, p) != before; }, 10000);
            std::this_thread::sleep_for(300ms);
        }
        return pinkChoice(page, window.capture()) == choice;
    }
    bool take(const PickerPage& page, const std::string& choice, const std::function<bool(const Picture&)>& done) {
        const bool taken = light(page, choice) && (window.tapKey("Return"), window.waitUntil(done, kSeeTimeoutMs));
        if (!taken) window.capture().savePng(std::string(ZELMO_E2E_PICTURES) + "/rebind-not-taken-" + choice + ".png");
        return taken;
    }

    // Pixels of the row bright in one picture and not in the other: the words that changed.
    static int changedRowPixels(const Picture& one, const Picture& other, const Box& row) {
        int changed = 0;
        for (int y = row.y0; y < row.y1; ++y) {
            for (int x = row.x0; x < row.x1; ++x) {
                if ((one.brightness(x, y) > 300) != (other.brightness(x, y) > 300)) ++changed;
            }
        }
        return changed;
    }

    // Takes the control's row, waits for the page to ask for the new key, presses it and waits
    // for the row to show it. The page reads the keys held at each of its frames, and a busy
    // machine's frame can outlast a tap: the key is held until the row shows it, as a player
    // holds a key until the page answers.
    bool rebind(const std::string& control, const std::string& key) {
        const Box row = controls.box("SET_" + control);
        const Box ask = controls.box("CAPTURE");
        const auto askingShown = [&](const Picture& p) { return litShare(p, ask) > 0.01; };
        if (!light(controls, "SET_" + control)) return false;
        const Picture lit = window.capture();
        if (!take(controls, "SET_" + control, askingShown)) return false;
        const Picture asking = window.capture();
        asking.savePng(std::string(ZELMO_E2E_PICTURES) + "/rebind-asking-" + control + ".png");
        std::this_thread::sleep_for(300ms);
        // While the page asks, no row is lit; once it has the key, the row is lit again.
        window.holdKeyUntil(
            key, [&](const Picture& p) { return askingShown(p) && changedRowPixels(asking, p, row) > 30; },
            kSeeTimeoutMs);
        return see([&](const Picture& p) { return !askingShown(p) && changedRowPixels(lit, p, row) > 30; },
                   "controls-" + control);
    }

    // Holds the key in the running game until the player walks up, for timeoutMs at most (a walk
    // that ends after the key is let go is looked for a moment longer): whether it walked.
    // The player is the green figure of the picture (the robots are white and cyan): where green
    // appeared lies above where it went.
    bool walksUp(const std::string& key, const std::string& name, int timeoutMs) {
        const Picture before = window.capture();
        Picture after;
        E2E::GreenShift shift;
        const auto walked = [&](const Picture& p) {
            after = p;
            shift = E2E::greenShift(before, p, {0, 0, p.width, p.height});
            return shift.up();
        };
        const bool seen = window.holdKeyUntil(key, walked, timeoutMs) || window.waitUntil(walked, 300);
        after.savePng(std::string(ZELMO_E2E_PICTURES) + "/rebind-" + name + ".png");
        std::cout << name << ": " << shift.appeared << " green pixels appeared at y " << shift.appearedAtY() << ", "
                  << shift.vanished << " vanished at y " << shift.vanishedAtY() << std::endl;
        return seen;
    }
    bool pauseWithEscape() {
        window.tapKey("Escape");
        return window.waitUntil([&](const Picture& p) { return pauseShown(p); }, kSeeTimeoutMs);
    }
    void quitFromThePause() {
        ASSERT_TRUE(take(pause, "QUIT", [&](const Picture& p) { return titleShown(p); }));
        ASSERT_TRUE(light(title, "QUIT"));
        window.tapKey("Return");
        int exitCode = -1;
        ASSERT_TRUE(game->waitForExit(E2E::kSeeTimeoutMs, exitCode)) << "quitting from the title did not end the game";
        EXPECT_EQ(exitCode, 0) << game->standardError();
    }

    const E2E::ScreenLooks looks{"STANDARD"};
    const PickerPage& title = looks.titlePage();
    const PickerPage settings = keyboardPage("SETTINGS");
    const PickerPage controls = keyboardPage("CONTROLS");
    const PickerPage& pause = looks.pausePage();
    E2E::X11Window window;
    std::unique_ptr<E2E::GameProcess> game;
};

TEST_F(ControlsRebind, TheNewUpKeyIsShownKeptAndWalksUpAndTheOldOneDoesNot) {
    if (E2E::kSlowGameFrames) GTEST_SKIP() << E2E::kSlowGameFramesReason;
    start("INPUT_METHOD = STANDARD\n");
    const auto settingsShown = [&](const Picture& p) { return menuShown(p, settings, {"CONTROLS", "BACK"}); };
    ASSERT_TRUE(take(title, "SETTINGS", settingsShown));
    ASSERT_TRUE(take(settings, "CONTROLS", [&](const Picture& p) { return controlsShown(p); }))
        << "taking CONTROLS did not show the controls";
    ASSERT_TRUE(see([&](const Picture& p) { return controlsShown(p); }, "controls"));
    const Picture oldBinding = window.capture();
    ASSERT_TRUE(rebind("UP", "i")) << "the up row did not show a new key";
    ASSERT_TRUE(take(controls, "DONE", settingsShown)) << "done did not return to the settings page";
    ASSERT_TRUE(take(settings, "BACK", [&](const Picture& p) { return titleShown(p); }));
    ASSERT_TRUE(take(title, "NEWGAME", [&](const Picture& p) { return !titleShown(p); }));
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(walksUp("w", "game-old-key", 2000)) << "the old up key still walks";
    EXPECT_TRUE(walksUp("i", "game-new-key", kSeeTimeoutMs)) << "the new up key does not walk";
    ASSERT_TRUE(pauseWithEscape());
    quitFromThePause();
    const std::string saved = E2E::readFile(game->pathInWorkDir("preferences.cfg"));
    EXPECT_NE(saved.find("INPUT_KEY_W = KEY:i\n"), std::string::npos) << saved;

    // The next run shows the new key and walks with it.
    start("INPUT_METHOD = STANDARD\nINPUT_KEY_W = KEY:i\n");
    ASSERT_TRUE(take(title, "SETTINGS", settingsShown));
    ASSERT_TRUE(take(settings, "CONTROLS", [&](const Picture& p) { return controlsShown(p); }));
    const Box upRow = controls.box("SET_UP");
    ASSERT_TRUE(see([&](const Picture& p) { return controlsShown(p) && changedRowPixels(p, oldBinding, upRow) > 30; },
                    "controls-after-restart"))
        << "the new key is not shown after a restart";
    ASSERT_TRUE(take(controls, "DONE", settingsShown));
    ASSERT_TRUE(take(settings, "BACK", [&](const Picture& p) { return titleShown(p); }));
    ASSERT_TRUE(take(title, "NEWGAME", [&](const Picture& p) { return !titleShown(p); }));
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(walksUp("w", "restarted-old-key", 2000)) << "the old up key walks after a restart";
    EXPECT_TRUE(walksUp("i", "restarted-new-key", kSeeTimeoutMs)) << "the new up key was lost with the restart";
    ASSERT_TRUE(pauseWithEscape());
    quitFromThePause();
}

}  // namespace
