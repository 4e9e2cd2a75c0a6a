#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "VgTest.h"
#include "tests/engine/gfx/GlContext.h"
#include "tests/engine/gfx/ReadBackTarget.h"

namespace {

constexpr int Size = 200;
constexpr uint32_t White = vg::rgba(255, 255, 255, 255);

// Coverage read back from an off-screen target, addressed from the top-left like the overlay.
class Picture {
public:
    explicit Picture(std::vector<uint32_t> bottomUp) : pixels_(std::move(bottomUp)) {}

    bool lit(int x, int y) const { return red(x, y) >= 128; }
    int red(int x, int y) const { return int(pixels_[size_t((Size - 1 - y) * Size + x)] & 0xffu); }

    int litCount() const {
        return int(std::count_if(pixels_.begin(), pixels_.end(), [](uint32_t p) { return (p & 0xffu) >= 128; }));
    }

    // Lit pixels in column x between rows from and to.
    int litInColumn(int x, int from = 0, int to = Size) const {
        int count = 0;
        for (int y = from; y < to; ++y) {
            count += lit(x, y) ? 1 : 0;
        }
        return count;
    }

    // The box around every lit pixel in the rows [from, to); false when none is lit.
    bool litBox(vg::Bounds* box, int from = 0, int to = Size) const {
        bool any = false;
        for (int y = from; y < to; ++y) {
            for (int x = 0; x < Size; ++x) {
                if (!lit(x, y)) {
                    continue;
                }
                if (!any) {
                    *box = vg::Bounds{float(x), float(y), float(x + 1), float(y + 1)};
                    any = true;
                }
                box->minX = std::min(box->minX, float(x));
                box->minY = std::min(box->minY, float(y));
                box->maxX = std::max(box->maxX, float(x + 1));
                box->maxY = std::max(box->maxY, float(y + 1));
            }
        }
        return any;
    }

private:
    std::vector<uint32_t> pixels_;
};

// The overlay drawing white on black into a 200 × 200 target.
class OverlayPixelsTest : public GlTest {
protected:
    void SetUp() override {
        // Mesa's LLVM shader compiler leaves dynamic thread-local blocks that LeakSanitizer's
        // exit scan now and then crashes on (in its own tracer, not on a leak). softpipe without
        // LLVM vertex processing draws the same pixels with no compiler. A choice made by whoever
        // runs the tests stands.
        setenv("GALLIUM_DRIVER", "softpipe", 0);
        setenv("DRAW_USE_LLVM", "0", 0);
        GlTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        target_ = makeReadBackTarget(OverlayView, Size, Size);
        overlay_ = std::make_unique<vg::Context>(OverlayView);
        ASSERT_EQ(overlay_->createFont("MONO", MonoPath), 0);
        ASSERT_EQ(overlay_->createFont("SANS", SansPath), 1);
        overlay_->beginFrame(Size, Size, 1.0f);
    }

    void TearDown() override {
        overlay_.reset();
        GlTest::TearDown();
    }

    vg::Context& ctx() { return *overlay_; }

    Picture draw() {
        EXPECT_TRUE(overlay_->endFrame());
        gfx::frame();
        return Picture(readBack<uint32_t>(target_, Size, Size));
    }

private:
    gfx::FrameBufferHandle target_;
    std::unique_ptr<vg::Context> overlay_;
};

}  // namespace

TEST_F(OverlayPixelsTest, AFilledRoundedRectCoversItsPixelsButNotItsCorners) {
    ctx().beginPath();
    ctx().roundedRect(40, 40, 120, 80, 20);
    ctx().fillColor(White);
    ctx().fill();
    Picture picture = draw();
    EXPECT_TRUE(picture.lit(100, 80));
    EXPECT_TRUE(picture.lit(41, 80));    // left edge, between the corners
    EXPECT_TRUE(picture.lit(100, 41));   // top edge
    EXPECT_TRUE(picture.lit(150, 110));  // near the bottom-right corner, inside its arc
    EXPECT_FALSE(picture.lit(39, 80));
    EXPECT_FALSE(picture.lit(100, 121));
    for (auto [x, y] : {std::pair{41, 41}, {158, 41}, {158, 118 + 1}, {41, 118}}) {
        EXPECT_FALSE(picture.lit(x, y)) << "corner pixel " << x << ", " << y;
    }
    EXPECT_TRUE(picture.lit(46, 46));  // just inside the top-left arc
    float area = 120 * 80 - (4 - 3.14159f) * 20 * 20;
    EXPECT_NEAR(picture.litCount(), area, area * 0.01f);
}

