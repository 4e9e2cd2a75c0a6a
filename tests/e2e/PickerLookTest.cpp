// The method picker as a player sees it at three window sizes, walked with the keys and the
// pointer over its three pages. Every picture is kept in the build folder (e2e-pictures/) for a
// person to look at, and probed: no light outside the boxes, words inside their boxes and
// standing out from every fill, a lit choice that does not re-flow its words, a question that
// can be read, and no empty band between the question and the choices.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <thread>

#include "tests/e2e/GameProcess.h"
#include "tests/e2e/PickerPage.h"
#include "tests/e2e/X11Window.h"

namespace {

using namespace std::chrono_literals;

using E2E::kStartTimeoutMs;
using E2E::kAwayX;
using E2E::kAwayY;
// Any light at all (r + g + b), and the light of words: every fill of the picker is darker.
constexpr uint32_t kAnyLight = 60;
constexpr uint32_t kWordLight = 400;
constexpr double kLeastContrast = 4.5;

struct WindowSize {
    int width, height;
};

std::ostream& operator<<(std::ostream& out, const WindowSize& size) { return out << size.width << "x" << size.height; }

// The pixels of a box brighter than a threshold, and where they lie.
struct Ink {
    int count = 0;
    E2E::Box bounds{1 << 30, 1 << 30, -1, -1};
};

Ink inkIn(const E2E::Picture& picture, const E2E::Box& box, uint32_t threshold) {
    Ink ink;
    for (int y = std::max(box.y0, 0); y < std::min(box.y1, picture.height); ++y) {
        for (int x = std::max(box.x0, 0); x < std::min(box.x1, picture.width); ++x) {
            if (picture.brightness(x, y) <= threshold) continue;
            ++ink.count;
            ink.bounds = {std::min(ink.bounds.x0, x), std::min(ink.bounds.y0, y), std::max(ink.bounds.x1, x + 1),
                          std::max(ink.bounds.y1, y + 1)};
        }
    }
    return ink;
}

double luminance(const uint8_t* rgb) {
    const auto linear = [](uint8_t channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb[0]) + 0.7152 * linear(rgb[1]) + 0.0722 * linear(rgb[2]);
}

const uint8_t* pixel(const E2E::Picture& picture, int x, int y) {
    return &picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
}

// The weakest contrast in a box between its brightest pixel (the core of its words) and each
// colour that fills at least a tenth of it (the box, a countdown over part of it).
double weakestContrast(const E2E::Picture& picture, const E2E::Box& box) {
    std::map<uint32_t, int> fills;
    double brightest = 0;
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const uint8_t* p = pixel(picture, x, y);
            brightest = std::max(brightest, luminance(p));
            ++fills[uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]];
        }
    }
    double weakest = 1e9;
    for (const auto& [colour, count] : fills) {
        if (count * 10 < box.width() * box.height()) continue;
        const uint8_t rgb[3] = {uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour)};
        weakest = std::min(weakest, (brightest + 0.05) / (luminance(rgb) + 0.05));
    }
    return weakest;
}

bool overlap(const E2E::Box& a, const E2E::Box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

E2E::Box grown(const E2E::Box& box, int by) { return {box.x0 - by, box.y0 - by, box.x1 + by, box.y1 + by}; }

class PickerLook : public ::testing::TestWithParam<WindowSize> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
        std::filesystem::create_directories(ZELMO_E2E_PICTURES);
    }

    // A picture taken on the way, probed once the walk is over: probing a full-HD picture takes
    // long enough in a sanitizer build for the picker's scan to move on meanwhile.
    struct Taken {
        E2E::Picture picture;
        const E2E::PickerPage* page;
        std::string name;
    };

    const E2E::Picture& keep(E2E::Picture picture, const E2E::PickerPage& page, const std::string& name) {
        taken.push_back({std::move(picture), &page, name});
        return taken.back().picture;
    }

    void probe(const E2E::Picture& picture, const E2E::PickerPage& page, const std::string& name) {
        const WindowSize size = GetParam();
        const std::string path = std::string(ZELMO_E2E_PICTURES) + "/picker-" + std::to_string(size.width) + "x" +
                                 std::to_string(size.height) + "-" + name + ".png";
        EXPECT_TRUE(picture.savePng(path)) << path;
        EXPECT_EQ(picture.width, size.width);
        EXPECT_EQ(picture.height, size.height);
        if (picture.width != size.width || picture.height != size.height) return;
        SCOPED_TRACE(path);

        std::vector<E2E::Box> drawn;
        for (const std::string& area : page.choices()) drawn.push_back(grown(page.box(area), 1));
        for (const std::string& area : page.texts()) {
            const E2E::Box text = page.box(area);
            for (const std::string& choice : page.choices()) {
                EXPECT_FALSE(overlap(text, page.box(choice))) << area << " runs into " << choice;
            }
            drawn.push_back(grown(text, 1));
        }
        int stray = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                if (picture.brightness(x, y) <= kAnyLight) continue;
                const bool inBox =
                    std::any_of(drawn.begin(), drawn.end(), [&](const E2E::Box& b) { return b.contains(x, y); });
                stray += inBox ? 0 : 1;
            }
        }
        EXPECT_EQ(stray, 0) << "pixels lit outside every box";

        for (const std::string& area : page.choices()) {
            const E2E::Box box = page.box(area);
            const Ink words = inkIn(picture, box, kWordLight);
            EXPECT_GT(words.count, 0) << area << ": no words";
            EXPECT_GE(weakestContrast(picture, box), kLeastContrast) << area;
        }
        for (const std::string& area : page.texts()) {
            EXPECT_GT(inkIn(picture, page.box(area), kWordLight).count, 0) << area << ": no words";
        }
        // The question reads at a glance, and the choices follow the hints closely.
        const Ink question = inkIn(picture, page.box("QUESTION"), kWordLight);
        EXPECT_GE(question.bounds.height(), picture.height * 4 / 100) << "the question is too small";
        const Ink hint = inkIn(picture, page.box("HINT"), kWordLight);
        EXPECT_LE(page.box(page.choices().front()).y0 - hint.bounds.y1, picture.height * 8 / 100)
            << "an empty band separates the hints from the choices";
    }

    std::deque<Taken> taken;
};

