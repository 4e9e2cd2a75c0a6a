// Help, options and controls reached from the title in each of the four ways to play, with the
// real binary: every help page is turned to and back, an option is stepped and kept in the
// settings that quitting saves, the controls page is shown and left. The pictures are kept for
// a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
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

// How many pixels of the box are brighter than the threshold in one picture and not in the
// other, or the other way.
int changedPixels(const Picture& before, const Picture& after, const Box& box, uint32_t threshold) {
    int changed = 0;
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            if ((before.brightness(x, y) > threshold) != (after.brightness(x, y) > threshold)) ++changed;
        }
    }
    return changed;
}

// How many pixels of the box differ in brightness by more than the words of a choice stand out
// from its box: where its words changed shape. A choice lit, or its countdown, changes only
// colours (words and box alike, by less).
int reshapedPixels(const Picture& before, const Picture& after, const Box& box) {
    int changed = 0;
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            if (std::abs(int(before.brightness(x, y)) - int(after.brightness(x, y))) > 300) ++changed;
        }
    }
    return changed;
}

// The lit choice among those of the page shown (the one the choice looked for is on: choices of
// other pages lie in the same places): on STANDARD the one outlined in pink; on the other
// methods the one whose box's top edge is far brighter than any other's, where a lit box shows
// its brighter fill without its words (a short word lit can be darker in all than a long one
// that is not).
std::vector<std::string> choicesBeside(const PickerPage& page, const std::string& wanted) {
    const std::string pagePrefix = wanted.rfind("PAGE", 0) == 0 ? wanted.substr(0, wanted.find('_') + 1) : "";
    std::vector<std::string> choices;
    for (const std::string& choice : page.choices()) {
        if (choice.rfind(pagePrefix, 0) == 0) choices.push_back(choice);
    }
    return choices;
}

std::string litChoiceOf(const PickerPage& page, const Picture& picture, const std::string& wanted) {
    std::string lit;
    double brightest = 0, next = 0;
    for (const std::string& choice : choicesBeside(page, wanted)) {
        const Box box = page.box(choice);
        const Box edge{box.x0, box.y0, box.x1, box.y0 + std::max(2, box.height() / 6)};
        double light = double(E2E::pinkPixels(picture, box)) * 1000;
        for (int y = edge.y0; y < edge.y1 && y < picture.height; ++y) {
            for (int x = edge.x0; x < edge.x1 && x < picture.width; ++x) light += picture.brightness(x, y);
        }
        light /= std::max(1, edge.width() * edge.height());
        if (light > brightest) {
            next = brightest;
            brightest = light;
            lit = choice;
        } else {
            next = std::max(next, light);
        }
    }
    return brightest > next * 1.5 ? lit : std::string();
}

