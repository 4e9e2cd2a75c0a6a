// The words of STANDARD's menu pages as the overlay writes them, which it does when the player
// turns the line menus off: the same files serve the vector menus, and a size meant for one
// renderer must not make the other's words unreadable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "engine/input/InputControllers.h"
#include "engine/input/ScreenArea.h"
#include "engine/inputrender/AreaStyle.h"
#include "engine/inputrender/InputRenderer.h"
#include "engine/util/Colour.h"
#include "engine/vg/Context.h"
#include "game/input/GlobalInputRefs.h"
#include "tests/engine/gfx/RecordingTest.h"

namespace {

constexpr gfx::ViewId kMenuWordsView = 200;
// The window the game opens, against the design size its menus are laid out for.
constexpr int kMenuWordsWidth = 960, kMenuWordsHeight = 720;
constexpr Util::FrameGeometry kMenuWordsFrame{kMenuWordsWidth, kMenuWordsHeight, 640, 480,
                                              kMenuWordsWidth, kMenuWordsHeight};
// The overlay's font size in that window, and the least height of words with letters that a
// player can read there (a capital is three quarters of the font size).
constexpr float kMenuWordsFontSize = 18 * 1.5f;
constexpr float kLeastWordsHeight = kMenuWordsFontSize * 0.4f;

struct MenuWordsVertex {
    float x, y;
    float u, v;
    uint32_t abgr;
};

// Every bracketed placeholder as a long binding name, as the screens fill them in.
class LongBindings : public Game::IStringConvertor {
public:
    std::string convert(const std::string& text) override {
        std::string shown;
        bool inside = false;
        for (char c : text) {
            if (c == '[') {
                inside = true;
                shown += "DPAD_UP";
            } else if (c == ']') {
                inside = false;
            } else if (!inside) {
                shown += c;
            }
        }
        return shown;
    }
};

class MenuWordsSize : public RecordingTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        overlay = std::make_unique<vg::Context>(kMenuWordsView);
        ASSERT_EQ(overlay->createFont("DEFAULT", "data/fonts/DejaVuSans.ttf"), 0);
        ASSERT_EQ(overlay->createFont("BOLD", "data/fonts/DejaVuSans-Bold.ttf"), 1);
        static Zelmo::GlobalInputRefs s_refs;
        static const bool s_loaded = s_refs.load("data/Accessibility.fbs", "data/accessibility");
        ASSERT_TRUE(s_loaded);
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        ASSERT_TRUE(controllers.load(GetParam(), std::string("data/input/STANDARD/") + GetParam() + ".json", &s_refs));
    }

    void TearDown() override {
        overlay.reset();
        RecordingTest::TearDown();
    }

    // The height of the words of one area drawn alone, in window pixels.
    float wordsHeight(const Input::IScreenArea& shipped) {
        Input::InputController alone("ALONE", nullptr, nullptr);
        auto area = std::make_unique<Input::ScreenArea>(shipped.getName());
        const Input::AreaRect rect = shipped.getRect();
        area->setMode(1);  // drawn
        area->setRect(rect.x, rect.y, rect.width, rect.height);
        area->setLabel(shipped.getLabel());
        area->setStyle(shipped.getStyle());
        alone.getScreenAreaController().add(std::move(area));
        overlay->beginFrame(kMenuWordsWidth, kMenuWordsHeight, 1.0f);
        renderer.render(alone, &bindings, *overlay, kMenuWordsFrame);
        EXPECT_TRUE(overlay->endFrame());
        gfx::frame();
        const uint32_t colour = Util::rgbaToAbgr(Input::parseAreaStyle(shipped.getStyle()).colour);
        float top = 1e9f, bottom = -1e9f;
        for (const MenuWordsVertex& v : indexedVertices<MenuWordsVertex>(kMenuWordsView)) {
            if (v.abgr != colour) continue;
            top = std::min(top, v.y);
            bottom = std::max(bottom, v.y);
        }
        return bottom - top;
    }

    Input::InputControllers controllers;
    std::unique_ptr<vg::Context> overlay;
    Game::InputRenderer renderer;
    LongBindings bindings;
};

bool hasLetters(const std::string& label) {
    return std::any_of(label.begin(), label.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// The help's rows and the controls' binding rows among them: the overlay shrinks words that do
// not fit their box, and a size it reads as too large shrinks them to specks.
TEST_P(MenuWordsSize, EveryLabelIsWrittenLargeEnoughToReadAndInsideItsBox) {
    for (const auto& area : controllers.find(GetParam())->getScreenAreaController().getAreas()) {
        const std::string& label = area->getLabel();
        if (!hasLetters(label) || label == "*FILLAREA*" || label == "[CAPTURE_HINT]") continue;
        const float boxHeight = float(kMenuWordsHeight) * area->getRect().height / 100;
        const float height = wordsHeight(*area);
        EXPECT_GE(height, kLeastWordsHeight) << area->getName() << " \"" << label << "\"";
        EXPECT_LE(height, boxHeight) << area->getName() << " \"" << label << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(StandardPages, MenuWordsSize,
                         ::testing::Values("TITLE", "SETTINGS", "HELP", "OPTIONS", "CONTROLS"));

}  // namespace