TEST_F(OverlayPixelsTest, NegativeSizesDrawTheSameRectangle) {
    ctx().beginPath();
    ctx().rect(160, 120, -100, -60);
    ctx().fill();
    Picture flipped = draw();
    ctx().beginFrame(Size, Size, 1.0f);
    ctx().beginPath();
    ctx().rect(60, 60, 100, 60);
    ctx().fill();
    Picture plain = draw();
    EXPECT_EQ(flipped.litCount(), 100 * 60);
    for (int y = 0; y < Size; y += 3) {
        for (int x = 0; x < Size; x += 3) {
            ASSERT_EQ(flipped.lit(x, y), plain.lit(x, y)) << x << ", " << y;
        }
    }
}

TEST_F(OverlayPixelsTest, AConvexOutlineFillsTheSameWhicheverWayItRuns) {
    for (bool clockwise : {true, false}) {
        ctx().beginFrame(Size, Size, 1.0f);
        ctx().beginPath();
        ctx().moveTo(50, 50);
        ctx().lineTo(clockwise ? 150 : 50, clockwise ? 50 : 150);
        ctx().lineTo(150, 150);
        ctx().lineTo(clockwise ? 50 : 150, clockwise ? 150 : 50);
        ctx().closePath();
        ctx().fill();
        Picture picture = draw();
        EXPECT_EQ(picture.litCount(), 100 * 100) << (clockwise ? "clockwise" : "anticlockwise");
        EXPECT_EQ(picture.red(50, 100), 255) << (clockwise ? "clockwise" : "anticlockwise");
    }
}

TEST_F(OverlayPixelsTest, ThePixelRatioScalesUnitsToPixels) {
    ctx().beginFrame(Size / 2, Size / 2, 2.0f);
    ctx().beginPath();
    ctx().rect(10, 10, 30, 30);
    ctx().fill();
    Picture picture = draw();
    EXPECT_EQ(picture.litCount(), 60 * 60);
    EXPECT_TRUE(picture.lit(20, 20));
    EXPECT_TRUE(picture.lit(79, 79));
    EXPECT_FALSE(picture.lit(80, 80));
}

TEST_F(OverlayPixelsTest, AStrokeIsAboutAsWideAsItsWidth) {
    for (float width : {2.0f, 5.0f, 8.0f, 13.0f}) {
        ctx().beginFrame(Size, Size, 1.0f);
        ctx().beginPath();
        ctx().moveTo(30, 100);
        ctx().lineTo(170, 100);
        ctx().strokeColor(White);
        ctx().strokeWidth(width);
        ctx().stroke();
        Picture picture = draw();
        EXPECT_NEAR(picture.litInColumn(100), width, 1.0f) << "width " << width;
        // Butt ends stop at the end points.
        EXPECT_FALSE(picture.lit(28, 100)) << "width " << width;
        EXPECT_FALSE(picture.lit(172, 100)) << "width " << width;
    }
}

TEST_F(OverlayPixelsTest, RoundCapsReachHalfTheWidthBeyondTheEnds) {
    ctx().beginPath();
    ctx().moveTo(50, 100);
    ctx().lineTo(150, 100);
    ctx().strokeColor(White);
    ctx().strokeWidth(16);
    ctx().lineCap(vg::LineCap::Round);
    ctx().stroke();
    Picture picture = draw();
    EXPECT_TRUE(picture.lit(44, 100));
    EXPECT_TRUE(picture.lit(155, 100));
    EXPECT_FALSE(picture.lit(40, 100));
    EXPECT_FALSE(picture.lit(44, 93));  // the cap is round, not square
}

TEST_F(OverlayPixelsTest, AConcaveLShapeFillsOnlyItsArms) {
    ctx().beginPath();
    ctx().moveTo(20, 20);
    ctx().lineTo(60, 20);
    ctx().lineTo(60, 140);
    ctx().lineTo(160, 140);
    ctx().lineTo(160, 180);
    ctx().lineTo(20, 180);
    ctx().closePath();
    ctx().fill();
    Picture picture = draw();
    EXPECT_TRUE(picture.lit(40, 30));    // the upright arm
    EXPECT_TRUE(picture.lit(150, 170));  // the foot
    EXPECT_TRUE(picture.lit(40, 170));   // where they meet
    EXPECT_FALSE(picture.lit(61, 139));  // the notch's corner
    EXPECT_FALSE(picture.lit(110, 80));  // inside the notch
    EXPECT_FALSE(picture.lit(159, 21));
    EXPECT_EQ(picture.litCount(), 40 * 160 + 100 * 40);
}

