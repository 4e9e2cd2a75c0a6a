#include "tests/e2e/ScreenLooks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/input/TriggerId.h"
#include "game/input/GlobalInputRefs.h"

namespace E2E {
namespace {

constexpr int kWidth = kLooksWidth, kHeight = kLooksHeight;

// Reading the pages for their areas only: the player's bindings do not matter here.
class NoBindings : public Input::TriggerId::IExternals {
public:
    Input::TriggerId getKeyTrigger(KeyCode) override { return {}; }
    Input::TriggerId getMouseTrigger(uint32_t) override { return {}; }
    Input::TriggerId getJoypadTrigger(uint32_t) override { return {}; }
};

Zelmo::GlobalInputRefs& references() {
    static NoBindings s_none;
    Input::TriggerId::externals = &s_none;
    static Zelmo::GlobalInputRefs s_refs;
    static const bool s_loaded = s_refs.load("data/Accessibility.fbs", "data/accessibility");
    EXPECT_TRUE(s_loaded);
    return s_refs;
}

bool choicesLit(const PickerPage& page, const Picture& picture) {
    if (page.choices().empty() || picture.width != kWidth) return false;
    for (const std::string& choice : page.choices()) {
        if (litShare(picture, page.box(choice)) < 0.05) return false;
    }
    return true;
}

Box leftOfMenu() { return {0, kHeight * 3 / 10, kWidth / 5, kHeight * 7 / 10}; }

}  // namespace

double litShare(const Picture& picture, const Box& box, uint32_t threshold) {
    const int area = std::max(1, box.width() * box.height());
    return double(picture.litPixels(box.x0, box.y0, box.x1, box.y1, threshold)) / area;
}

std::string litControl(const PickerPage& controls, const Picture& picture) {
    const auto litFill = [&](int x, int y) {
        const uint8_t* rgb = &picture.rgb[(size_t(y) * size_t(picture.width) + size_t(x)) * 3];
        return rgb[0] < 90 && rgb[1] > 80 && rgb[2] > 90 && rgb[1] > rgb[0] + 40;
    };
    std::string lit;
    for (const std::string& control : controls.choices()) {
        const Box box = controls.box(control);
        int filled = 0;
        for (int y = box.y0; y < std::min(box.y1, picture.height); ++y) {
            for (int x = box.x0; x < std::min(box.x1, picture.width); ++x) filled += litFill(x, y) ? 1 : 0;
        }
        if (filled * 5 < box.width() * box.height() * 2) continue;
        if (!lit.empty()) return {};
        lit = control;
    }
    return lit;
}

GreenShift greenShift(const Picture& before, const Picture& after, const Box& box) {
    const auto green = [](const Picture& p, int x, int y) {
        const uint8_t* rgb = &p.rgb[size_t(y * p.width + x) * 3];
        return rgb[1] > 120 && rgb[1] > rgb[0] + 30 && rgb[1] > rgb[2] + 10;
    };
    GreenShift shift;
    const int bottom = std::min({box.y1, before.height, after.height});
    const int right = std::min({box.x1, before.width, after.width});
    for (int y = std::max(0, box.y0); y < bottom; ++y) {
        for (int x = std::max(0, box.x0); x < right; ++x) {
            const bool was = green(before, x, y), is = green(after, x, y);
            if (is && !was) {
                ++shift.appeared;
                shift.appearedX += x;
                shift.appearedY += y;
            } else if (was && !is) {
                ++shift.vanished;
                shift.vanishedX += x;
                shift.vanishedY += y;
            }
        }
    }
    return shift;
}

int pinkPixels(const Picture& picture, const Box& box) {
    int pink = 0;
    for (int y = box.y0; y < box.y1 && y < picture.height; ++y) {
        for (int x = box.x0; x < box.x1 && x < picture.width; ++x) {
            const uint8_t* rgb = &picture.rgb[size_t(y * picture.width + x) * 3];
            if (rgb[0] > rgb[1] + 40) ++pink;
        }
    }
    return pink;
}

bool menuShown(const Picture& picture, const PickerPage& page, const std::vector<std::string>& choices) {
    if (picture.width != kWidth) return false;
    for (const std::string& choice : choices) {
        if (litShare(picture, page.box(choice)) < 0.03) return false;
    }
    return litShare(picture, {0, kHeight / 5, kWidth / 25, kHeight * 3 / 4}) < 0.002;
}

ScreenLooks::ScreenLooks(const std::string& method)
    : m_title(page(method, "TITLE")), m_pause(page(method, "PAUSE")) {}

PickerPage ScreenLooks::page(const std::string& method, const std::string& name) {
    return PickerPage("data/input/" + method + "/" + name + ".json", kWidth, kHeight, &references());
}

bool ScreenLooks::title(const Picture& picture) const {
    const Box blackBehindMenu[] = {
        {kWidth * 30 / 100, kHeight * 255 / 1000, kWidth * 70 / 100, kHeight * 265 / 1000},
        {kWidth * 282 / 1000, kHeight * 42 / 100, kWidth * 288 / 1000, kHeight * 78 / 100},
        {kWidth * 712 / 1000, kHeight * 42 / 100, kWidth * 718 / 1000, kHeight * 78 / 100}};
    for (const Box& black : blackBehindMenu) {
        if (litShare(picture, black) > 0.005) return false;
    }
    return choicesLit(m_title, picture) && litShare(picture, leftOfMenu()) > 0.02;
}

bool ScreenLooks::pause(const Picture& picture) const {
    return choicesLit(m_pause, picture) && litShare(picture, leftOfMenu()) < 0.002;
}

}  // namespace E2E
