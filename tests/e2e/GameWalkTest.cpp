// Four players, one for each way to play, take the real binary from a first start to the second
// level and out: the method picker, the intro, the title, a short first level walked to the lift,
// the next level's start, the pause menu, back to the title and quit. The levels come from a
// configuration the test writes, a two-by-two maze of a fixed seed with no robots, so the way to
// the lift is known: down to the cell's door, then left into the lift. Each step waits to see
// what a player would see, and the pictures are kept for a person to look at. Each player walks
// on a display of its own, so that the four can run side by side.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/ScreenLooks.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;
using E2E::Box;
using E2E::litShare;
using E2E::Picture;

constexpr int kStepTimeoutMs = E2E::kSeeTimeoutMs;
constexpr int kWalkTimeoutMs = 2 * E2E::kSeeTimeoutMs;  // a walk across the cell on a busy machine

// The levels the walk plays, from the last down: level 1 is the first, level 0 the boss level.
// Each is one start cell (which holds the lift) in a maze of two by two cells.
const char* const kShortLevels = R"([
  {"seed": 6, "loop_percent": 10, "cells_wide": 2, "cells_high": 2, "cell_width_tiles": 3,
   "cell_height_tiles": 3, "tile_shift_x": 5, "tile_shift_y": 5, "margin_left": 2, "margin_right": 2,
   "margin_top": 2, "margin_bottom": 2, "special_cells": [{"x": 1, "y": 1}], "minimap_regions_x": 2,
   "minimap_regions_y": 2, "collision_data": "tilecollision", "tile_atlas": "tiles.png", "robots": []},
  {"seed": 5, "loop_percent": 10, "cells_wide": 2, "cells_high": 2, "cell_width_tiles": 3,
   "cell_height_tiles": 3, "tile_shift_x": 5, "tile_shift_y": 5, "margin_left": 2, "margin_right": 2,
   "margin_top": 2, "margin_bottom": 2, "special_cells": [{"x": 1, "y": 1}], "minimap_regions_x": 2,
   "minimap_regions_y": 2, "collision_data": "tilecollision", "tile_atlas": "tiles.png", "robots": []}
])";

// The shipped configuration with the short levels in place of its own.
std::string shortGameConfiguration() {
    std::string config = E2E::readFile(E2E::GameProcess::sourceDir() + "/data/config.json");
    const size_t key = config.find("\"levels\"");
    const size_t open = config.find('[', key);
    if (key == std::string::npos || open == std::string::npos) return {};
    size_t close = open;
    for (int depth = 0; close < config.size(); ++close) {
        if (config[close] == '[') ++depth;
        if (config[close] == ']' && --depth == 0) break;
    }
    return config.substr(0, open) + kShortLevels + config.substr(close + 1);
}

// Where things of the short levels are drawn in the first window (960 × 720): the maze is small
// enough for the camera to rest, so every level shows the start cell in the same place.
const Box kPlayerAtStart{375, 290, 435, 330};
const Box kPlayerAtDoor{375, 372, 435, 387};  // the feet against the door
constexpr uint32_t kBright = 382;
// The level number's digit, in three upright strips: a "1" is lit in the middle only, a "0" on
// all three (the strips lie on its side strokes and its slash). The on-screen controls of some
// ways to play lie over it, dimming it evenly.
const Box kDigitStrips[] = {{853, 312, 861, 342}, {862, 312, 870, 342}, {871, 312, 879, 342}};

double meanLight(const Picture& p, const Box& box) {
    double sum = 0;
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) sum += p.brightness(x, y);
    }
    return sum / std::max(1, box.width() * box.height());
}

// The level number shown: 0, 1, or -1 when no digit is lit.
int levelShown(const Picture& p) {
    const double left = meanLight(p, kDigitStrips[0]), middle = meanLight(p, kDigitStrips[1]),
                 right = meanLight(p, kDigitStrips[2]);
    if (p.width != E2E::kLooksWidth || middle < 150) return -1;
    return std::min(left, right) / middle > 0.88 ? 0 : 1;
}

// The running game's on-screen control that is lit: the one whose fill, in a strip inside its top
// edge, is bright. (The maze glows through the controls, so the mean of a whole box cannot tell.)
std::string litControl(const E2E::PickerPage& controls, const Picture& p) {
    std::string lit;
    for (const std::string& control : controls.choices()) {
        const Box box = controls.box(control);
        if (meanLight(p, {box.x0 + 4, box.y0 + 2, box.x1 - 4, box.y0 + 6}) < 170) continue;
        if (!lit.empty()) return {};
        lit = control;
    }
    return lit;
}

