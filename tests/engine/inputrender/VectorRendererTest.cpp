// The vector input renderer on a display on the recording renderer, with a text writer that
// notes what it is asked to write.
#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/input/ScreenArea.h"
#include "engine/inputrender/VectorInputRenderer.h"
#include "engine/vector/VectorDisplay.h"
#include "engine/vg/Context.h"
#include "tests/engine/gfx/RecordingTest.h"
#include "tests/engine/inputrender/AreaRecordFixture.h"

namespace {

using namespace AreaRecord;

constexpr uint32_t kGreen = 0xff00ff00;
constexpr uint32_t kOpaqueWhite = 0xffffffff;

// Every character is 30 units wide at scale 1, lines are 60 apart: the vector font's proportions.
class NotingWriter : public Vector::IDrawVectorText {
public:
    struct Written {
        Vector::VectorTextStyle style;
        std::string text;
    };

    int lineHeight(float scale) override { return int(60 * scale); }

    Vector::TextRect& measure(Vector::TextRect& out, const Vector::VectorTextStyle& style,
                              const std::string& text) override {
        size_t longest = 0, lines = 0;
        for (size_t start = 0; start <= text.size(); ++lines) {
            const size_t end = std::min(text.find('\n', start), text.size());
            longest = std::max(longest, end - start);
            start = end + 1;
        }
        out = {style.x, style.y - int(float(lines) * 60 * style.scale), int(float(longest) * 30 * style.scale),
               int(float(lines) * 60 * style.scale)};
        return out;
    }

    Vector::TextRect& draw(Vector::TextRect& out, VectorDisplay* display, const Vector::VectorTextStyle& style,
                           const std::string& text, const ScopeSweep* sweep, gfx::ProgramHandle fill) override {
        EXPECT_NE(display, nullptr);
        EXPECT_EQ(sweep, nullptr);
        EXPECT_FALSE(fill.valid());
        written.push_back({style, text});
        return measure(out, style, text);
    }

    std::vector<Written> written;
};

class VectorRendererTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        display = std::make_unique<VectorDisplay>(gfx::caps().originBottomLeft, 0.0f);
        display->init(1, uint16_t(kWindowWidth), uint16_t(kWindowHeight), 10, 0);
        overlay = std::make_unique<vg::Context>(200);
    }

    void TearDown() override {
        overlay.reset();
        display.reset();
        RecordingTest::TearDown();
    }

    // Draws the record on its own, after a render call has set the window up, and returns the
    // vertices of the display's frame.
    const std::vector<PosTexCoordColorVertex>& drawRecord(const ScreenAreaRenderInfo& info,
                                                          Vector::IDrawVectorText* writer) {
        Vector::VectorInputRenderer renderer(*display, writer);
        renderNothing(renderer, *overlay);
        display->beginFrame();
        renderer.renderArea(info);
        return display->frameVertices();
    }

    const std::vector<PosTexCoordColorVertex>& draw(const ScreenAreaRenderInfo& info) {
        return drawRecord(info, &writer);
    }

    std::unique_ptr<VectorDisplay> display;
    std::unique_ptr<vg::Context> overlay;
    NotingWriter writer;
};

}  // namespace

TEST_F(VectorRendererTest, AnAreaWithNeitherColourNorLabelDrawsOnlyItsCountdown) {
    EXPECT_THAT(draw(area("", "", "")), ::testing::IsEmpty());
    ScreenAreaRenderInfo counting = area("", "", "");
    counting.timerInfo.hold = {1, 2, SwitchTimerInfo::Colour::fromRgba(0xff0000ff)};
    const auto& vertices = draw(counting);
    ASSERT_FALSE(vertices.empty());
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{0xff0000ff}));
    // A box from the top edge down to 51 % of the height, its line 3 units either side.
    const Extent bar = extentOf(vertices, 0xff0000ff);
    EXPECT_NEAR(bar.minY, kY - 3, 1);
    EXPECT_NEAR(bar.maxY, kY + kH * 0.51f + 3, 1);
    EXPECT_NEAR(bar.minX, kX - 3, 1);
    EXPECT_NEAR(bar.maxX, kX + kW + 3, 1);
    EXPECT_TRUE(writer.written.empty());
}

TEST_F(VectorRendererTest, AFillAreaDrawsItsBoxOutlineAndNoText) {
    const auto& vertices = draw(area("0x00ff00ff", "*FILLAREA*", "0xffffffff,1,DEFAULT"));
    ASSERT_FALSE(vertices.empty());
    EXPECT_EQ(colours(vertices), (std::set<uint32_t>{kGreen}));
    const Extent box = extentOf(vertices, kGreen);
    EXPECT_NEAR(box.minY, kY - 3, 1);
    EXPECT_NEAR(box.maxY, kY + kH + 3, 1);
    EXPECT_TRUE(writer.written.empty());
    // An outline: nothing drawn in the middle of the box.
    for (const auto& v : vertices) {
        EXPECT_FALSE(v.x > kX + 10 && v.x < kX + kW - 10 && v.y > kY + 10 && v.y < kY + kH - 10);
    }
}

