// The method picker's areas drawn by each input renderer on OpenGL and read back: the boxes
// light, and the selected choice stands out from the other. Each picture is also written to
// the temporary folder as a PNG for a person to look at.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/input/InputControllers.h"
#include "engine/inputrender/InputRenderer.h"
#include "engine/inputrender/VectorInputRenderer.h"
#include "engine/util/Files.h"
#include "engine/vector/VectorDisplay.h"
#include "engine/vg/Context.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/PicturePng.h"
#include "tests/engine/gfx/ReadBackTarget.h"

namespace {

// The overlay draws at the design size; the vector lines, whose least width suits large text
// only, at twice that.
constexpr int kDesignWidth = 640;
constexpr int kDesignHeight = 480;
constexpr int kVectorScale = 2;
constexpr gfx::ViewId kClearView = 1;
constexpr int kVectorFirstView = 10;
constexpr gfx::ViewId kPickerOverlayView = 200;

// The game's fonts, from its data folder when they are there, else from the system's.
std::string fontPath(const std::string& file) {
    const std::string shipped = "data/" + file;
    return Util::fileSize(shipped) > 0 ? shipped : "/usr/share/fonts/truetype/dejavu/" + file;
}

// A read-back picture addressed from the top-left, as the window is.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bottomUp;  // RGBA rows, the bottom row first

    int level(int x, int y) const {
        const uint8_t* p = &bottomUp[(size_t(height - 1 - y) * size_t(width) + size_t(x)) * 4];
        return p[0] + p[1] + p[2];
    }
    // The summed levels of a rectangle given in percent of the window.
    long light(float x, float y, float w, float h) const {
        long sum = 0;
        for (int py = int(float(height) * y / 100); py < int(float(height) * (y + h) / 100); ++py) {
            for (int px = int(float(width) * x / 100); px < int(float(width) * (x + w) / 100); ++px) {
                sum += level(px, py);
            }
        }
        return sum;
    }
    void save(const std::string& path) const { writePicturePng(path, bottomUp, width, height); }
};

class PickerPictures : public GlTest {
protected:
    void SetUp() override {
        // As the overlay's own pixel tests: softpipe without LLVM keeps the leak checker quiet.
        setenv("GALLIUM_DRIVER", "softpipe", 0);
        setenv("DRAW_USE_LLVM", "0", 0);
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        ASSERT_TRUE(controllers.load("INPUT-METHOD", "data/INPUT-METHOD-PICK.json", nullptr));
        controllers.setCurrent("INPUT-METHOD");
    }

    void TearDown() override {
        overlay_.reset();
        display_.reset();
        GlTest::TearDown();
    }

    // Every picture is drawn into a target of its own size, cleared to black first.
    void startPicture(int width, int height) {
        if (width != m_width || height != m_height) {
            gfx::destroy(target_);
            target_ = makeReadBackTarget(kClearView, width, height);
            m_width = width;
            m_height = height;
        }
        gfx::setViewFrameBuffer(kClearView, target_);
        gfx::setViewRect(kClearView, 0, 0, uint16_t(width), uint16_t(height));
    }

    // The picker with the named choice current and its dwell 40 % run.
    Input::InputController& pickerAt(const std::string& choice) {
        Input::InputController& picker = *controllers.getCurrent();
        picker.gotoArea(choice);
        picker.tick(600);
        EXPECT_EQ(picker.getCurrentAreaName(), choice);
        return picker;
    }

    Picture withOverlay(const std::string& choice) {
        startPicture(kDesignWidth, kDesignHeight);
        if (!overlay_) {
            overlay_ = std::make_unique<vg::Context>(kPickerOverlayView);
            for (const auto& [name, file] : {std::pair{"DEFAULT", "DejaVuSans.ttf"},
                                             {"BOLD", "DejaVuSans-Bold.ttf"},
                                             {"MONO", "DejaVuSansMono.ttf"}}) {
                EXPECT_NE(overlay_->createFont(name, fontPath(file)), vg::kInvalidFont) << file;
            }
        }
        overlay_->beginFrame(kDesignWidth, kDesignHeight, 1.0f);
        Game::InputRenderer renderer;
        renderer.render(pickerAt(choice), nullptr, *overlay_,
                        {kDesignWidth, kDesignHeight, kDesignWidth, kDesignHeight, kDesignWidth, kDesignHeight});
        EXPECT_TRUE(overlay_->endFrame());
        return show();
    }

    Picture withVectors(const std::string& choice) {
        const int width = kDesignWidth * kVectorScale, height = kDesignHeight * kVectorScale;
        startPicture(width, height);
        if (!display_) {
            display_ = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
            display_->init(1, uint16_t(width), uint16_t(height), kVectorFirstView, 0);
            display_->setBrightness(0);  // the glow is the display's business; the lines are ours
        }
        // Without a writer for the game's vector font the labels are in the stroke font.
        Vector::VectorInputRenderer renderer(*display_, nullptr);
        vg::Context unused(kPickerOverlayView);
        renderer.render(pickerAt(choice), nullptr, unused, {width, height, kDesignWidth, kDesignHeight, width, height});
        return show();
    }