bool playerAtStart(const Picture& p) { return litShare(p, kPlayerAtStart, kBright) > 0.25; }
bool playerAtDoor(const Picture& p) { return litShare(p, kPlayerAtDoor, kBright) > 0.25; }
bool firstLevelStart(const Picture& p) { return playerAtStart(p) && levelShown(p) == 1; }
bool nextLevelStart(const Picture& p) { return levelShown(p) == 0; }

class GameWalk : public ::testing::Test {
protected:
    void SetUp() override {
        if (E2E::kSlowGameFrames) GTEST_SKIP() << E2E::kSlowGameFramesReason;
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
        std::filesystem::create_directories(ZELMO_E2E_PICTURES);
        char pattern[] = "/tmp/zelmo-e2e-config-XXXXXX";
        m_configDir = mkdtemp(pattern);
        const std::string config = shortGameConfiguration();
        ASSERT_FALSE(config.empty()) << "the shipped configuration has no level list";
        std::ofstream(m_configDir + "/short-game.json", std::ios::binary) << config;
        window = std::make_unique<E2E::X11Window>();
        ASSERT_TRUE(window->open());
    }
    void TearDown() override {
        game.reset();
        if (!m_configDir.empty()) std::filesystem::remove_all(m_configDir);
    }

    // A first start: no preferences, so the method picker comes first.
    void startFirstTime(const std::string& method) {
        m_method = method;
        window->movePointerTo(E2E::kAwayX, E2E::kAwayY);  // a pointer over a choice would choose it
        game = std::make_unique<E2E::GameProcess>(std::vector<std::string>{m_configDir + "/short-game", "-s", "0"});
        ASSERT_TRUE(window->waitFor(game->pid(), E2E::kStartTimeoutMs)) << game->standardError();
        ASSERT_TRUE(see([&](const Picture& p) { return firstQuestion.isShownIn(p); }, "picker"))
            << "the picker is not shown";
    }

