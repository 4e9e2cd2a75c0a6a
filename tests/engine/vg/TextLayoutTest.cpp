#include <gmock/gmock.h>

#include <cstdio>
#include <string>
#include <vector>

#include "VgTest.h"

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

struct BreakCase {
    const char* text;
    float columns;  // the row width in characters of the monospaced face
    std::vector<std::string> rows;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << '"' << c.text << "\" in " << c.columns << " columns"; }

class TextBreakTest : public VgTest, public ::testing::WithParamInterface<BreakCase> {};

std::vector<std::string> rowTexts(const std::string& text, const std::vector<vg::TextRow>& rows) {
    std::vector<std::string> texts;
    for (const vg::TextRow& row : rows) {
        texts.push_back(text.substr(row.start, row.end - row.start));
    }
    return texts;
}

}  // namespace

TEST_P(TextBreakTest, BreaksIntoTheRowsThatFit) {
    const BreakCase& c = GetParam();
    overlay->fontSize(10);
    float advance = monoAdvance();
    // A quarter character of slack keeps exact fits clear of rounding.
    float width = c.columns * advance + advance * 0.25f;
    std::vector<vg::TextRow> rows = overlay->textBreakLines(c.text, width, 100);
    EXPECT_THAT(rowTexts(c.text, rows), ElementsAreArray(c.rows));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextBreakTest,
    ::testing::Values(BreakCase{"hello world", 20, {"hello world"}},          //
                      BreakCase{"hello world", 11, {"hello world"}},          // exact fit
                      BreakCase{"hello world", 8, {"hello", "world"}},        //
                      BreakCase{"hello world", 5, {"hello", "world"}},        //
                      BreakCase{"hello   world", 7, {"hello", "world"}},      // blanks at a break vanish
                      BreakCase{"ab cdefghij", 4, {"ab", "cdef", "ghij"}},    // a long word is cut
                      BreakCase{"abcdefghij", 4, {"abcd", "efgh", "ij"}},     //
                      BreakCase{"abc", 0, {"a", "b", "c"}},                   // one character per row at least
                      BreakCase{"one\ntwo three", 20, {"one", "two three"}},  //
                      BreakCase{"one\r\ntwo", 20, {"one", "two"}},            //
                      BreakCase{"a\n\nb", 10, {"a", "", "b"}},                // an empty line is a row
                      BreakCase{"line\n", 10, {"line"}},                      //
                      BreakCase{"trailing   ", 20, {"trailing"}},             //
                      BreakCase{"  indented", 20, {"  indented"}},            // a line keeps its indent
                      BreakCase{"h\xc3\xa9llo w\xc3\xb6rld", 5, {"h\xc3\xa9llo", "w\xc3\xb6rld"}},  // UTF-8
                      BreakCase{"", 10, {}}));

TEST_F(VgTest, BreakingStopsAtTheRowsAskedFor) {
    overlay->fontSize(10);
    float advance = monoAdvance();
    std::string text = "a b c d e";
    EXPECT_THAT(rowTexts(text, overlay->textBreakLines(text, advance * 1.25f, 2)), ElementsAreArray({"a", "b"}));
    EXPECT_THAT(overlay->textBreakLines(text, advance * 1.25f, 0), IsEmpty());
}

TEST_F(VgTest, RowsTellWhereTheNextRowStartsAndHowWideTheyAre) {
    overlay->fontSize(10);
    float advance = monoAdvance();
    std::vector<vg::TextRow> rows = overlay->textBreakLines("hello   world", 7.25f * advance, 10);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].next, 8u);
    EXPECT_NEAR(rows[0].width, 5 * advance, 0.01f);
    EXPECT_GT(rows[0].minX, 0.0f);
    EXPECT_LT(rows[0].maxX, rows[0].width + 1.0f);
    EXPECT_EQ(rows[1].next, 13u);
}

TEST_F(VgTest, LetterSpacingWidensATextByTheGapsBetweenItsGlyphs) {
    overlay->fontFace("SANS");
    overlay->fontSize(20);
    vg::Bounds plain, spaced;
    float plainWidth = overlay->textBounds(0, 0, "Zelmo", &plain);
    overlay->textLetterSpacing(3);
    float spacedWidth = overlay->textBounds(0, 0, "Zelmo", &spaced);
    EXPECT_NEAR(spacedWidth - plainWidth, 4 * 3.0f, 0.01f);
    EXPECT_NEAR(spaced.width() - plain.width(), 4 * 3.0f, 0.01f);
    // Spacing also widens the rows a box breaks into.
    std::vector<vg::TextRow> rows = overlay->textBreakLines("Zelmo", 1000, 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows[0].width, spacedWidth, 0.01f);
}

TEST_F(VgTest, TextScalesWithItsSize) {
    overlay->fontFace("SANS");
    overlay->fontSize(10);
    float small = overlay->textBounds(0, 0, "Zelmo", nullptr);
    overlay->fontSize(40);
    float large = overlay->textBounds(0, 0, "Zelmo", nullptr);
    EXPECT_NEAR(large, 4 * small, 0.01f);
    EXPECT_FLOAT_EQ(overlay->lineHeight(), 40.0f);
}

