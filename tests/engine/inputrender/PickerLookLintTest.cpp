// How the method picker's shipped pages will look, read from their data as the overlay renderer
// draws it: the lit choice does not re-flow its words, words stand out from every fill they
// can lie on, and countdowns are shown only over the boxes they count for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/input/InputControllers.h"
#include "engine/inputrender/AreaStyle.h"

namespace {

using Input::IScreenArea;

const std::vector<std::string> kPickFiles = {"data/INPUT-METHOD-PICK.json", "data/PICK-SWITCH-OR-HEAD.json",
                                             "data/PICK-SWITCH.json"};
// The least contrast of words with what lies behind them, as for body text on the web.
constexpr double kLeastContrast = 4.5;

struct Rgb {
    double r = 0, g = 0, b = 0;  // 0 to 255
};

// A 0xRRGGBBAA colour laid over what lies below.
Rgb over(uint32_t rgba, const Rgb& below) {
    const double alpha = double(rgba & 0xff) / 255;
    const auto mix = [&](uint32_t channel, double under) {
        return alpha * double(channel & 0xff) + (1 - alpha) * under;
    };
    return {mix(rgba >> 24, below.r), mix(rgba >> 16, below.g), mix(rgba >> 8, below.b)};
}

double luminance(const Rgb& c) {
    const auto linear = [](double channel) {
        const double v = channel / 255;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast(const Rgb& a, const Rgb& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool overlaps(const IScreenArea& a, const IScreenArea& b) {
    const Input::AreaRect p = a.getRect(), q = b.getRect();
    return p.x < q.x + q.width && q.x < p.x + p.width && p.y < q.y + q.height && q.y < p.y + p.height;
}

bool inside(const IScreenArea& inner, const IScreenArea& outer) {
    const Input::AreaRect p = inner.getRect(), q = outer.getRect();
    return p.x >= q.x && p.y >= q.y && p.x + p.width <= q.x + q.width && p.y + p.height <= q.y + q.height;
}

bool hasWords(const std::string& label) { return !label.empty() && label != "*FILLAREA*"; }

// Every page of the picker, loaded as the game loads it.
class PickerLook : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        for (const std::string& file : kPickFiles) ASSERT_TRUE(controllers.load(file, file, nullptr)) << file;
    }

    Input::InputController& page(const std::string& file) { return *controllers.find(file); }

    // The countdown colours the area shows while it is current.
    std::vector<uint32_t> countdownsOf(Input::InputController& controller, const IScreenArea& area) {
        std::vector<uint32_t> colours;
        std::vector<Input::Switch*> switches;
        controller.getSwitchController().findSwitches(switches, area, Input::TriggerType::UNDEF);
        for (const Input::Switch* each : switches) {
            for (uint32_t colour : {each->getColours().repeat, each->getColours().hold, each->getColours().afterHold}) {
                if (colour != 0) colours.push_back(colour);
            }
        }
        return colours;
    }

    Input::InputControllers controllers;
};

TEST_F(PickerLook, ALitChoiceKeepsTheWordsSizeAndFaceSoNothingReflows) {
    for (const std::string& file : kPickFiles) {
        for (const auto& area : page(file).getScreenAreaController().getAreas()) {
            const Input::AreaStyle normal = Input::parseAreaStyle(area->getStyle());
            const Input::AreaStyle lit = Input::parseAreaStyle(area->getSelStyle());
            EXPECT_EQ(area->getSelLabel(), area->getLabel()) << file << " " << area->getName();
            EXPECT_EQ(lit.size, normal.size) << file << " " << area->getName();
            EXPECT_EQ(lit.font, normal.font) << file << " " << area->getName();
            EXPECT_EQ(lit.letterSpacing, normal.letterSpacing) << file << " " << area->getName();
        }
    }
}

// Every label against its own box (or the black screen), lit and unlit, and against every
// countdown that can be drawn over it, since the words are written over the countdowns.
TEST_F(PickerLook, WordsStandOutFromEveryFillTheyCanLieOn) {
    const Rgb black;
    for (const std::string& file : kPickFiles) {
        Input::InputController& controller = page(file);
        const auto& areas = controller.getScreenAreaController().getAreas();
        for (const auto& words : areas) {
            if (!hasWords(words->getLabel())) continue;
            for (const bool lit : {false, true}) {
                const Rgb text =
                    over(Input::parseAreaStyle(lit ? words->getSelStyle() : words->getStyle()).colour, black);
                const Rgb box = over(Input::parseAreaColour(lit ? words->getSelColour() : words->getColour()), black);
                EXPECT_GE(contrast(text, box), kLeastContrast)
                    << file << " " << words->getName() << (lit ? " lit" : "");
            }
            for (const auto& counting : areas) {
                if (!overlaps(*counting, *words)) continue;
                const auto& groups = words->getGroups();
                const bool lit =
                    counting == words || std::find(groups.begin(), groups.end(), counting->getName()) != groups.end();
                const Rgb text =
                    over(Input::parseAreaStyle(lit ? words->getSelStyle() : words->getStyle()).colour, black);
                const Rgb box = over(Input::parseAreaColour(lit ? words->getSelColour() : words->getColour()), black);
                for (uint32_t countdown : countdownsOf(controller, *counting)) {
                    EXPECT_GE(contrast(text, over(countdown, box)), kLeastContrast)
                        << file << " " << words->getName() << " over the countdown of " << counting->getName();
                }
            }
        }
    }
}

// A countdown fills its area's whole rectangle: on an area without a box of its own that is not
// laid over one (the whole window, say), it would wash over the page.
TEST_F(PickerLook, CountdownsAreShownOnlyOverABox) {
    for (const std::string& file : kPickFiles) {
        Input::InputController& controller = page(file);
        const auto& areas = controller.getScreenAreaController().getAreas();
        for (const auto& counting : areas) {
            if (countdownsOf(controller, *counting).empty()) continue;
            const bool overABox = std::any_of(areas.begin(), areas.end(), [&](const auto& box) {
                return !box->getColour().empty() && inside(*counting, *box);
            });
            EXPECT_TRUE(overABox) << file << " " << counting->getName();
        }
    }
}

}  // namespace