// One method's walk; each method is a suite of its own, so that each has the time a walk
// takes on a slow (sanitizer) build.
class HelpAndOptionsWalk : public ::testing::Test {
protected:
    explicit HelpAndOptionsWalk(const std::string& walkingMethod)
        : method(walkingMethod),
          looks(method),
          title(looks.titlePage()),
          settings(E2E::ScreenLooks::page(method, "SETTINGS")),
          help(E2E::ScreenLooks::page(method, "HELP")),
          options(E2E::ScreenLooks::page(method, "OPTIONS")),
          controls(E2E::ScreenLooks::page(method, "CONTROLS")) {}

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
        std::filesystem::create_directories(ZELMO_E2E_PICTURES);
    }

    void start() {
        window.movePointerTo(E2E::kAwayX, E2E::kAwayY);
        game =
            std::make_unique<E2E::GameProcess>(std::vector<std::string>{"-s", "0"}, "INPUT_METHOD = " + method + "\n");
        ASSERT_TRUE(window.waitFor(game->pid(), E2E::kStartTimeoutMs)) << game->standardError();
        ASSERT_TRUE(window.waitForFrames(E2E::kStartTimeoutMs));
    }

    bool showsTitle(const Picture& picture) const { return looks.title(picture); }

    bool waitToSee(const std::function<bool(const Picture&)>& seen, const std::string& name) {
        Picture shown;
        const bool found = window.waitUntil(
            [&](const Picture& picture) {
                shown = picture;
                return seen(picture);
            },
            kSeeTimeoutMs);
        shown.savePng(picturePath(name));
        return found;
    }

    // Takes a choice the way the method takes one, and waits until the picture shows the result;
    // when it does not, the picture of the moment is kept.
    // A slow build may show a step late, after the press has gone to the choice the light left:
    // a player who sees the light on another choice brings it back and presses again.
    bool take(const PickerPage& page, const std::string& choice, const std::function<bool(const Picture&)>& done) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (light(page, choice, done) && press(done)) return true;
        }
        window.capture().savePng(picturePath("not-taken-" + choice));
        return false;
    }

    std::string picturePath(const std::string& name) const {
        return std::string(ZELMO_E2E_PICTURES) + "/menus-" + lower(method) + "-" + name + ".png";
    }

    // Brings the light to the choice; the head tracker's pointer rests on it, which goes on to
    // take it: what taking it shows (`done`) may be all a slow build lets the test see. The
    // one-key player waits for the light to come to the choice, so that the press
    // has all the time the choice stays lit: seen late in that time (a slow build's frame, a busy
    // machine), a press would reach the game as the light moves on.
    bool light(
        const PickerPage& page, const std::string& choice,
        const std::function<bool(const Picture&)>& done = [](const Picture&) { return false; }) {
        if (method == "HEADTRACKER") {
            return window.pointAtUntil(
                page.box(choice).centreX(), page.box(choice).centreY(),
                [&](const Picture& p) { return litChoiceOf(page, p, choice) == choice || done(p); }, kSeeTimeoutMs);
        }
        if (method == "ONEKEY") {
            bool elsewhere = false;
            return window.waitUntil(
                [&](const Picture& p) {
                    if (litChoiceOf(page, p, choice) == choice) return elsewhere;
                    elsewhere = true;
                    return false;
                },
                kSeeTimeoutMs);
        }
        // A rest lights the one switch's first choice, as a tap does: the taps begin once it has,
        // so that the two never cross.
        if (method == "ONESWITCH") {
            window.waitUntil([&](const Picture& p) { return !litChoiceOf(page, p, choice).empty(); }, kSeeTimeoutMs);
        }
        for (int steps = 0; steps < 40 && litChoiceOf(page, window.capture(), choice) != choice; ++steps) {
            const std::string before = litChoiceOf(page, window.capture(), choice);
            window.quickTapKey(stepKey(page, before, choice));
            // Waited for long enough that a step a slow build shows late is not taken for lost and
            // stepped again.
            window.waitUntil([&](const Picture& p) { return litChoiceOf(page, p, choice) != before; }, 10000);
            std::this_thread::sleep_for(300ms);
        }
        return litChoiceOf(page, window.capture(), choice) == choice;
    }

    // The one switch steps on only; the keyboard steps the way round that reaches the choice
    // sooner (a step is a frame or two, which a slow build draws in a second). Nothing lit yet:
    // the first step lights the first choice.
    std::string stepKey(const PickerPage& page, const std::string& lit, const std::string& choice) const {
        if (method != "STANDARD") return "space";
        const std::vector<std::string> choices = choicesBeside(page, choice);
        const auto at = [&](const std::string& name) { return std::find(choices.begin(), choices.end(), name); };
        if (lit.empty() || at(lit) == choices.end() || at(choice) == choices.end()) return "Down";
        const long size = long(choices.size());
        const long down = ((at(choice) - at(lit)) % size + size) % size;
        return size - down < down ? "Up" : "Down";
    }

    // Takes the lit choice.
    bool press(const std::function<bool(const Picture&)>& done) {
        if (method == "HEADTRACKER") {
            const bool seen = window.waitUntil(done, kSeeTimeoutMs);
            // Resting on would take it again: the pointer goes where nothing is.
            window.pointAt(kLooksWidth / 50, kLooksHeight * 3 / 5);
            return seen;
        }
        if (method != "ONESWITCH") {
            window.tapKey(method == "STANDARD" ? "Return" : "space");
            return window.waitUntil(done, kSeeTimeoutMs);
        }
        const bool seen = window.holdKeyUntil("space", done, kSeeTimeoutMs);
        std::this_thread::sleep_for(300ms);
        return seen;
    }

    // Takes a choice that turns the page, and waits for the page's words to change.
    bool turn(const PickerPage& page, const std::string& choice, const std::string& name) {
        const Picture before = window.capture();
        const Box words{0, 0, kLooksWidth, kLooksHeight * 3 / 4};
        const bool turned = take(page, choice, [&](const Picture& picture) {
            return changedPixels(before, picture, words, 60) > words.width() * words.height() / 400;
        });
        std::this_thread::sleep_for(500ms);
        window.capture().savePng(picturePath(name));
        return turned;
    }

    // Takes a value choice, and waits for its words to change shape. The head tracker's rest
    // steps the value a moment after it lights, which a slow build can show at once: its words
    // are compared with those before the pointer came.
    bool stepValue(const PickerPage& page, const std::string& choice, const std::string& name) {
        const Picture unlit = window.capture();
        if (!light(page, choice)) return false;
        const Picture before = method == "HEADTRACKER" ? unlit : window.capture();
        const Box box = page.box(choice);
        const bool stepped = press([&](const Picture& picture) { return reshapedPixels(before, picture, box) > 20; });
        window.capture().savePng(picturePath(name));
        return stepped;
    }

    static std::string lower(std::string text) {
        for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }

    // Resting on a row asks for a new key or button, which a player who can only rest cannot
    // give: the question goes away by itself, and the row is not taken again while the pointer
    // stays on it, wobbling as a head does.
    void restOnARowAndGetOut() {
        const Box hint = controls.box("CAPTURE");
        const auto asking = [&](const Picture& p) { return litShare(p, hint) > 0.002; };
        const Box row = controls.box("SET_UP");
        window.pointAt(row.centreX(), row.centreY());
        ASSERT_TRUE(waitToSee(asking, "controls-asking")) << "resting on a row did not ask for a new input";
        ASSERT_TRUE(waitToSee([&](const Picture& p) { return !asking(p); }, "controls-given-up"))
            << "the question for a new input never went away";
        for (int wobble = 0; wobble < 4; ++wobble) {
            window.pointAt(row.centreX(), row.centreY());
            std::this_thread::sleep_for(1s);
        }
        const Picture still = window.capture();
        still.savePng(picturePath("controls-still-on-the-row"));
        EXPECT_FALSE(asking(still)) << "the pointer never left the row, yet it was taken again";
    }

    // From the title to the help and through its pages, then to the options, stepping the lives
    // and turning pages, to the controls and back, to the title and out through the menu, which
    // saves the step. The
    // keyboard walk turns to every page; the others turn one page on and go round backwards.
    void walk(bool everyPage);

    const std::string method;
    const E2E::ScreenLooks looks;
    const PickerPage& title;
    const PickerPage settings, help, options, controls;
    E2E::X11Window window;
    std::unique_ptr<E2E::GameProcess> game;
};

