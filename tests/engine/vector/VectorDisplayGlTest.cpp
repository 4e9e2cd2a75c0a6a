// The display's picture on OpenGL, read back: lit lines, glow, trail, joints and layers.
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/gfx/Gfx.h"
#include "engine/vector/VectorDisplay.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/ReadBackTarget.h"

namespace {

constexpr int Width = 320;  // the fixture's window
constexpr int Height = 240;
constexpr int ClearView = 1;

// Read-back rows run bottom-up, as do display coordinates drawn with flip set.
struct Picture {
    std::vector<uint8_t> rgba;

    int level(int x, int y) const {  // brightest channel
        const uint8_t* p = &rgba[(size_t(y) * Width + x) * 4];
        return std::max({p[0], p[1], p[2]});
    }

    int maxLevel(int x0, int y0, int x1, int y1) const {
        int best = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                best = std::max(best, level(x, y));
            }
        }
        return best;
    }
};

}  // namespace

class VectorDisplayGl : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        target_ = makeReadBackTarget(ClearView, Width, Height);
        display = makeDisplay(10);
    }

    void TearDown() override {
        display.reset();
        upper.reset();
        GlTest::TearDown();
    }

    std::unique_ptr<VectorDisplay> makeDisplay(int firstView) {
        auto made = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
        made->init(1, Width, Height, firstView, 0);
        return made;
    }

    void endInto(VectorDisplay& d, bool firstLayer) { d.endFrame(firstLayer); }

    // What the window would show, drawn into the test's target.
    Picture show() {
        gfx::touch(ClearView);
        gfx::setWindowTarget(target_);
        gfx::frame();
        gfx::setWindowTarget(gfx::FrameBufferHandle());
        return Picture{readBack(target_, Width, Height)};
    }

    Picture horizontalLine(float y, float brightness) {
        display->setBrightness(brightness);
        display->beginFrame();
        display->beginDraw(40, y);
        display->drawTo(280, y);
        display->endDraw();
        endInto(*display, true);
        return show();
    }

    std::unique_ptr<VectorDisplay> display;
    std::unique_ptr<VectorDisplay> upper;

private:
    gfx::FrameBufferHandle target_;
};

TEST_F(VectorDisplayGl, ALineIsLitAlongItsPathAndGlowsOnlyWithBrightness) {
    struct Case {
        float brightness;
        bool halo;
    };
    for (Case c : {Case{1.0f, true}, Case{0.0f, false}}) {
        Picture p = horizontalLine(120, c.brightness);
        for (int x : {60, 160, 260}) {
            EXPECT_GE(p.level(x, 120), 200) << "core at x " << x << ", brightness " << c.brightness;
        }
        const int halo = p.level(160, 128);
        if (c.halo) {
            EXPECT_GE(halo, 20) << "a soft halo 8 pixels out";
            EXPECT_LT(halo, p.level(160, 120));
            EXPECT_GT(p.level(160, 128), p.level(160, 140)) << "fading with distance";
        } else {
            EXPECT_EQ(halo, 0);
        }
        EXPECT_EQ(p.level(160, 200), 0) << "far from the line stays black";
        EXPECT_EQ(p.level(10, 120), 0) << "beyond the end stays black";
    }
}

// The glow takes every scene pixel (a box of 4 x 4 into each quarter-size texel), so a thin
// line's glow stays as bright wherever the line lies between the texels: it does not flicker as
// the line moves a pixel at a time. (A dim line: a bright one's glow is eased towards its
// ceiling, which its share of each texel changes a little.)
TEST_F(VectorDisplayGl, AThinLineGlowsAsMuchAtEveryPixelItMovesTo) {
    ASSERT_TRUE(display->setDecaySteps(1));  // the glow alone, no trail
    display->setThickness(1.0f);
    display->setDrawColor(0.3f, 0.3f, 0.3f, 1.0f);
    std::vector<double> halos;
    for (float y = 120; y < 124; ++y) {
        Picture p = horizontalLine(y, 1.0f);
        double halo = 0;
        for (int x = 100; x < 220; ++x) {
            for (int dy = 8; dy <= 16; ++dy) halo += p.level(x, int(y) + dy) + p.level(x, int(y) - dy);
        }
        halos.push_back(halo);
    }
    const auto [low, high] = std::minmax_element(halos.begin(), halos.end());
    EXPECT_GT(*low, 0.0);
    EXPECT_LT(*high / *low, 1.1) << "the halo beside the line changes with where it lies";
}