namespace {

struct AlignCase {
    int align;
    float left;  // the text's left edge, in widths of the text from x
    float top;   // the line box's top, in line heights from y
};

class TextAlignTest : public VgTest, public ::testing::WithParamInterface<AlignCase> {};

}  // namespace

TEST_P(TextAlignTest, PlacesTheLineAroundItsPoint) {
    const AlignCase& c = GetParam();
    overlay->fontFace("SANS");
    overlay->fontSize(20);
    overlay->textAlign(c.align);
    vg::Bounds bounds;
    float width = overlay->textBounds(100, 50, "Zelmo", &bounds);
    vg::Bounds reference;
    overlay->textAlign(vg::Align::Left | vg::Align::Top);
    overlay->textBounds(100, 50, "Zelmo", &reference);
    EXPECT_NEAR(bounds.minX - reference.minX, c.left * width, 0.01f);
    EXPECT_NEAR(bounds.minY, 50 + c.top * 20, 0.01f);
    EXPECT_NEAR(bounds.height(), 20.0f, 0.01f);
}

INSTANTIATE_TEST_SUITE_P(Table, TextAlignTest,
                         ::testing::Values(AlignCase{vg::Align::Left | vg::Align::Top, 0, 0},
                                           AlignCase{vg::Align::Center | vg::Align::Middle, -0.5f, -0.5f},
                                           AlignCase{vg::Align::Right | vg::Align::Bottom, -1, -1}));

TEST_F(VgTest, BaselineAlignmentPutsTheLineTopAboveThePoint) {
    overlay->fontFace("SANS");
    overlay->fontSize(20);
    vg::Bounds bounds;
    overlay->textAlign(vg::Align::Left | vg::Align::Baseline);
    overlay->textBounds(0, 50, "Zelmo", &bounds);
    // The baseline lies between the middle and the bottom of the line box.
    EXPECT_LT(bounds.minY, 50 - 10.0f);
    EXPECT_GT(bounds.minY, 50 - 20.0f);
}

TEST_F(VgTest, BoxBoundsSpanOneLineHeightPerRowAndTheWidestRow) {
    overlay->fontSize(10);
    float advance = monoAdvance();
    overlay->textAlign(vg::Align::Left | vg::Align::Top);
    float width = 9.25f * advance;
    vg::Bounds box = overlay->textBoxBounds(10, 20, width, "AAAA BBBB CCCC DDDD EEEE");
    EXPECT_FLOAT_EQ(box.minY, 20.0f);
    EXPECT_FLOAT_EQ(box.height(), 3 * 10.0f);
    EXPECT_GE(box.minX, 10.0f);
    EXPECT_NEAR(box.maxX, 10 + 9 * advance, advance * 0.5f);

    // Centred rows sit in the middle of the box; the last, shorter one is narrower.
    overlay->textAlign(vg::Align::Center | vg::Align::Top);
    vg::Bounds centred = overlay->textBoxBounds(10, 20, width, "AAAA BBBB CCCC DDDD EEEE");
    EXPECT_NEAR((centred.minX + centred.maxX) / 2, 10 + width / 2, 1.0f);
}

TEST_F(VgTest, AnEmptyTextHasEmptyBoundsAndNoRows) {
    vg::Bounds box = overlay->textBoxBounds(10, 20, 100, "");
    EXPECT_EQ(box.width(), 0.0f);
    EXPECT_EQ(box.height(), 0.0f);
    EXPECT_THAT(overlay->textBreakLines("", 100, 10), IsEmpty());
}

TEST_F(VgTest, FontsAreFoundByNameAndLoadedOnce) {
    EXPECT_EQ(overlay->findFont("SANS"), 1);
    EXPECT_EQ(overlay->createFont("SANS", MonoPath), 1);
    EXPECT_EQ(overlay->findFont("DEFAULT"), vg::kInvalidFont);
}

TEST_F(VgTest, AFontThatDoesNotLoadIsInvalidAndMeasuresNothing) {
    EXPECT_EQ(overlay->createFont("MISSING", "data/no-such-font.ttf"), vg::kInvalidFont);
    std::string junk = ::testing::TempDir() + "vg-not-a-font.ttf";
    FILE* file = std::fopen(junk.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("this is plain text and no TrueType font at all", file);
    std::fclose(file);
    EXPECT_EQ(overlay->createFont("JUNK", junk), vg::kInvalidFont);
    std::remove(junk.c_str());
    EXPECT_EQ(overlay->findFont("JUNK"), vg::kInvalidFont);

    overlay->fontFace("JUNK");
    vg::Bounds bounds;
    EXPECT_EQ(overlay->textBounds(5, 6, "text", &bounds), 0.0f);
    EXPECT_EQ(bounds.width(), 0.0f);
    EXPECT_THAT(overlay->textBreakLines("text", 100, 10), IsEmpty());
    // Fonts loaded before still work.
    overlay->fontFace("SANS");
    EXPECT_GT(overlay->textBounds(5, 6, "text", nullptr), 0.0f);
}