void HelpAndOptionsWalk::walk(bool everyPage) {
    start();
    ASSERT_TRUE(window.waitForPicture(E2E::kStartTimeoutMs));
    // The intro, once it is seen: skipped by the method's own skip.
    ASSERT_TRUE(waitToSee([&](const Picture& p) { return looks.intro(p); }, "intro")) << "no intro";
    if (method == "HEADTRACKER") {
        const PickerPage intro = E2E::ScreenLooks::page(method, "INTRO");
        window.pointAtUntil(
            intro.box("SKIP").centreX(), intro.box("SKIP").centreY(), [&](const Picture& p) { return showsTitle(p); },
            kSeeTimeoutMs);
    } else {
        // A tap that spans a frame longer than the hold time counts as a hold, which a slow
        // build's first frames can be: the player taps again.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kSeeTimeoutMs);
        while (std::chrono::steady_clock::now() < deadline && !showsTitle(window.capture())) {
            window.tapKey("space");
            window.waitUntil([&](const Picture& p) { return showsTitle(p); }, 4000);
        }
    }
    ASSERT_TRUE(waitToSee([&](const Picture& p) { return showsTitle(p); }, "title")) << "no title";
    window.pointAt(kLooksWidth / 50, kLooksHeight * 3 / 5);

    const auto helpShown = [&](const Picture& p) { return menuShown(p, help, {"PREV", "BACK", "NEXT"}); };
    ASSERT_TRUE(take(title, "HELP", helpShown)) << "taking HELP on the title did not show the help";
    ASSERT_TRUE(waitToSee(helpShown, "help-1"));
    if (everyPage) {
        for (int page = 2; page <= 6; ++page) {
            ASSERT_TRUE(turn(help, "NEXT", "help-" + std::to_string(page))) << "the help did not turn to page " << page;
        }
        ASSERT_TRUE(turn(help, "NEXT", "help-1-again")) << "the help did not go round to its first page";
        ASSERT_TRUE(turn(help, "PREV", "help-6-again")) << "the help did not turn back to its last page";
    } else {
        ASSERT_TRUE(turn(help, "NEXT", "help-2")) << "the help did not turn to its second page";
        ASSERT_TRUE(turn(help, "PREV", "help-1-again")) << "the help did not turn back to its first page";
        ASSERT_TRUE(turn(help, "PREV", "help-6")) << "the help did not go round to its last page";
    }
    ASSERT_TRUE(take(help, "BACK", [&](const Picture& p) { return showsTitle(p); })) << "back did not leave the help";

    // The settings page and the options' first and last pages have their "BACK" and their ">"
    // in the same places; the settings page has its full-screen row where those have nothing.
    const Box fullScreenRow{kLooksWidth * 63 / 100, kLooksHeight * 69 / 100, kLooksWidth * 93 / 100,
                            kLooksHeight * 74 / 100};
    // The controls page has nothing where the settings page has the word BACK, between its
    // DEFAULTS and DONE.
    const Box betweenDefaultsAndDone{kLooksWidth * 48 / 100, kLooksHeight * 81 / 100, kLooksWidth * 52 / 100,
                                     kLooksHeight * 86 / 100};
    const auto settingsShown = [&](const Picture& p) {
        return menuShown(p, settings, {"BACK", "OPTIONS"}) && litShare(p, fullScreenRow) > 0.002 &&
               litShare(p, betweenDefaultsAndDone) > 0.002;
    };
    ASSERT_TRUE(take(title, "SETTINGS", settingsShown)) << "the settings page did not open";
    ASSERT_TRUE(waitToSee(settingsShown, "settings"));
    const auto optionsShown = [&](const Picture& p) {
        return menuShown(p, options, {"PAGE1_BACK", "PAGE1_NEXT", "PAGE1_VAL_START_LEVEL"}) &&
               litShare(p, fullScreenRow) < 0.002;
    };
    ASSERT_TRUE(take(settings, "OPTIONS", optionsShown)) << "taking OPTIONS did not show the options";
    ASSERT_TRUE(waitToSee(optionsShown, "options-1"));
    ASSERT_TRUE(stepValue(options, "PAGE1_VAL_PLAYER_LIVES", "options-1-stepped")) << "the lives did not step";
    if (everyPage) {
        for (int page = 2; page <= 4; ++page) {
            ASSERT_TRUE(turn(options, "PAGE" + std::to_string(page - 1) + "_NEXT", "options-" + std::to_string(page)))
                << "the options did not turn to page " << page;
        }
    } else {
        ASSERT_TRUE(turn(options, "PAGE1_PREV", "options-4")) << "the options did not go round to their last page";
    }
    ASSERT_TRUE(take(options, "PAGE4_BACK", settingsShown)) << "back did not return to the settings page";

    const auto controlsShown = [&](const Picture& p) {
        return menuShown(p, controls, {"SET_UP", "SET_ACT2", "DEFAULTS", "DONE"}) &&
               litShare(p, betweenDefaultsAndDone) < 0.002;
    };
    ASSERT_TRUE(take(settings, "CONTROLS", controlsShown)) << "taking CONTROLS did not show the controls";
    ASSERT_TRUE(waitToSee(controlsShown, "controls"));
    if (method == "HEADTRACKER") restOnARowAndGetOut();
    ASSERT_TRUE(take(controls, "DONE", settingsShown)) << "done did not return to the settings page";
    ASSERT_TRUE(take(settings, "BACK", [&](const Picture& p) { return showsTitle(p); }));
    take(title, "QUIT", [&](const Picture&) { return !game->running(); });
    int exitCode = -1;
    ASSERT_TRUE(game->waitForExit(E2E::kSeeTimeoutMs, exitCode)) << "quitting from the title did not end the game";
    EXPECT_EQ(exitCode, 0) << game->standardError();
    EXPECT_NE(E2E::readFile(game->pathInWorkDir("preferences.cfg")).find("OPT_PLAYER_LIVES = 1"), std::string::npos)
        << "the stepped option is not among the saved settings";
}

