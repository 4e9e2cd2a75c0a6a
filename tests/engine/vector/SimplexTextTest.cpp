// Measuring and writing with the built-in stroke font.
#include <gmock/gmock.h>

#include <algorithm>

#include "DisplayFixture.h"
#include "engine/vector/SimplexFont.h"

using ::testing::ElementsAre;
using ::testing::FloatNear;
using ::testing::Pair;

namespace {

constexpr float Size = 10.0f;
constexpr float S = Size * 0.33f;  // font units to display units

struct Span {
    float low = 1e9f;
    float high = -1e9f;
    float centre() const { return (low + high) / 2.0f; }
};

}  // namespace

TEST(SimplexFont, CoversThePrintableCharactersOnly) {
    EXPECT_EQ(Simplex::glyph('\n'), nullptr);
    EXPECT_EQ(Simplex::glyph(char(31)), nullptr);
    EXPECT_EQ(Simplex::glyph(char(127)), nullptr);
    EXPECT_EQ(Simplex::glyph(char(200)), nullptr);
    ASSERT_NE(Simplex::glyph('~'), nullptr);
    const Simplex::Glyph& a = *Simplex::glyph('A');
    EXPECT_EQ(a.advance, 18);
    // Two strokes from the apex and the bar: apex (9, 21) down to (1, 0), pen up, ...
    EXPECT_EQ(a.count, 8);
    EXPECT_THAT(std::vector<int>(a.vertices, a.vertices + 6), ElementsAre(9, 21, 1, 0, -1, -1));
    EXPECT_EQ(Simplex::glyph(' ')->count, 0);
}

TEST_F(RecordedDisplay, MeasuringGivesEachLinesWidthAndHeight) {
    VectorDisplay::TextLines lines;
    display->measureSimplexText(Size, "A\nB", lines);
    // 'A' is 18 wide, 'B' 21; both reach 21 up.
    EXPECT_THAT(lines, ElementsAre(Pair(FloatNear(18 * S, 1e-4f), FloatNear(21 * S, 1e-4f)),
                                   Pair(FloatNear(21 * S, 1e-4f), FloatNear(21 * S, 1e-4f))));

    display->measureSimplexText(Size, "A\tB\x01", lines);
    EXPECT_THAT(lines, ElementsAre(Pair(FloatNear(39 * S, 1e-4f), FloatNear(21 * S, 1e-4f))));

    display->measureSimplexText(Size, "", lines);
    EXPECT_THAT(lines, ElementsAre(Pair(0.0f, 0.0f)));
}

TEST_F(RecordedDisplay, ALoneDashMeasuresAsTallAsALetter) {
    VectorDisplay::TextLines lines;
    display->measureSimplexText(Size, "-", lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_GE(lines[0].second, 19 * S);
    display->measureSimplexText(Size, "--", lines);
    EXPECT_FLOAT_EQ(lines[0].second, 9 * S);
}

TEST_F(RecordedDisplay, TextSitsOnItsBaselineWithYGrowingDown) {
    // 'I' is one stroke from (4, 21) to (4, 0); one line puts the baseline 1.5 heights below y.
    const float baseline = 50 + 1.5f * 21 * S;
    std::vector<PosTexCoordColorVertex> expected =
        polyline({{100 + 4 * S, baseline - 21 * S}, {100 + 4 * S, baseline}});
    display->beginFrame();
    display->drawSimplexText(100, 50, 1000, Size, "I", false, false);
    ASSERT_EQ(display->frameVertices().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(display->frameVertices()[i].x, expected[i].x, 1e-3f);
        EXPECT_NEAR(display->frameVertices()[i].y, expected[i].y, 1e-3f);
    }
}

TEST_F(RecordedDisplay, WrappedLinesAreEachCentredInTheWidth) {
    // "III" in a box two and a half letters wide: "II" on the first line, "I" on the second.
    const float advance = Simplex::glyph('I')->advance * S;
    const float width = 2.5f * advance;
    display->beginFrame();
    display->drawSimplexText(0, 0, width, Size, "III", true, false);
    const std::vector<PosTexCoordColorVertex>& v = display->frameVertices();
    ASSERT_FALSE(v.empty());
    // Baselines at 31.5 and 56.5 font units: the first line's strokes end at 31.5, the
    // second's start at 35.5 (the bodies; their caps reach further).
    const float splitY = 33.5f * S;
    Span first;
    Span second;
    for (const PosTexCoordColorVertex& vertex : v) {
        if (!inBody(vertex)) continue;
        Span& line = vertex.y < splitY ? first : second;
        line.low = std::min(line.low, vertex.x);
        line.high = std::max(line.high, vertex.x);
    }
    EXPECT_NEAR(first.centre(), width / 2, 0.01f);
    EXPECT_NEAR(second.centre(), width / 2, 0.01f);
    EXPECT_NEAR(second.high - second.low, 6.0f, 0.01f);  // one stroke, 3 either side
}

TEST_F(RecordedDisplay, WrapsWhereTheDrawnWidthRunsOut) {
    const float advance = Simplex::glyph('I')->advance * S;
    display->beginFrame();
    display->drawSimplexText(0, 0, 3.5f * advance, Size, "IIII", false, false);
    const std::vector<PosTexCoordColorVertex>& v = display->frameVertices();
    float right = 0;
    for (const PosTexCoordColorVertex& vertex : v) {
        right = std::max(right, vertex.x);
    }
    EXPECT_LT(right, 3 * advance);  // three fit on the first line, the fourth moved down
    EXPECT_EQ(v.size(), 4u * SegmentVertices);
}

TEST_F(RecordedDisplay, AGlyphWiderThanTheBoxIsStillDrawnOncePerLine) {
    display->beginFrame();
    display->drawSimplexText(0, 0, 1, Size, "I\nI", false, false);
    EXPECT_EQ(display->frameVertices().size(), 2u * SegmentVertices);
    display->beginFrame();
    display->drawSimplexText(0, 0, 1, Size, "II", false, false);
    EXPECT_EQ(display->frameVertices().size(), 2u * SegmentVertices);
}

TEST_F(RecordedDisplay, CharactersWithoutAGlyphDrawNothing) {
    display->beginFrame();
    display->drawSimplexText(0, 0, 100, Size, "\x01\x7f\xe9 ", false, false);
    EXPECT_TRUE(display->frameVertices().empty());
    display->drawSimplexText(0, 0, 100, Size, nullptr, false, false);
    EXPECT_TRUE(display->frameVertices().empty());
}