TEST_P(PickerLook, ReadsWellOnEveryPage) {
    const WindowSize size = GetParam();
    E2E::X11Window window;
    window.movePointerTo(kAwayX, kAwayY);
    const std::string preferences =
        "SCREEN_WIDTH = " + std::to_string(size.width) + "\nSCREEN_HEIGHT = " + std::to_string(size.height) + "\n";
    E2E::GameProcess game({"-s", "0"}, preferences);
    ASSERT_TRUE(window.waitFor(game.pid(), kStartTimeoutMs)) << game.standardError();
    ASSERT_TRUE(window.waitForPicture(kStartTimeoutMs));
    const E2E::PickerPage first("data/INPUT-METHOD-PICK.json", size.width, size.height);
    const E2E::PickerPage second("data/PICK-SWITCH-OR-HEAD.json", size.width, size.height);
    const E2E::PickerPage third("data/PICK-SWITCH.json", size.width, size.height);

    const auto shows = [](const E2E::PickerPage& page) {
        return [&page](const E2E::Picture& picture) { return page.isShownIn(picture); };
    };

    // The first page as it opens, while it waits to start the scan.
    keep(window.capture(), first, "1-opening");
    // Each choice lit in turn, its scan countdown running: the words stay where they were.
    std::optional<E2E::Picture> lit = first.stepTo(window, "STANDARD");
    ASSERT_TRUE(lit);
    const E2E::Picture& oneLit = keep(*lit, first, "1-first-lit");
    lit = first.stepTo(window, "PICK");
    ASSERT_TRUE(lit);
    const E2E::Picture& otherLit = keep(*lit, first, "1-second-lit");

    // The pointer rests on "another way": the second page; then on "one key or switch": the
    // third. (A held key would race the scan in a slow build; the pointer takes the choice it
    // rests on.)
    const auto pointUntil = [&](const E2E::PickerPage& page, const std::string& choice,
                                const std::function<bool(const E2E::Picture&)>& seen) {
        return window.pointAtUntil(page.box(choice).centreX(), page.box(choice).centreY(), seen, E2E::kSeeTimeoutMs);
    };
    ASSERT_TRUE(pointUntil(first, "PICK", shows(second))) << "the second page did not open";
    keep(window.capture(), second, "2-opening");
    lit = second.stepTo(window, "PICK-SWITCH");
    ASSERT_TRUE(lit);
    keep(*lit, second, "2-second-lit");
    ASSERT_TRUE(pointUntil(second, "PICK-SWITCH", shows(third))) << "the third page did not open";
    lit = third.stepTo(window, "ONESWITCH");
    ASSERT_TRUE(lit);
    keep(*lit, third, "3-second-lit");
    // Nothing taken so far chose a method. The dwell below may: a slow build can take the
    // choice before the pointer is seen to rest on it and moved off.
    std::stringstream saved;
    saved << std::ifstream(game.pathInWorkDir("preferences.cfg")).rdbuf();
    EXPECT_EQ(saved.str(), preferences) << "a method was chosen on the way";
    // A pointer resting on the first choice: its dwell countdown fills the box under the words.
    ASSERT_TRUE(pointUntil(third, "ONEKEY", [&](const E2E::Picture& p) {
        if (third.litChoice(p) != "ONEKEY") return false;
        keep(p, third, "3-pointer-dwell");
        return true;
    })) << "resting on a choice did not light it";
    window.pointAt(third.box("QUESTION").centreX(), third.box("QUESTION").centreY());

    for (const Taken& each : taken) probe(each.picture, *each.page, each.name);
    for (const std::string& choice : first.choices()) {
        const E2E::Box lit = inkIn(oneLit, first.box(choice), kWordLight).bounds;
        const E2E::Box unlit = inkIn(otherLit, first.box(choice), kWordLight).bounds;
        EXPECT_NEAR(lit.x0, unlit.x0, 1) << choice << " re-flows when lit";
        EXPECT_NEAR(lit.x1, unlit.x1, 1) << choice << " re-flows when lit";
        EXPECT_NEAR(lit.y0, unlit.y0, 1) << choice << " re-flows when lit";
        EXPECT_NEAR(lit.y1, unlit.y1, 1) << choice << " re-flows when lit";
    }
    window.requestClose();
    int exitCode = -1;
    ASSERT_TRUE(game.waitForExit(E2E::kSeeTimeoutMs, exitCode));
    EXPECT_EQ(exitCode, 0) << game.standardError();
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, PickerLook,
                         ::testing::Values(WindowSize{400, 300}, WindowSize{800, 600}, WindowSize{1920, 1080}),
                         [](const ::testing::TestParamInfo<WindowSize>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

}  // namespace