class HelpAndOptionsStandard : public HelpAndOptionsWalk {
protected:
    HelpAndOptionsStandard() : HelpAndOptionsWalk("STANDARD") {}
};
class HelpAndOptionsOneKey : public HelpAndOptionsWalk {
protected:
    HelpAndOptionsOneKey() : HelpAndOptionsWalk("ONEKEY") {}
};
class HelpAndOptionsOneSwitch : public HelpAndOptionsWalk {
protected:
    HelpAndOptionsOneSwitch() : HelpAndOptionsWalk("ONESWITCH") {}
};
class HelpAndOptionsHeadTracker : public HelpAndOptionsWalk {
protected:
    HelpAndOptionsHeadTracker() : HelpAndOptionsWalk("HEADTRACKER") {}
};

TEST_F(HelpAndOptionsStandard, ReachesEveryPageAndStepsAnOptionWithKeys) { walk(true); }
// A press must reach the game within the time its choice stays lit, seen late by as much as a
// frame: the sanitizer build on a busy machine spans that time with a few frames only, and a
// press that lands on the next choice (QUIT after HELP) ends the walk.
TEST_F(HelpAndOptionsOneKey, ReachesHelpAndOptionsPressingWhileTheChoiceIsLit) {
    if (E2E::kSlowGameFrames) {
        GTEST_SKIP()
            << "the menus draw too few frames a second in this build for a press to land while its choice is lit";
    }
    walk(false);
}
// A hold is let go once its result shows, and must be before the next screen's hold time has
// passed, or it takes that screen's lit choice too: the sanitizer build on a busy machine can
// show the result a frame too late for that.
TEST_F(HelpAndOptionsOneSwitch, ReachesHelpAndOptionsWithTapsAndHolds) {
    if (E2E::kSlowGameFrames) {
        GTEST_SKIP() << "the menus draw too few frames a second in this build for a hold to end before the next "
                        "screen takes it";
    }
    walk(false);
}
TEST_F(HelpAndOptionsHeadTracker, ReachesHelpAndOptionsRestingThePointer) { walk(false); }

}  // namespace