TEST_F(VectorDisplayGl, AMovingLineLeavesFadingCopies) {
    ASSERT_TRUE(display->setDecayStart(0.5f));
    horizontalLine(60, 0);
    horizontalLine(120, 0);
    Picture p = horizontalLine(180, 0);
    const int newest = p.level(160, 180);
    const int previous = p.level(160, 120);
    const int oldest = p.level(160, 60);
    EXPECT_GE(newest, 200);
    EXPECT_LT(previous, newest);
    EXPECT_GT(previous, 40);
    EXPECT_LT(oldest, previous);
    EXPECT_GT(oldest, 20);
}

// The persistence rounds its fade down where nothing feeds it: a trail left behind goes fully
// black, and does not hang on at its last faint level.
TEST_F(VectorDisplayGl, ATrailLeftBehindFadesFullyToBlack) {
    ASSERT_TRUE(display->setDecaySteps(8));
    ASSERT_TRUE(display->setDecayStart(0.5f));
    for (int i = 0; i < 10; ++i) horizontalLine(60, 0);
    Picture p = horizontalLine(180, 0);
    EXPECT_GT(p.level(160, 60), 60) << "the trail of the line that stood there";
    for (int i = 0; i < 60; ++i) p = horizontalLine(180, 0);
    EXPECT_EQ(p.maxLevel(40, 50, 280, 70), 0);
    EXPECT_GE(p.level(160, 180), 200);
}

TEST_F(VectorDisplayGl, AClosedSquareHasNoBrightOverlapsAtItsCorners) {
    display->setBrightness(0);
    display->setDrawColor(0.5f, 0.5f, 0.5f, 0.3f);  // dim, so a doubled stroke would show
    display->beginFrame();
    display->drawBox(60.5f, 200.5f, 200, 160);  // edges through pixel centres, as the corners' arcs are
    endInto(*display, true);
    Picture p = show();
    const int edge = p.maxLevel(150, 196, 170, 204);  // across the middle of the top edge
    ASSERT_GT(edge, 30);
    for (auto [x, y] : {std::pair{60, 200}, std::pair{260, 200}, std::pair{260, 40}, std::pair{60, 40}}) {
        EXPECT_LE(p.maxLevel(x - 6, y - 6, x + 6, y + 6), edge + 4) << "corner " << x << ", " << y;
        EXPECT_GT(p.maxLevel(x - 6, y - 6, x + 6, y + 6), edge / 2) << "corner " << x << ", " << y << " is drawn";
    }
}

TEST_F(VectorDisplayGl, AnUpperLayerLetsTheLowerOneShowThroughItsBlack) {
    upper = makeDisplay(40);
    upper->setBrightness(0);
    upper->beginFrame();
    upper->beginDraw(40, 60);
    upper->drawTo(280, 60);
    upper->endDraw();
    display->setBrightness(0);
    display->beginFrame();
    display->beginDraw(40, 180);
    display->drawTo(280, 180);
    display->endDraw();
    endInto(*display, true);  // from view 10: underneath
    endInto(*upper, false);   // from view 40: on top
    Picture p = show();
    EXPECT_GE(p.level(160, 180), 200);
    EXPECT_GE(p.level(160, 60), 200);
}

TEST_F(VectorDisplayGl, SupersamplingShowsAWiderRegionAroundTheCentre) {
    display.reset();
    display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
    display->init(2, Width, Height, 10, 0);
    display->setBrightness(0);
    display->beginFrame();
    display->beginDraw(0, 120);
    display->drawTo(320, 120);
    display->endDraw();
    endInto(*display, true);
    Picture p = show();
    // The picture spans twice the display: the full-width line covers the middle half.
    EXPECT_GE(p.level(160, 120), 150);
    EXPECT_GE(p.level(90, 120), 150);
    EXPECT_EQ(p.level(60, 120), 0);
    EXPECT_EQ(p.level(260, 120), 0);
}
