// Text in the vector font: the layout's extents, where glyphs land, fills under their lines and
// the sweep reveal, on the recording renderer.
#include <gmock/gmock.h>

#include "game/vector/DrawVectorText.h"
#include "tests/engine/vector/DisplayFixture.h"
#include "tests/engine/vector/ShapeData.h"

namespace Vector {
void PrintTo(const TextRect& r, std::ostream* out) {
    *out << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}";
}
}  // namespace Vector

namespace {

constexpr uint32_t Cyan = 0xffe7d973;  // packed ABGR

struct Centre {
    float x = 0.0f;
    float y = 0.0f;
};

template <typename Vertex>
Centre centreOf(const std::vector<Vertex>& vertices) {
    Centre c;
    for (const Vertex& v : vertices) {
        c.x += v.x / float(vertices.size());
        c.y += v.y / float(vertices.size());
    }
    return c;
}

// With the font of ShapeData.h: 'A' 10 wide and 14 tall, 'I' 2 wide, spacing 2, line step 16.
class VectorText : public RecordedDisplay {
protected:
    void SetUp() override {
        RecordedDisplay::SetUp();
        ASSERT_TRUE(loadData(library, folder, OneEmptySet));
        style.x = 100;
        style.y = 200;
        style.colour = Cyan;
        style.thickness = 4.0f;
        fillProgram = gfx::createProgram("vs", "fs", "fills");
    }

    Vector::TextRect measure(const std::string& text) {
        Vector::TextRect rect;
        return writer.measure(rect, style, text);
    }

    Vector::TextRect drawText(const std::string& text, const ScopeSweep* sweep = nullptr) {
        Vector::TextRect rect;
        display->beginFrame();
        return writer.draw(rect, display.get(), style, text, sweep, fillProgram);
    }

    TempFolder folder;
    GameVectors library;
    Zelmo::DrawVectorText writer{1.0f, 1.0f, 512.0f, library};
    Vector::VectorTextStyle style;
    gfx::ProgramHandle fillProgram;
};

}  // namespace

TEST_F(VectorText, TheLayoutGivesTheTextsExtent) {
    struct Case {
        std::string text;
        Vector::TextRect rect;
    };
    // Top at 200 + 16 / 2; one line ends 16 lower; the first glyph is centred on x.
    const Case cases[] = {
        {"", {98, 200, -2, 8}},     {"A", {93, 184, 15, 24}},   {"AA", {93, 184, 27, 24}}, {"A\nA", {93, 168, 15, 40}},
        {"\nA", {93, 168, 15, 40}}, {"A?A", {93, 184, 39, 24}}, {"I", {97, 184, 3, 24}},   {"A\n", {93, 184, 15, 24}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(measure(c.text), c.rect) << "\"" << c.text << "\"";
        Vector::TextRect drawn;
        EXPECT_EQ(writer.draw(drawn, nullptr, style, c.text, nullptr, fillProgram), c.rect) << "without a display";
    }
}

TEST_F(VectorText, WidthsScaleWithScaleXAndLinesWithScaleY) {
    writer.init(512.0f, 2.0f, 0.5f);
    EXPECT_EQ(measure("A"), (Vector::TextRect{86, 192, 30, 12}));
    EXPECT_EQ(writer.lineHeight(1.5f), 36) << "(2 + 10) x scaleX x scale";
    writer.init(512.0f, 1.0f, 3.0f);
    EXPECT_EQ(writer.lineHeight(1.0f), 12) << "not with scaleY";
}

TEST_F(VectorText, GlyphsLandWhereTheLayoutPutsThemWithFillsUnderTheirLines) {
    style.filled = true;
    drawText("AIA");
    gfx::frame();
    const gfx::ViewPass* pass = recording().pass(FirstView);
    ASSERT_NE(pass, nullptr);
    // 'I' has no fill colour of its own, so only the two 'A's fill: at x 100 and, after the
    // 'A' (5 + 2) and the 'I' (1 + 1 + 2 + 5), at 116. The display mirrors y, so 200 is 40 up.
    ASSERT_EQ(pass->numDraws, 2u);
    const float expectedX[] = {100.0f, 116.0f};
    for (uint32_t i = 0; i < 2; ++i) {
        const gfx::Draw& fill = recording().draw(*pass, i);
        const auto vertices = recording().vertices<PosColorVertex>(fill);
        const Centre c = centreOf(vertices);
        EXPECT_FLOAT_EQ(c.x, expectedX[i]);
        EXPECT_FLOAT_EQ(c.y, Height - 200.0f);
        EXPECT_EQ(vertices[0].abgr, 0xff00ff00u) << "the font's own fill colour";
        EXPECT_GE(vertices[0].z, 0.0f) << "inside the scene view's depth range";
    }
}

TEST_F(VectorText, AGlyphsLinesAreCentredWhereItsFillIs) {
    style.filled = true;
    drawText("A");
    const auto lines = display->frameVertices();
    ASSERT_FALSE(lines.empty());
    const Centre c = centreOf(lines);
    EXPECT_NEAR(c.x, 100.0f, 1e-3f);
    EXPECT_NEAR(c.y, Height - 200.0f, 1e-3f);
    for (const auto& v : lines) {
        EXPECT_EQ(v.abgr, Cyan);
    }
}

TEST_F(VectorText, WritingUsesTheStylesThicknessAndGivesTheDisplaysBack) {
    display->setThickness(6.0f);
    drawText("I");
    const auto written = display->frameVertices();
    EXPECT_EQ(display->getThickness(), 6.0f);
    display->beginFrame();
    display->setThickness(4.0f);
    library.drawShape(*display, 0, 1073, 100, 200, 1.0f, 1.0f, Cyan, 0.0f);
    const auto direct = display->frameVertices();
    ASSERT_EQ(written.size(), direct.size());
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_FLOAT_EQ(written[i].x, direct[i].x);
        EXPECT_FLOAT_EQ(written[i].y, direct[i].y);
    }
}

TEST_F(VectorText, ASweepRevealsEachGlyphAndFillsNothing) {
    style.filled = true;
    ScopeSweep sweep;
    sweep.sweepY = 200.0f;
    sweep.upperSide = true;
    sweep.beamEndX = 0.0f;
    sweep.beamEndY = 0.0f;
    sweep.beamColour = 0xff00ff00;
    drawText("A", &sweep);
    const auto swept = display->frameVertices();
    gfx::frame();
    EXPECT_EQ(recording().pass(FirstView), nullptr) << "no fills under a sweep";
    display->beginFrame();
    display->setThickness(style.thickness);
    library.drawShapeClipped(sweep, *display, 1065, 100, 200, 1.0f, 1.0f, Cyan);
    const auto direct = display->frameVertices();
    ASSERT_EQ(swept.size(), direct.size());
    ASSERT_FALSE(swept.empty());
    for (size_t i = 0; i < swept.size(); ++i) {
        EXPECT_FLOAT_EQ(swept[i].y, direct[i].y);
        EXPECT_EQ(swept[i].abgr, direct[i].abgr);
    }
}
