// The texts of an area that both renderers read: styles, alignment codes, and the vector
// renderer's wrapping. Colours are read in ColourConversionTest.
#include <gmock/gmock.h>

#include <string>

#include "engine/inputrender/AreaStyle.h"
#include "engine/inputrender/LabelAlignment.h"
#include "engine/inputrender/TextWrap.h"

using Input::HorizontalAlign;
using Input::VerticalAlign;

TEST(AreaStyle, AppliesUpToFourTrimmedParts) {
    Input::AreaStyle style = Input::parseAreaStyle(" 0x80ff90ff , 1.5 , BOLD , 2 ");
    EXPECT_EQ(style.colour, 0x80ff90ffu);
    EXPECT_EQ(style.size, 1.5f);
    EXPECT_EQ(style.font, "BOLD");
    EXPECT_EQ(style.letterSpacing, 2.0f);

    style = Input::parseAreaStyle("0xffffffff");
    EXPECT_EQ(style.colour, 0xffffffffu);
    EXPECT_FALSE(style.size.has_value());
    EXPECT_EQ(style.font, "DEFAULT");
    EXPECT_EQ(style.letterSpacing, 0.0f);

    style = Input::parseAreaStyle("0xff,,,");  // empty parts keep their defaults
    EXPECT_EQ(style.colour, 0xffu);
    EXPECT_FALSE(style.size.has_value());
    EXPECT_EQ(style.font, "DEFAULT");
}

TEST(AreaStyle, AnEmptyStyleOrOneOfFiveOrMorePartsAppliesNone) {
    for (const char* text : {"", "0xffffffff,2,BOLD,1,extra", "1,2,3,4,5,6"}) {
        const Input::AreaStyle style = Input::parseAreaStyle(text);
        EXPECT_EQ(style.colour, 0u) << text;
        EXPECT_FALSE(style.size.has_value()) << text;
        EXPECT_EQ(style.font, "DEFAULT") << text;
        EXPECT_EQ(style.letterSpacing, 0.0f) << text;
    }
}

TEST(AreaStyleDeathTest, ASizeThatIsNoNumberStopsTheProgram) {
    EXPECT_EXIT(Input::parseAreaStyle("0xff,big"), ::testing::ExitedWithCode(1), "Cant convert String to Num:big");
}

namespace {

struct AlignCase {
    const char* label;
    HorizontalAlign horizontal;
    VerticalAlign vertical;
    const char* text;
};

class LabelCodes : public ::testing::TestWithParam<AlignCase> {};

}  // namespace

TEST_P(LabelCodes, AreTakenOffTheFrontInTheirOrder) {
    const AlignCase& c = GetParam();
    const Input::AlignedLabel aligned = Input::alignLabel(c.label);
    EXPECT_EQ(aligned.horizontal, c.horizontal);
    EXPECT_EQ(aligned.vertical, c.vertical);
    EXPECT_EQ(aligned.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelCodes,
                         ::testing::Values(AlignCase{"PLAY", HorizontalAlign::Centre, VerticalAlign::Middle, "PLAY"},
                                           AlignCase{"$<PLAY", HorizontalAlign::Left, VerticalAlign::Middle, "PLAY"},
                                           AlignCase{"$>PLAY", HorizontalAlign::Right, VerticalAlign::Middle, "PLAY"},
                                           AlignCase{"$^PLAY", HorizontalAlign::Centre, VerticalAlign::Top, "PLAY"},
                                           AlignCase{"$_PLAY", HorizontalAlign::Centre, VerticalAlign::Bottom, "PLAY"},
                                           AlignCase{"$>$_PLAY", HorizontalAlign::Right, VerticalAlign::Bottom, "PLAY"},
                                           // The vertical code comes second; in front it hides the horizontal one.
                                           AlignCase{"$^$<PLAY", HorizontalAlign::Centre, VerticalAlign::Top, "$<PLAY"},
                                           AlignCase{"$<$^", HorizontalAlign::Left, VerticalAlign::Top, ""},
                                           AlignCase{"A $<", HorizontalAlign::Centre, VerticalAlign::Middle, "A $<"}));

namespace {

struct WrapCase {
    const char* name;
    const char* text;
    float charWidth;
    float lineWidth;
    const char* wrapped;
};

class Wrapping : public ::testing::TestWithParam<WrapCase> {};

}  // namespace

TEST_P(Wrapping, BreaksAtBlanksAndCutsOverLongWords) {
    const WrapCase& c = GetParam();
    EXPECT_EQ(Vector::wrapText(c.text, c.charWidth, c.lineWidth), c.wrapped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wrapping,
    ::testing::Values(WrapCase{"empty", "", 10, 50, ""}, WrapCase{"fits", "ab cd", 10, 50, "ab cd"},
                      WrapCase{"word_as_wide_as_the_line_fits", "abcde", 10, 50, "abcde"},
                      WrapCase{"word_moves_to_the_next_line", "abc def", 10, 50, "abc \ndef"},
                      WrapCase{"blank_past_the_width_becomes_a_line_feed", "abcde fg", 10, 50, "abcde\nfg"},
                      WrapCase{"line_feeds_start_new_lines", "abc\nabc def", 10, 50, "abc\nabc \ndef"},
                      WrapCase{"over_long_word_is_cut_where_full", "abcdefgh", 10, 30, "abc\ndef\ngh"},
                      WrapCase{"over_long_word_fills_the_line_first", "ab cdefgh", 10, 40, "ab c\ndefg\nh"},
                      WrapCase{"too_narrow_area_one_character_a_line", "ab c", 10, 5, "a\nb\nc"},
                      WrapCase{"zero_width_area", "abc", 10, 0, "a\nb\nc"},
                      WrapCase{"sized_characters", "one two three", 7, 60, "one two \nthree"}),
    [](const ::testing::TestParamInfo<WrapCase>& info) { return std::string(info.param.name); });
