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
#include <filesystem>
#include <fstream>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/PlayerSteps.h"
#include "tests/e2e/ScreenLooks.h"
#include "tests/e2e/X11Window.h"

namespace {

using E2E::Box;
using E2E::litShare;
using E2E::Picture;

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

bool playerAtStart(const Picture& p) { return litShare(p, kPlayerAtStart, kBright) > 0.25; }
bool playerAtDoor(const Picture& p) { return litShare(p, kPlayerAtDoor, kBright) > 0.25; }
bool firstLevelStart(const Picture& p) { return playerAtStart(p) && levelShown(p) == 1; }
bool nextLevelStart(const Picture& p) { return levelShown(p) == 0; }

class GameWalk : public E2E::PlayerSteps {
protected:
    GameWalk() : PlayerSteps("game") {}

    void SetUp() override {
        if (E2E::kSlowGameFrames) GTEST_SKIP() << E2E::kSlowGameFramesReason;
        PlayerSteps::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        char pattern[] = "/tmp/zelmo-e2e-config-XXXXXX";
        m_configDir = mkdtemp(pattern);
        const std::string config = shortGameConfiguration();
        ASSERT_FALSE(config.empty()) << "the shipped configuration has no level list";
        std::ofstream(m_configDir + "/short-game.json", std::ios::binary) << config;
    }
    void TearDown() override {
        PlayerSteps::TearDown();
        if (!m_configDir.empty()) std::filesystem::remove_all(m_configDir);
    }

    // A first start: no preferences, so the method picker comes first.
    void startFirstTime(const std::string& method) {
        playWith(method);
        window->movePointerTo(E2E::kAwayX, E2E::kAwayY);  // a pointer over a choice would choose it
        game = std::make_unique<E2E::GameProcess>(std::vector<std::string>{m_configDir + "/short-game", "-s", "0"});
        ASSERT_TRUE(window->waitFor(game->pid(), E2E::kStartTimeoutMs)) << game->standardError();
        ASSERT_TRUE(see([&](const Picture& p) { return firstQuestion.isShownIn(p); }, "picker"))
            << "the picker is not shown";
    }

    void expectQuitAndSaved() {
        int exitCode = -1;
        ASSERT_TRUE(game->waitForExit(E2E::kSeeTimeoutMs, exitCode)) << "the game did not quit";
        EXPECT_EQ(exitCode, 0) << game->standardError();
        EXPECT_NE(E2E::readFile(game->pathInWorkDir("preferences.cfg")).find("INPUT_METHOD = " + method()),
                  std::string::npos)
            << "quitting from the title keeps the way to play";
    }

    const E2E::PickerPage firstQuestion{"data/INPUT-METHOD-PICK.json", E2E::kLooksWidth, E2E::kLooksHeight};
    const E2E::PickerPage anotherWay{"data/PICK-SWITCH-OR-HEAD.json", E2E::kLooksWidth, E2E::kLooksHeight};
    const E2E::PickerPage oneKeyOrSwitch{"data/PICK-SWITCH.json", E2E::kLooksWidth, E2E::kLooksHeight};

private:
    std::string m_configDir;
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