    // Waits to see what the test looks for, and keeps the picture that showed it (or the last).
    bool see(const std::function<bool(const Picture&)>& seen, const std::string& name,
             int timeoutMs = kStepTimeoutMs) {
        Picture shown;
        const bool wasSeen = window->waitUntil(
            [&](const Picture& picture) {
                shown = picture;
                return seen(picture);
            },
            timeoutMs);
        keep(shown, name);
        return wasSeen;
    }
    bool holdUntil(const std::string& keys, const std::function<bool(const Picture&)>& seen, const std::string& name,
                   int timeoutMs = kStepTimeoutMs) {
        Picture shown;
        const bool wasSeen = window->holdKeyUntil(
            keys,
            [&](const Picture& picture) {
                shown = picture;
                return seen(picture);
            },
            timeoutMs);
        keep(shown, name);
        std::this_thread::sleep_for(300ms);  // past the short pause after an action
        return wasSeen;
    }
    void keep(const Picture& picture, const std::string& name) const {
        std::string method = m_method;
        for (char& c : method) c = char(std::tolower(static_cast<unsigned char>(c)));
        picture.savePng(std::string(ZELMO_E2E_PICTURES) + "/game-" + method + "-" + name + ".png");
    }
    void tap(const std::string& key) {
        window->tapKey(key);
        std::this_thread::sleep_for(300ms);  // past the short pause after an action
    }
    std::string lightOn(const E2E::PickerPage& page, const Picture& picture) const {
        return &page == controls.get() ? litControl(page, picture) : page.litChoice(picture);
    }
    bool lit(const E2E::PickerPage& page, const std::string& choice, int timeoutMs = kStepTimeoutMs) {
        return window->waitUntil([&](const Picture& p) { return lightOn(page, p) == choice; }, timeoutMs);
    }
    // The choice lights again as the scan comes round to it: a one-key player presses as soon as
    // it does, with the whole time it stays lit ahead.
    bool litAfresh(const E2E::PickerPage& page, const std::string& choice) {
        return window->waitUntil([&](const Picture& p) { return lightOn(page, p) != choice; }, kStepTimeoutMs) &&
               lit(page, choice);
    }
    // Holds the one key on a control of the running game until the goal shows. A press that
    // comes as the light moves on takes the next control, which stays lit while held: the
    // player lets go and waits for the control to come round again.
    bool holdControl(const std::string& control, const std::function<bool(const Picture&)>& goal,
                     const std::string& name) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!litAfresh(*controls, control)) return false;
            bool reached = false;
            holdUntil(
                "space",
                [&](const Picture& p) {
                    reached = goal(p);
                    const std::string held = lightOn(*controls, p);
                    return reached || (!held.empty() && held != control);
                },
                name, kWalkTimeoutMs);
            if (reached) return true;
        }
        return false;
    }
    // One key taps the light on to the choice (each tap waits to see the light move), or waits
    // for the page to light it, then holds the key until the test sees what taking it shows.
    bool takeWithOneKey(const E2E::PickerPage& page, const std::string& choice, bool tapToMoveOn,
                        const std::function<bool(const Picture&)>& taken, const std::string& name) {
        // The taps begin once the page lights its choices by itself, so that its start and a
        // tap never cross.
        window->waitUntil([&](const Picture& p) { return !lightOn(page, p).empty(); }, kStepTimeoutMs);
        // A tap dropped or taken as a hold on a busy machine costs a round, so the player goes on
        // tapping for a few rounds, as a person would.
        for (size_t step = 0; tapToMoveOn && step <= 3 * page.choices().size(); ++step) {
            const std::string before = lightOn(page, window->capture());
            if (before == choice) break;
            tap("space");
            window->waitUntil([&](const Picture& p) { return lightOn(page, p) != before; }, kStepTimeoutMs);
        }
        if (!lit(page, choice)) return false;
        return holdUntil("space", taken, name);
    }
    void restOn(const E2E::PickerPage& page, const std::string& area) {
        window->pointAt(page.box(area).centreX(), page.box(area).centreY());
    }

    void expectQuitAndSaved() {
        int exitCode = -1;
        ASSERT_TRUE(game->waitForExit(E2E::kSeeTimeoutMs, exitCode)) << "the game did not quit";
        EXPECT_EQ(exitCode, 0) << game->standardError();
        EXPECT_NE(E2E::readFile(game->pathInWorkDir("preferences.cfg")).find("INPUT_METHOD = " + m_method),
                  std::string::npos)
            << "quitting from the title keeps the way to play";
    }

    std::unique_ptr<E2E::X11Window> window;
    std::unique_ptr<E2E::GameProcess> game;
    std::unique_ptr<E2E::PickerPage> controls;  // the running game's on-screen controls, when it has them
    const E2E::PickerPage firstQuestion{"data/INPUT-METHOD-PICK.json", E2E::kLooksWidth, E2E::kLooksHeight};
    const E2E::PickerPage anotherWay{"data/PICK-SWITCH-OR-HEAD.json", E2E::kLooksWidth, E2E::kLooksHeight};
    const E2E::PickerPage oneKeyOrSwitch{"data/PICK-SWITCH.json", E2E::kLooksWidth, E2E::kLooksHeight};

private:
    std::string m_configDir;
    std::string m_method;
};

// A suite per way to play, so that CTest runs them side by side.
class KeyboardGameWalk : public GameWalk {};
class OneKeyGameWalk : public GameWalk {};
class OneSwitchGameWalk : public GameWalk {};
class HeadTrackerGameWalk : public GameWalk {};

TEST_F(KeyboardGameWalk, ArrowsAndReturnPlayFromTheFirstStartToTheSecondLevelAndOut) {
    const E2E::ScreenLooks looks("STANDARD");
    startFirstTime("STANDARD");
    tap("Down");
    ASSERT_TRUE(lit(firstQuestion, "STANDARD")) << "down did not light the keyboard choice";
    ASSERT_TRUE(holdUntil("Return", [&](const Picture& p) { return !firstQuestion.isShownIn(p); }, "picked"))
        << "holding return did not take the keyboard";
    ASSERT_TRUE(see([&](const Picture& p) { return looks.intro(p); }, "intro")) << "the intro is not shown";
    tap("space");
    ASSERT_TRUE(see([&](const Picture& p) { return looks.title(p); }, "title")) << "space did not skip the intro";
    tap("Down");
    ASSERT_TRUE(lit(looks.titlePage(), "NEWGAME"));
    tap("Return");
    ASSERT_TRUE(see(firstLevelStart, "level-1")) << "the first level did not start with its goal";
    ASSERT_TRUE(holdUntil("Down", playerAtDoor, "at-door", kWalkTimeoutMs)) << "down did not walk to the door";
    ASSERT_TRUE(holdUntil("Left", nextLevelStart, "level-0", kWalkTimeoutMs))
        << "walking left into the lift did not start the next level";
    tap("Escape");
    ASSERT_TRUE(see([&](const Picture& p) { return looks.pause(p); }, "pause")) << "escape did not pause";
    tap("Up");
    ASSERT_TRUE(lit(looks.pausePage(), "RESUME"));
    tap("Up");
    ASSERT_TRUE(lit(looks.pausePage(), "QUIT"));
    tap("Return");
    ASSERT_TRUE(see([&](const Picture& p) { return looks.title(p); }, "title-again")) << "quitting did not show the title";
    tap("Escape");
    expectQuitAndSaved();
}

