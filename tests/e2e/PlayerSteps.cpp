#include "tests/e2e/PlayerSteps.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "tests/e2e/ScreenLooks.h"

namespace E2E {
namespace {

using namespace std::chrono_literals;

// Past the short pause the game takes after an action, before which a press does nothing.
constexpr auto kAfterActionPause = 300ms;

// The condition, keeping in shown the last picture it was asked about.
std::function<bool(const Picture&)> keepingLast(Picture& shown, const std::function<bool(const Picture&)>& seen) {
    return [&shown, &seen](const Picture& picture) {
        shown = picture;
        return seen(picture);
    };
}

}  // namespace

void PlayerSteps::SetUp() {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (script/test starts Xvfb)";
    std::filesystem::create_directories(ZELMO_E2E_PICTURES);
    window = std::make_unique<X11Window>();
    ASSERT_TRUE(window->open());
}

bool PlayerSteps::see(const std::function<bool(const Picture&)>& seen, const std::string& name, int timeoutMs) {
    Picture shown;
    const bool wasSeen = window->waitUntil(keepingLast(shown, seen), timeoutMs);
    keep(shown, name);
    return wasSeen;
}

bool PlayerSteps::holdUntil(const std::string& keys, const std::function<bool(const Picture&)>& seen,
                            const std::string& name, int timeoutMs) {
    Picture shown;
    const bool wasSeen = window->holdKeyUntil(keys, keepingLast(shown, seen), timeoutMs);
    keep(shown, name);
    std::this_thread::sleep_for(kAfterActionPause);
    return wasSeen;
}

void PlayerSteps::keep(const Picture& picture, const std::string& name) const {
    std::string method = m_method;
    for (char& c : method) c = char(std::tolower(static_cast<unsigned char>(c)));
    picture.savePng(std::string(ZELMO_E2E_PICTURES) + "/" + m_walk + "-" + method + "-" + name + ".png");
}

void PlayerSteps::tap(const std::string& key) {
    window->tapKey(key);
    std::this_thread::sleep_for(kAfterActionPause);
}

std::string PlayerSteps::lightOn(const PickerPage& page, const Picture& picture) const {
    return &page == controls.get() ? litControl(page, picture) : page.litChoice(picture);
}

bool PlayerSteps::lit(const PickerPage& page, const std::string& choice, int timeoutMs) {
    return window->waitUntil([&](const Picture& p) { return lightOn(page, p) == choice; }, timeoutMs);
}

bool PlayerSteps::litAfresh(const PickerPage& page, const std::string& choice) {
    return window->waitUntil([&](const Picture& p) { return lightOn(page, p) != choice; }, kStepTimeoutMs) &&
           lit(page, choice);
}

bool PlayerSteps::holdControl(const std::string& control, const std::function<bool(const Picture&)>& goal,
                              const std::string& name) {
    for (int attempt = 0; attempt < kHoldTries; ++attempt) {
        if (!litAfresh(*controls, control)) return false;
        if (holdWhileLit(*controls, control, goal, name, kWalkTimeoutMs)) return true;
    }
    return false;
}

bool PlayerSteps::holdWhileLit(const PickerPage& page, const std::string& choice,
                               const std::function<bool(const Picture&)>& goal, const std::string& name,
                               int timeoutMs) {
    bool reached = false;
    holdUntil(
        "space",
        [&](const Picture& p) {
            reached = goal(p);
            if (reached || &page != controls.get()) return reached;
            const std::string held = lightOn(page, p);
            return !held.empty() && held != choice;
        },
        name, timeoutMs);
    return reached;
}

bool PlayerSteps::takeWithOneKey(const PickerPage& page, const std::string& choice, bool tapToMoveOn,
                                 const std::function<bool(const Picture&)>& taken, const std::string& name) {
    // The taps begin once the page lights its choices by itself, so that its start and a tap
    // never cross.
    window->waitUntil([&](const Picture& p) { return !lightOn(page, p).empty(); }, kStepTimeoutMs);
    // In the running game a hold that lands as the light moves on takes the next control: the
    // player lets go and taps round to the choice again.
    const int tries = &page == controls.get() ? kHoldTries : 1;
    for (int attempt = 0; attempt < tries; ++attempt) {
        // A tap dropped or taken as a hold on a busy machine costs a round, so the player goes on
        // tapping for a few rounds, as a person would.
        for (size_t step = 0; tapToMoveOn && step <= 3 * page.choices().size(); ++step) {
            const std::string before = lightOn(page, window->capture());
            if (before == choice) break;
            tap("space");
            window->waitUntil([&](const Picture& p) { return lightOn(page, p) != before; }, kStepTimeoutMs);
        }
        if (!lit(page, choice)) return false;
        if (holdWhileLit(page, choice, taken, name, kStepTimeoutMs)) return true;
    }
    return false;
}

void PlayerSteps::restOn(const PickerPage& page, const std::string& area) {
    window->pointAt(page.box(area).centreX(), page.box(area).centreY());
}

bool PlayerSteps::restUntil(const PickerPage& page, const std::string& area,
                            const std::function<bool(const Picture&)>& goal, const std::string& name, int timeoutMs) {
    Picture shown;
    const bool reached =
        window->pointAtUntil(page.box(area).centreX(), page.box(area).centreY(), keepingLast(shown, goal), timeoutMs);
    keep(shown, name);
    return reached;
}

}  // namespace E2E