    // What the window would show, drawn into the target.
    Picture show() {
        gfx::touch(kClearView);
        gfx::setWindowTarget(target_);
        gfx::frame();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        return Picture{m_width, m_height, readBack(target_, m_width, m_height)};
    }

    Input::AreaRect rectOf(const std::string& area) {
        return controllers.getCurrent()->getScreenAreaController().find(area)->getRect();
    }

    Input::InputControllers controllers;

private:
    gfx::FrameBufferHandle target_;
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<vg::Context> overlay_;
    std::unique_ptr<VectorDisplay> display_;
};

}  // namespace

TEST_F(PickerPictures, TheOverlayFillsBothChoicesAndLightsTheSelectedOne) {
    const Input::AreaRect first = rectOf("STANDARD"), second = rectOf("PICK");
    const Picture standard = withOverlay("STANDARD");
    standard.save(::testing::TempDir() + "picker-overlay-standard.png");
    const Picture pick = withOverlay("PICK");
    pick.save(::testing::TempDir() + "picker-overlay-pick.png");

    // A strip along a box's left edge, below the countdown and clear of the label.
    const auto strip = [](const Picture& p, const Input::AreaRect& r) {
        return p.light(r.x + 1, r.y + r.height * 0.75f, 3, r.height * 0.15f);
    };
    // A strip along its top edge, where the countdown of the current choice grows.
    const auto top = [](const Picture& p, const Input::AreaRect& r) {
        return p.light(r.x + 1, r.y + 1, 3, r.height * 0.15f);
    };
    for (const Picture* p : {&standard, &pick}) {
        EXPECT_GT(strip(*p, first), 0);
        EXPECT_GT(strip(*p, second), 0);
        EXPECT_EQ(p->light(0, first.y, first.x - 1, first.height), 0);  // left of the boxes
    }
    EXPECT_GT(strip(standard, first), strip(standard, second) * 3 / 2);
    EXPECT_GT(strip(pick, second), strip(pick, first) * 3 / 2);
    // The labels: light in the middle of each box beyond its fill.
    const auto middle = [](const Picture& p, const Input::AreaRect& r) {
        return p.light(30, r.y + r.height * 0.3f, 40, r.height * 0.4f);
    };
    EXPECT_GT(middle(standard, first), strip(standard, first) * 8);
    EXPECT_GT(middle(pick, second), strip(pick, second) * 8);
    // The countdown fills the top of the current choice in a colour of its own.
    EXPECT_GT(std::abs(top(standard, first) - strip(standard, first)), strip(standard, first) / 5);
    EXPECT_GT(std::abs(top(pick, second) - strip(pick, second)), strip(pick, second) / 5);
    EXPECT_LT(std::abs(top(standard, second) - strip(standard, second)), strip(standard, second) / 10);
}

TEST_F(PickerPictures, TheVectorLinesOutlineBothChoicesAndThickenTheSelectedOne) {
    const Input::AreaRect first = rectOf("STANDARD"), second = rectOf("PICK");
    const Picture standard = withVectors("STANDARD");
    standard.save(::testing::TempDir() + "picker-vector-standard.png");
    const Picture pick = withVectors("PICK");
    pick.save(::testing::TempDir() + "picker-vector-pick.png");

    // A band across a box's left edge, below the countdown box, and one just inside it.
    const auto edge = [](const Picture& p, const Input::AreaRect& r) {
        return p.light(r.x - 2, r.y + r.height * 0.75f, 4, r.height * 0.15f);
    };
    const auto inside = [](const Picture& p, const Input::AreaRect& r) {
        return p.light(r.x + 3, r.y + r.height * 0.75f, 4, r.height * 0.15f);
    };
    for (const Picture* p : {&standard, &pick}) {
        EXPECT_GT(edge(*p, first), 0);
        EXPECT_GT(edge(*p, second), 0);
        EXPECT_EQ(inside(*p, first), 0);  // an outline, not a fill
        EXPECT_EQ(p->light(0, first.y, first.x - 3, first.height), 0);
    }
    EXPECT_GT(edge(standard, first), edge(standard, second) * 3 / 2);
    EXPECT_GT(edge(pick, second), edge(pick, first) * 3 / 2);
    EXPECT_GT(standard.light(first.x, first.y, first.width, first.height),
              pick.light(first.x, first.y, first.width, first.height));
    // Labels are written inside both boxes.
    for (const Input::AreaRect& r : {first, second}) {
        EXPECT_GT(standard.light(25, r.y + 3, 50, r.height * 0.7f), edge(standard, r) * 4);
    }
}