TEST_F(OneKeyGameWalk, OneKeyHeldWhileEachChoiceIsLitPlaysFromTheFirstStartToTheSecondLevelAndOut) {
    const E2E::ScreenLooks looks("ONEKEY");
    controls = std::make_unique<E2E::PickerPage>(E2E::ScreenLooks::page("ONEKEY", "GAME"));
    startFirstTime("ONEKEY");
    const auto shows = [](const E2E::PickerPage& page) {
        return [&page](const Picture& p) { return page.isShownIn(p); };
    };
    const auto gone = [](const E2E::PickerPage& page) {
        return [&page](const Picture& p) { return !page.isShownIn(p); };
    };
    ASSERT_TRUE(takeWithOneKey(firstQuestion, "PICK", true, shows(anotherWay), "another-way"));
    ASSERT_TRUE(takeWithOneKey(anotherWay, "PICK-SWITCH", true, shows(oneKeyOrSwitch), "one-key-or-switch"));
    ASSERT_TRUE(takeWithOneKey(oneKeyOrSwitch, "ONEKEY", true, gone(oneKeyOrSwitch), "picked"));
    ASSERT_TRUE(see([&](const Picture& p) { return looks.intro(p); }, "intro")) << "the intro is not shown";
    tap("space");
    ASSERT_TRUE(see([&](const Picture& p) { return looks.title(p); }, "title")) << "a press did not skip the intro";
    ASSERT_TRUE(litAfresh(looks.titlePage(), "NEWGAME"));
    tap("space");
    ASSERT_TRUE(see(firstLevelStart, "level-1")) << "the first level did not start with its goal";
    ASSERT_TRUE(holdControl("DOWN", playerAtDoor, "at-door")) << "holding on down did not walk to the door";
    ASSERT_TRUE(holdControl("LEFT", nextLevelStart, "level-0"))
        << "walking left into the lift did not start the next level";
    ASSERT_TRUE(litAfresh(*controls, "PAUSE"));
    tap("space");
    ASSERT_TRUE(see([&](const Picture& p) { return looks.pause(p); }, "pause")) << "a press on pause did not pause";
    ASSERT_TRUE(litAfresh(looks.pausePage(), "QUIT"));
    tap("space");
    ASSERT_TRUE(see([&](const Picture& p) { return looks.title(p); }, "title-again")) << "quitting did not show the title";
    ASSERT_TRUE(litAfresh(looks.titlePage(), "QUIT"));
    tap("space");
    expectQuitAndSaved();
}