TEST_F(VectorRendererTest, ASelectedAreaIsOutlinedTwiceAsThickAndTheThicknessComesBack) {
    ScreenAreaRenderInfo info = area("0x00ff00ff", "*FILLAREA*", "");
    const float plainSpread = kX - extentOf(draw(info), kGreen).minX;
    EXPECT_EQ(display->getThickness(), 6.0f);
    info.selected = true;
    const float selectedSpread = kX - extentOf(draw(info), kGreen).minX;
    EXPECT_EQ(display->getThickness(), 6.0f);
    EXPECT_NEAR(plainSpread, 3, 0.5);  // half the thickness, the display's least
    EXPECT_NEAR(selectedSpread, 6, 0.5);
}

// A size multiplies the font size, as on the overlay: one menu file serves both renderers. A
// selected area's words are written as thin as the others: only its box thickens.
TEST_F(VectorRendererTest, TheWriterGetsTheStyleSizeTimesTheFontSizeAndThePlainThickness) {
    ScreenAreaRenderInfo info = area("", "PLAY", "0x11223344,2,DEFAULT,9");
    info.selected = true;
    draw(info);
    info.style = "0x11223344,2,DEFAULT";
    draw(info);
    ASSERT_EQ(writer.written.size(), 2u);
    for (const auto& written : writer.written) {
        EXPECT_EQ(written.text, "PLAY");
        EXPECT_FLOAT_EQ(written.style.scale, 36 / 22.5f);
        EXPECT_EQ(written.style.colour, 0x44332211u);
        EXPECT_EQ(written.style.thickness, 6.0f);
        EXPECT_FALSE(written.style.filled);
    }
    // The letter spacing changes nothing.
    EXPECT_EQ(writer.written[0].style.x, writer.written[1].style.x);
    EXPECT_EQ(writer.written[0].style.y, writer.written[1].style.y);
}

TEST_F(VectorRendererTest, WithoutASizeTheWriterWritesAtTheFontSize) {
    draw(area("", "PLAY", "0xffffffff"));
    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_FLOAT_EQ(writer.written[0].style.scale, 18 / 22.5f);
}

// The writer is fitted to the window by its screen, so a larger window must not enlarge the
// words a second time.
TEST_F(VectorRendererTest, WithoutASizeTheWriterWritesAtTheDesignFontSizeInAnyWindow) {
    Vector::VectorInputRenderer renderer(*display, &writer);
    const Input::InputController empty("EMPTY", nullptr, nullptr);
    renderer.render(empty, nullptr, *overlay, {1920, 1440, 640, 480, 1920, 1440});
    display->beginFrame();
    renderer.renderArea(area("", "PLAY", "0xffffffff"));
    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_FLOAT_EQ(writer.written[0].style.scale, 18 / 22.5f);
}

namespace {

struct PlaceCase {
    const char* label;
    int x, y;  // where the writer is asked to start, y upward
    const char* text;
};

class WriterPlacement : public VectorRendererTest, public ::testing::WithParamInterface<PlaceCase> {};

}  // namespace

