// Two players, one with a single key and one with the pointer alone, start the real binary with
// the shipped game and play from the title into its first level until they have broken out of the
// start room: down to the room's door, a punch charged and let fly, the door seen to break, and on
// down through the doorway until the room has scrolled up past them. The level, its maze and its
// robots are the shipped ones; the room and its door are found by what a player sees, the
// controls where the method's input file puts them. A control is worked only until its result
// shows, and a one-key press that misses its control is made again, so the walks hold in the
// sanitizer build too, at its few frames a second. The pictures are kept for a person to look at.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/PlayerSteps.h"
#include "tests/e2e/ScreenLooks.h"
#include "tests/e2e/StartRoomLooks.h"
#include "tests/e2e/X11Window.h"

namespace {

using E2E::Box;
using E2E::Picture;

// The player's drawing from head to feet with its glow. The camera keeps the player where it was
// on the screen or lower as it walks down, so a room that has scrolled up by the door's depth and
// this much more lies above the whole player.
constexpr int kPlayerHeight = 50;
// Tries at breaking the door: a one-key press that comes as the light moves on walks the player
// off before it punches.
constexpr int kPunchTries = 3;

class FirstLevelWalk : public E2E::PlayerSteps {
protected:
    FirstLevelWalk() : PlayerSteps("first-level") {}

    // A start with the method saved, so that the intro and the title come first; the game's seed
    // is saved too, so that the level's robots stand where they stood when the walk was made.
    void start(const std::string& method) {
        playWith(method);
        looks = std::make_unique<E2E::ScreenLooks>(method);
        controls = std::make_unique<E2E::PickerPage>(E2E::ScreenLooks::page(method, "GAME"));
        window->movePointerTo(E2E::kAwayX, E2E::kAwayY);  // a pointer over a choice would choose it
        game = std::make_unique<E2E::GameProcess>(std::vector<std::string>{"-s", "0"},
                                                  "INPUT_METHOD = " + method + "\nOPT_GAME_SEED = 3\n");
        ASSERT_TRUE(window->waitFor(game->pid(), E2E::kStartTimeoutMs)) << game->standardError();
        ASSERT_TRUE(see([&](const Picture& p) { return looks->intro(p); }, "intro")) << "the intro is not shown";
    }

    bool title(const Picture& picture) const { return looks->title(picture); }
    bool startRoom(const Picture& picture) const { return E2E::doorIn(picture).width() > 0 && looks->game(picture); }

    // Where the head tracker's pointer rests to keep the player still: the middle of the window,
    // where the player is, which no control covers.
    int middleX() const { return E2E::kLooksWidth / 2; }
    int middleY() const { return E2E::kLooksHeight / 2; }
    bool middleIsFree() const {
        for (const std::string& control : controls->choices()) {
            if (controls->box(control).contains(middleX(), middleY())) return false;
        }
        return true;
    }

    // Works a control of the running game until the goal shows, and stops: the one key is held
    // while the control is lit and let go; the pointer rests on the control and goes back to the
    // middle.
    bool work(const std::string& control, const std::function<bool(const Picture&)>& goal, const std::string& name) {
        if (method() == "ONEKEY") return holdControl(control, goal, name);
        const bool reached = restUntil(*controls, control, goal, name, kWalkTimeoutMs);
        window->pointAt(middleX(), middleY());
        return reached;
    }

    void walkFromTheTitleOutOfTheStartRoom();

    std::unique_ptr<E2E::ScreenLooks> looks;
};

void FirstLevelWalk::walkFromTheTitleOutOfTheStartRoom() {
    const auto seenTitle = [&](const Picture& p) { return title(p); };
    const auto seenStartRoom = [&](const Picture& p) { return startRoom(p); };
    if (method() == "ONEKEY") {
        // A tap that spans a slow frame counts as a hold, which speeds the intro up: the player
        // taps again.
        for (int tapCount = 0; tapCount < 5 && !title(window->capture()); ++tapCount) {
            tap("space");
            window->waitUntil(seenTitle, 5000);
        }
        ASSERT_TRUE(see(seenTitle, "title")) << "a press did not skip the intro";
        ASSERT_TRUE(litAfresh(looks->titlePage(), "NEWGAME"));
        tap("space");
        ASSERT_TRUE(see(seenStartRoom, "level-start")) << "the first level did not show its start room's door";
    } else {
        ASSERT_TRUE(middleIsFree()) << "a control of the running game covers the middle of the window";
        const E2E::PickerPage intro = E2E::ScreenLooks::page(method(), "INTRO");
        ASSERT_TRUE(restUntil(intro, "SKIP", seenTitle, "title")) << "resting on skip did not skip the intro";
        ASSERT_TRUE(restUntil(looks->titlePage(), "NEWGAME", seenStartRoom, "level-start"))
            << "the first level did not show its start room's door";
        window->pointAt(middleX(), middleY());
    }

    Picture atDoor;
    const auto against = [&](const Picture& p) {
        atDoor = p;
        return E2E::playerAgainstTheDoor(p);
    };
    ASSERT_TRUE(work("DOWN", against, "at-door")) << "walking down did not bring the player to the door";
    const Box door = E2E::doorIn(atDoor);
    const E2E::StartRoom room(atDoor, door);

    bool broken = false;
    for (int attempt = 0; attempt < kPunchTries && !broken; ++attempt) {
        if (!against(window->capture())) {
            ASSERT_TRUE(work("DOWN", against, "at-door-again")) << "walking down did not bring the player back";
        }
        ASSERT_TRUE(work("PUNCH", E2E::chargeGlows, "charged")) << "working the punch did not charge a punch";
        // Sparks can cross the door's outline for a frame: gone is gone in two pictures running.
        int doorless = 0;
        broken = see(
            [&](const Picture& p) {
                doorless = E2E::doorIn(p).width() > 0 ? 0 : doorless + 1;
                return doorless >= 2;
            },
            "door-broken");
    }
    ASSERT_TRUE(broken) << "letting the charged punch fly did not break the door";

    // Out of sight above is out: the room was seen scrolling away and is gone.
    const int clear = door.height() + kPlayerHeight;
    int lastSeen = 0;
    const auto outOfTheRoom = [&](const Picture& p) {
        const int up = room.scrolledUp(p);
        if (up < 0) return lastSeen >= clear / 2;
        lastSeen = up;
        return up >= clear;
    };
    ASSERT_TRUE(work("DOWN", outOfTheRoom, "out-of-the-room"))
        << "walking down through the doorway did not take the player out of the start room";
}

// A suite per way to play, so that CTest runs them side by side.
class OneKeyFirstLevelWalk : public FirstLevelWalk {};
class HeadTrackerFirstLevelWalk : public FirstLevelWalk {};

TEST_F(OneKeyFirstLevelWalk, OneKeyHeldWhileEachControlIsLitBreaksTheDoorAndLeavesTheStartRoom) {
    ASSERT_NO_FATAL_FAILURE(start("ONEKEY"));
    walkFromTheTitleOutOfTheStartRoom();
}

TEST_F(HeadTrackerFirstLevelWalk, PointerRestingOnEachControlBreaksTheDoorAndLeavesTheStartRoom) {
    ASSERT_NO_FATAL_FAILURE(start("HEADTRACKER"));
    walkFromTheTitleOutOfTheStartRoom();
}

}  // namespace
