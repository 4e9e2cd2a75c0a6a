#include "engine/data/Preferences.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/engine/util/TempFolder.h"

namespace {

using namespace Game;

struct SnippetCase {
    const char* label;
    const char* text;
    SettingsMap expected;
    bool complete = true;
};

void PrintTo(const SnippetCase& snippet, std::ostream* out) { *out << snippet.label; }

class PreferenceSnippets : public ::testing::TestWithParam<SnippetCase> {};

TEST_P(PreferenceSnippets, ReadAsSettings) {
    SettingsMap settings;
    EXPECT_EQ(parsePreferences(GetParam().text, settings), GetParam().complete);
    EXPECT_EQ(settings, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, PreferenceSnippets,
    ::testing::Values(
        SnippetCase{"Spaced", "SCREEN_WIDTH = 1024\n", {{"PREF_SCREEN_WIDTH", "1024"}}},
        SnippetCase{"Tight", "SCREEN_WIDTH=1024", {{"PREF_SCREEN_WIDTH", "1024"}}},
        SnippetCase{"BlanksAround", " \tSCREEN_WIDTH  =  1024 \r\n", {{"PREF_SCREEN_WIDTH", "1024"}}},
        SnippetCase{"Comment", "#SCREEN_WIDTH = 1024\n  # A = 1\nB = 2", {{"PREF_B", "2"}}},
        SnippetCase{"NoEqualsAndEmptyLines", "junk\n\n\nA = 1\n", {{"PREF_A", "1"}}},
        SnippetCase{"EqualsInValue", "A = b=c = d", {{"PREF_A", "b=c = d"}}},
        SnippetCase{"EmptyValue", "A = x\nB = \nC =", {{"PREF_A", "x"}, {"PREF_B", ""}, {"PREF_C", ""}}},
        SnippetCase{"LaterLineWins", "A = 1\nA = 2", {{"PREF_A", "2"}}},
        SnippetCase{"QuotedSpace", "A = \"JPAD: B1\"", {{"PREF_A", "JPAD: B1"}}},
        SnippetCase{"InnerQuotesStay", "A = a\"b\"c", {{"PREF_A", "a\"b\"c"}}},
        SnippetCase{"UnquotedTrailingQuotesGo", "A = abc\"\"", {{"PREF_A", "abc"}}},
        SnippetCase{"ContinuedWithLineFeed", "A = \"one\n  two \nthree\"\nB = 1",
                    {{"PREF_A", "one\n  two\nthree"}, {"PREF_B", "1"}}},
        SnippetCase{"BackslashJoins", "A = \"one\\\ntwo\"", {{"PREF_A", "onetwo"}}},
        SnippetCase{"BackslashNBreaks", "A = \"one\\n\\\ntwo\"", {{"PREF_A", "one\ntwo"}}},
        SnippetCase{"LoneQuoteContinues", "A = \"\nB = 1\"", {{"PREF_A", "\nB = 1"}}},
        SnippetCase{"ContinuationSkipsCommentRule", "A = \"x\n# not a comment\"", {{"PREF_A", "x\n# not a comment"}}},
        SnippetCase{"UnclosedQuote", "A = 1\nB = \"open\nstill open", {{"PREF_A", "1"}}, false}),
    [](const auto& info) { return std::string(info.param.label); });

class PreferenceRoundTrip : public ::testing::TestWithParam<std::string> {};

// What is written reads back as the same value: the file joins lines with line feeds, as
// Util::readTextFile hands them to the parser.
TEST_P(PreferenceRoundTrip, ReadsBackAsWritten) {
    const SettingsMap written = {{"PREF_INPUT_JPAD_B1", GetParam()}, {"PREF_Z", "after"}};
    std::string text;
    for (const auto& line : preferenceLines(written)) text += line + "\n";
    SettingsMap readCount;
    EXPECT_TRUE(parsePreferences(text, readCount)) << text;
    EXPECT_EQ(readCount, written) << text;
}

INSTANTIATE_TEST_SUITE_P(Preferences, PreferenceRoundTrip,
                         ::testing::Values("JPAD: B1", "KEY:W", "", "1024", "a=b", "#hash", " lead", "trail ",
                                           "\ttab", "cr\r", "\"", "\"open", "close\"", "\"both\"", "a\"b",
                                           "line one\nline two", "no-space\nline", "two\n\nblank", "\n", "end\n",
                                           "back\\", "back\\\nslash", "literal\\n\\\nx", "\\n\\", "mixed \" \\n\n\"",
                                           "  many   blanks  "));

TEST(PreferenceLines, ListSettingsInKeyOrder) {
    const SettingsMap settings = {
        {"PREF_INPUT_KEY_W", "KEY:W"}, {"PREF_INPUT_JPAD_B1", "JPAD: B1"}, {"PREF_SCREEN_WIDTH", "640"}};
    const std::vector<std::string> expected = {"INPUT_JPAD_B1 = \"JPAD: B1\"", "INPUT_KEY_W = KEY:W",
                                               "SCREEN_WIDTH = 640"};
    EXPECT_EQ(preferenceLines(settings), expected);
}

class PreferencesFile : public ::testing::Test {
protected:
    TempFolder m_folder;
};

TEST_F(PreferencesFile, SaveReplacesTheOldFileWhole) {
    m_folder.write("preferences.cfg", "OLD = 1\nOLDER = 2\nOLDEST = 3\n");
    const SettingsMap settings = {{"PREF_A", "1"}};
    ASSERT_TRUE(writePreferences(m_folder.path("preferences.cfg"), settings));
    EXPECT_EQ(m_folder.read("preferences.cfg"), "A = 1\n");
}

TEST_F(PreferencesFile, SaveThatCannotWriteIsFalseAndKeepsTheOldFile) {
    const SettingsMap settings = {{"PREF_A", "1"}};
    EXPECT_FALSE(writePreferences(m_folder.path("missing-folder/preferences.cfg"), settings));
    // A folder where the file should be: the new file is written but cannot replace it.
    std::filesystem::create_directory(m_folder.path("preferences.cfg"));
    m_folder.write("preferences.cfg/keep", "x");
    EXPECT_FALSE(writePreferences(m_folder.path("preferences.cfg"), settings));
    EXPECT_EQ(m_folder.read("preferences.cfg/keep"), "x");
    EXPECT_FALSE(std::filesystem::exists(m_folder.path("preferences.cfg.tmp")));
}

}  // namespace