// At the font size 18 the test writer makes a character 24 wide and a line 48 high; the area's
// top edge lies at y 384 counted upward.
TEST_P(WriterPlacement, FollowsTheAlignmentCodes) {
    const PlaceCase& c = GetParam();
    draw(area("", c.label, "0xffffffff"));
    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(writer.written[0].text, c.text);
    EXPECT_EQ(writer.written[0].style.x, c.x);
    EXPECT_EQ(writer.written[0].style.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(Codes, WriterPlacement,
                         ::testing::Values(PlaceCase{"AB", 64 + 136 + 12, 384 - 96, "AB"},            // centre, middle
                                           PlaceCase{"$<$^AB", 64 + 12 + 3, 384 - 24 - 1, "AB"},      // left, top
                                           PlaceCase{"$>$_AB", 64 + 272 + 12, 384 + 24 - 192, "AB"},  // right, bottom
                                           PlaceCase{"A\nB", 64 + 148 + 4, 384 + 24 - 96,
                                                     "A\nB"}));  // two lines about the middle

TEST_F(VectorRendererTest, ALabelWiderThanItsAreaIsWrappedAtBlanks) {
    draw(area("", "$<AAAA BBBB CCCC", "0xffffffff"));
    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(writer.written[0].text, "AAAA \nBBBB \nCCCC");  // 14 characters of 24 in 320
}

TEST_F(VectorRendererTest, AnOverLongWordIsCutWhereTheLineIsFull) {
    draw(area("", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0xffffffff"));
    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(writer.written[0].text, "ABCDEF\nGHIJKL\nMNOPQR\nSTUVWX\nYZ");  // 6 × 48 fit in 320
}

TEST_F(VectorRendererTest, ALabelOfAlignmentCodesAloneWritesNothing) {
    draw(area("", "$>$^", "0xffffffff"));
    EXPECT_TRUE(writer.written.empty());
    EXPECT_THAT(drawRecord(area("", "$<", "0xffffffff"), nullptr), ::testing::IsEmpty());
}

TEST_F(VectorRendererTest, TheStrokeFontWritesForSimplexStylesAndWithoutAWriter) {
    EXPECT_EQ(colours(draw(area("", "PLAY", "0xffffffff,1,SIMPLEX"))), (std::set<uint32_t>{kOpaqueWhite}));
    EXPECT_TRUE(writer.written.empty());
    EXPECT_EQ(colours(drawRecord(area("", "PLAY", "0xffffffff"), nullptr)), (std::set<uint32_t>{kOpaqueWhite}));
}

namespace {

// A ninth of the font size, 2 units at the design size.
const std::string kNinthSize = "0xffffffff," + std::to_string(1.0f / 9);

struct StrokeCase {
    const char* label;
    float left, right, top, bottom;  // fractions of the box the text must keep within
};

class StrokePlacement : public VectorRendererTest, public ::testing::WithParamInterface<StrokeCase> {};

}  // namespace

// A ninth of the font size (2 units) writes capitals 14 units high; the lines reach 3 units past
// the strokes.
TEST_P(StrokePlacement, KeepsTheTextInItsPartOfTheBox) {
    const StrokeCase& c = GetParam();
    const Extent text = extentOf(drawRecord(area("", c.label, kNinthSize), nullptr), kOpaqueWhite);
    ASSERT_LT(text.minX, text.maxX);
    EXPECT_GE(text.minX, kX + kW * c.left - 3);
    EXPECT_LE(text.maxX, kX + kW * c.right + 3);
    EXPECT_GE(text.minY, kY + kH * c.top - 3);
    EXPECT_LE(text.maxY, kY + kH * c.bottom + 3);
}

// Text at the top of an area at the top of the window stays in the window.
TEST_F(VectorRendererTest, StrokeTextAtTheTopStaysBelowTheTopEdge) {
    ScreenAreaRenderInfo info = area("", "$^ONE\nTWO\nTHREE", kNinthSize);
    info.rect = {0, 0, 100, 100};
    const Extent text = extentOf(drawRecord(info, nullptr), kOpaqueWhite);
    EXPECT_GT(text.minY, 0);
    EXPECT_LE(text.minY, 4.8f + 3);  // the margin, and the lines' half width
}

INSTANTIATE_TEST_SUITE_P(Codes, StrokePlacement,
                         ::testing::Values(StrokeCase{"$<$^PLAY", 0, 0.5f, 0, 0.5f},
                                           StrokeCase{"$>PLAY", 0.5f, 1, 0, 1},
                                           StrokeCase{"$<$_PLAY", 0, 0.5f, 0.5f, 1},
                                           StrokeCase{"$_ONE\nTWO", 0, 1, 0.5f, 1},
                                           StrokeCase{"PLAY", 0.25f, 0.75f, 0, 1}));

TEST_F(VectorRendererTest, AnAreaNarrowerThanOneCharacterStillGetsItsText) {
    ScreenAreaRenderInfo info = area("", "WIDE LABEL", "0xffffffff");
    info.rect.width = 0.01f;
    EXPECT_EQ(colours(drawRecord(info, nullptr)), (std::set<uint32_t>{kOpaqueWhite}));
    draw(info);
    ASSERT_EQ(writer.written.size(), 1u);
    EXPECT_EQ(writer.written[0].text, "W\nI\nD\nE\nL\nA\nB\nE\nL");
}

TEST_F(VectorRendererTest, RenderDrawsTheControllersAreasAsOneFrame) {
    Input::InputController controller("TEST", nullptr, nullptr);
    for (const char* name : {"A", "B"}) {
        auto made = std::make_unique<Input::ScreenArea>(name);
        made->setMode(1);
        made->setRect(name[0] == 'A' ? 0 : 50, 0, 50, 50);
        made->setColour(name[0] == 'A' ? "0x00ff00ff" : "0xff0000ff");
        controller.getScreenAreaController().add(std::move(made));
    }
    Vector::VectorInputRenderer renderer(*display, &writer);
    renderer.render(controller, nullptr, *overlay, kWindowFrame);
    EXPECT_EQ(colours(display->frameVertices()), (std::set<uint32_t>{kGreen, 0xff0000ffu}));
    gfx::frame();
    EXPECT_NE(recording().pass(10), nullptr);  // the frame was submitted from the display's first view
}