TEST_F(OverlayPixelsTest, OverlappingSubPathsFillTheirUnionOnce) {
    // Two squares running in opposite directions: neither cancels the other, and the half
    // transparent colour is laid once where they overlap.
    ctx().beginPath();
    ctx().moveTo(20, 20);
    ctx().lineTo(120, 20);
    ctx().lineTo(120, 120);
    ctx().lineTo(20, 120);
    ctx().closePath();
    ctx().moveTo(70, 70);
    ctx().lineTo(70, 170);
    ctx().lineTo(170, 170);
    ctx().lineTo(170, 70);
    ctx().closePath();
    ctx().fillColor(vg::rgba(255, 255, 255, 128));
    ctx().fill();
    Picture picture = draw();
    EXPECT_NEAR(picture.red(95, 95), 128, 2);
    EXPECT_NEAR(picture.red(30, 30), 128, 2);
    EXPECT_NEAR(picture.red(160, 160), 128, 2);
    EXPECT_EQ(picture.red(160, 30), 0);
}

TEST_F(OverlayPixelsTest, ACircleCoversItsArea) {
    ctx().beginPath();
    ctx().circle(100, 100, 50);
    ctx().fill();
    Picture picture = draw();
    float area = 3.14159f * 50 * 50;
    EXPECT_NEAR(picture.litCount(), area, area * 0.01f);
    EXPECT_FALSE(picture.lit(100 + 36, 100 + 36));
    EXPECT_TRUE(picture.lit(100 + 34, 100 + 34));
}

TEST_F(OverlayPixelsTest, TextInABoxWrapsIntoRowsAndItsBoundsMatchWhatIsLit) {
    ctx().fontFace("MONO");
    ctx().fontSize(20);
    ctx().textAlign(vg::Align::Left | vg::Align::Top);
    float advance = ctx().textBounds(0, 0, "M", nullptr);
    float width = 9.25f * advance;
    const char* text = "AAAA BBBB CCCC DDDD EEEE";
    ASSERT_EQ(ctx().textBreakLines(text, width, 20).size(), 3u);
    vg::Bounds bounds = ctx().textBoxBounds(20, 30, width, text);
    ctx().fillColor(White);
    ctx().textBox(20, 30, width, text);
    Picture picture = draw();

    vg::Bounds lit;
    ASSERT_TRUE(picture.litBox(&lit));
    EXPECT_NEAR(lit.minX, bounds.minX, 1.5f);
    EXPECT_NEAR(lit.maxX, bounds.maxX, 1.5f);
    EXPECT_GE(lit.minY, bounds.minY);
    EXPECT_LE(lit.maxY, bounds.maxY + 1);
    EXPECT_NEAR(bounds.height(), 3 * 20.0f, 0.01f);
    // Each of the three line boxes holds its row's letters; the last row is only four letters wide.
    std::vector<vg::TextRow> rows = ctx().textBreakLines(text, width, 20);
    for (int row = 0; row < 3; ++row) {
        vg::Bounds line;
        int top = int(bounds.minY) + row * 20;
        ASSERT_TRUE(picture.litBox(&line, top, top + 20)) << "row " << row;
        EXPECT_NEAR(line.minX, 20 + rows[size_t(row)].minX, 1.5f) << "row " << row;
        EXPECT_NEAR(line.maxX, 20 + rows[size_t(row)].maxX, 1.5f) << "row " << row;
    }
    EXPECT_LT(rows[2].maxX, 4 * advance + 0.5f);
}

TEST_F(OverlayPixelsTest, LetterSpacingWidensTheLitText) {
    ctx().fontFace("SANS");
    ctx().fontSize(24);
    ctx().textAlign(vg::Align::Left | vg::Align::Middle);
    ctx().text(20, 100, "HIIIH");
    Picture plain = draw();
    ctx().beginFrame(Size, Size, 1.0f);
    ctx().fontFace("SANS");
    ctx().fontSize(24);
    ctx().textAlign(vg::Align::Left | vg::Align::Middle);
    ctx().textLetterSpacing(6);
    ctx().text(20, 100, "HIIIH");
    Picture spaced = draw();

    vg::Bounds a, b;
    ASSERT_TRUE(plain.litBox(&a));
    ASSERT_TRUE(spaced.litBox(&b));
    EXPECT_NEAR(b.width() - a.width(), 4 * 6.0f, 1.5f);
    EXPECT_NEAR(a.minX, b.minX, 1.0f);
    // The text is centred on its line: the middle of the capitals sits near y.
    EXPECT_NEAR((a.minY + a.maxY) / 2, 100, 3.0f);
}