TEST_F(OneSwitchGameWalk, OneSwitchTappedAndHeldPlaysFromTheFirstStartToTheSecondLevelAndOut) {
    const E2E::ScreenLooks looks("ONESWITCH");
    controls = std::make_unique<E2E::PickerPage>(E2E::ScreenLooks::page("ONESWITCH", "GAME"));
    startFirstTime("ONESWITCH");
    const auto shows = [](const E2E::PickerPage& page) {
        return [&page](const Picture& p) { return page.isShownIn(p); };
    };
    const auto gone = [](const E2E::PickerPage& page) {
        return [&page](const Picture& p) { return !page.isShownIn(p); };
    };
    const auto seen = [&](bool (E2E::ScreenLooks::*look)(const Picture&) const) {
        return [&looks, look](const Picture& p) { return (looks.*look)(p); };
    };
    ASSERT_TRUE(takeWithOneKey(firstQuestion, "PICK", true, shows(anotherWay), "another-way"));
    ASSERT_TRUE(takeWithOneKey(anotherWay, "PICK-SWITCH", true, shows(oneKeyOrSwitch), "one-key-or-switch"));
    ASSERT_TRUE(takeWithOneKey(oneKeyOrSwitch, "ONESWITCH", true, gone(oneKeyOrSwitch), "picked"));
    ASSERT_TRUE(see(seen(&E2E::ScreenLooks::intro), "intro")) << "the intro is not shown";
    // A tap that spans a frame longer than the hold time counts as a hold (the picture speeds
    // up), so the player taps again until the title shows.
    bool skipped = false;
    for (int tapCount = 0; tapCount < 5 && !skipped; ++tapCount) {
        tap("space");
        skipped = window->waitUntil(seen(&E2E::ScreenLooks::title), 5000);
    }
    ASSERT_TRUE(see(seen(&E2E::ScreenLooks::title), "title")) << "taps did not skip the intro";
    ASSERT_TRUE(takeWithOneKey(looks.titlePage(), "NEWGAME", true, firstLevelStart, "level-1"))
        << "holding on new game did not start the first level with its goal";
    ASSERT_TRUE(takeWithOneKey(*controls, "DOWN", true, playerAtDoor, "at-door")) << "holding on down did not walk";
    ASSERT_TRUE(takeWithOneKey(*controls, "LEFT", true, nextLevelStart, "level-0"))
        << "walking left into the lift did not start the next level";
    ASSERT_TRUE(takeWithOneKey(*controls, "PAUSE", true, seen(&E2E::ScreenLooks::pause), "pause"))
        << "holding on pause did not pause";
    ASSERT_TRUE(takeWithOneKey(looks.pausePage(), "QUIT", true, seen(&E2E::ScreenLooks::title), "title-again"))
        << "quitting did not show the title";
    for (size_t step = 0; step < looks.titlePage().choices().size(); ++step) {
        const std::string before = looks.titlePage().litChoice(window->capture());
        if (before == "QUIT") break;
        tap("space");
        window->waitUntil([&](const Picture& p) { return looks.titlePage().litChoice(p) != before; }, kStepTimeoutMs);
    }
    ASSERT_TRUE(lit(looks.titlePage(), "QUIT"));
    // Held until the game has gone: no picture can show that.
    window->holdKeyUntil(
        "space", [&](const Picture&) { return !game->running(); }, kStepTimeoutMs);
    expectQuitAndSaved();
}

TEST_F(HeadTrackerGameWalk, PointerRestingOnEachControlPlaysFromTheFirstStartToTheSecondLevelAndOut) {
    const E2E::ScreenLooks looks("HEADTRACKER");
    const E2E::PickerPage intro = E2E::ScreenLooks::page("HEADTRACKER", "INTRO");
    const E2E::PickerPage onScreen = E2E::ScreenLooks::page("HEADTRACKER", "GAME");
    const auto seen = [&](bool (E2E::ScreenLooks::*look)(const Picture&) const) {
        return [&looks, look](const Picture& p) { return (looks.*look)(p); };
    };
    startFirstTime("HEADTRACKER");
    restOn(firstQuestion, "PICK");
    ASSERT_TRUE(see([&](const Picture& p) { return anotherWay.isShownIn(p); }, "another-way"));
    restOn(anotherWay, "HEADTRACKER");
    ASSERT_TRUE(see([&](const Picture& p) { return !anotherWay.isShownIn(p); }, "picked"));
    ASSERT_TRUE(see(seen(&E2E::ScreenLooks::intro), "intro")) << "the intro is not shown";
    restOn(intro, "SKIP");
    ASSERT_TRUE(see(seen(&E2E::ScreenLooks::title), "title")) << "resting on skip did not skip the intro";
    restOn(looks.titlePage(), "NEWGAME");
    ASSERT_TRUE(see(firstLevelStart, "level-1")) << "the first level did not start with its goal";
    restOn(onScreen, "DOWN");
    ASSERT_TRUE(see(playerAtDoor, "at-door", kWalkTimeoutMs)) << "resting on down did not walk to the door";
    restOn(onScreen, "LEFT");
    ASSERT_TRUE(see(nextLevelStart, "level-0", kWalkTimeoutMs))
        << "walking left into the lift did not start the next level";
    restOn(onScreen, "PAUSE");
    ASSERT_TRUE(see(seen(&E2E::ScreenLooks::pause), "pause")) << "resting on pause did not pause";
    restOn(looks.pausePage(), "QUIT");
    ASSERT_TRUE(see(seen(&E2E::ScreenLooks::title), "title-again")) << "quitting did not show the title";
    restOn(looks.titlePage(), "QUIT");
    expectQuitAndSaved();
}

}  // namespace
