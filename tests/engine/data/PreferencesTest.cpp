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
    std::vector<size_t> leftOut = {};  // the lines that could not be read
};

void PrintTo(const SnippetCase& snippet, std::ostream* out) { *out << snippet.label; }

std::vector<size_t> linesOf(const std::vector<PreferenceFault>& faults) {
    std::vector<size_t> lines;
    for (const PreferenceFault& fault : faults) lines.push_back(fault.line);
    return lines;
}

class PreferenceSnippets : public ::testing::TestWithParam<SnippetCase> {};

TEST_P(PreferenceSnippets, ReadAsSettings) {
    SettingsMap settings;
    EXPECT_EQ(linesOf(parsePreferences(GetParam().text, settings)), GetParam().leftOut);
    EXPECT_EQ(settings, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, PreferenceSnippets,
    ::testing::Values(
        SnippetCase{"Spaced", "SCREEN_WIDTH = 1024\n", {{"PREF_SCREEN_WIDTH", "1024"}}},
        SnippetCase{"Tight", "SCREEN_WIDTH=1024", {{"PREF_SCREEN_WIDTH", "1024"}}},
        SnippetCase{"BlanksAround", " \tSCREEN_WIDTH  =  1024 \r\n", {{"PREF_SCREEN_WIDTH", "1024"}}},
        SnippetCase{"Comment", "#SCREEN_WIDTH = 1024\n  # A = 1\nB = 2", {{"PREF_B", "2"}}},
        SnippetCase{"NoEqualsAndEmptyLines", "\n\njunk\n\n\nA = 1\n", {{"PREF_A", "1"}}, {3}},
        SnippetCase{"NoName", "= 1\n \t= 2\nA = 3", {{"PREF_A", "3"}}, {1, 2}},
        SnippetCase{"EqualsInValue", "A = b=c = d", {{"PREF_A", "b=c = d"}}},
        SnippetCase{"EmptyValue", "A = x\nB = \nC =", {{"PREF_A", "x"}, {"PREF_B", ""}, {"PREF_C", ""}}},
        SnippetCase{"LaterLineWins", "A = 1\nA = 2", {{"PREF_A", "2"}}},
        SnippetCase{"QuotedSpace", "A = \"JPAD: B1\"", {{"PREF_A", "JPAD: B1"}}},
        SnippetCase{"InnerQuotesStay", "A = a\"b\"c", {{"PREF_A", "a\"b\"c"}}},
        SnippetCase{"UnquotedTrailingQuotesGo", "A = abc\"\"", {{"PREF_A", "abc"}}},
        SnippetCase{"ContinuedWithLineFeed",
                    "A = \"one\n  two \nthree\"\nB = 1",
                    {{"PREF_A", "one\n  two\nthree"}, {"PREF_B", "1"}}},
        SnippetCase{"BackslashJoins", "A = \"one\\\ntwo\"", {{"PREF_A", "onetwo"}}},
        SnippetCase{"BackslashNBreaks", "A = \"one\\n\\\ntwo\"", {{"PREF_A", "one\ntwo"}}},
        SnippetCase{"LoneQuoteContinues", "A = \"\nmore\"", {{"PREF_A", "\nmore"}}},
        SnippetCase{"BackslashCarriesASettingLine", "A = \"one\\\nB = 2\"", {{"PREF_A", "oneB = 2"}}},
        SnippetCase{"ContinuationSkipsCommentRule", "A = \"x\n# not a comment\"", {{"PREF_A", "x\n# not a comment"}}},
        // A quote left open costs its own line only: a line that holds '=' is a setting of its
        // own unless the line before it ends in a backslash.
        SnippetCase{"UnclosedQuote", "A = 1\nB = \"open\nstill open", {{"PREF_A", "1"}}, {2, 3}},
        SnippetCase{"UnclosedQuoteBeforeQuotedValue",
                    "A = \"open\nB = 2\nC = \"x y\"",
                    {{"PREF_B", "2"}, {"PREF_C", "x y"}},
                    {1}},
        SnippetCase{"LoneQuoteBeforeASetting", "A = \"\nB = 1\"", {{"PREF_B", "1"}}, {1}},
        SnippetCase{"UnclosedAfterBackslash", "A = \"one\\\nB = 2\nC = 3", {{"PREF_B", "2"}, {"PREF_C", "3"}}, {1}}),
    [](const auto& info) { return std::string(info.param.label); });

// A value the check refuses is left out like a line that cannot be read: what came before stands.
TEST(PreferenceCheck, RefusedValueLeavesTheEarlierOne) {
    const SettingCheck check = [](const std::string& name, const std::string& value) {
        return value == "bad" ? name + " refused" : std::string();
    };
    SettingsMap settings = {{"PREF_B", "default"}};
    const std::vector<PreferenceFault> faults =
        parsePreferences("A = 1\nA = bad\n  B=\"bad\"  \nC = 3", settings, check);
    EXPECT_EQ(settings, (SettingsMap{{"PREF_A", "1"}, {"PREF_B", "default"}, {"PREF_C", "3"}}));
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].line, 2u);
    EXPECT_EQ(faults[0].name, "A");
    EXPECT_EQ(faults[0].reason, "A refused");
    EXPECT_EQ(faults[1].line, 3u);
    EXPECT_EQ(faults[1].text, "B=\"bad\"");
}

class PreferenceRoundTrip : public ::testing::TestWithParam<std::string> {};

// What is written reads back as the same value: the file joins lines with line feeds, as
// Util::readTextFile hands them to the parser.
TEST_P(PreferenceRoundTrip, ReadsBackAsWritten) {
    const SettingsMap written = {{"PREF_INPUT_JPAD_B1", GetParam()}, {"PREF_Z", "after"}};
    std::string text;
    for (const auto& line : preferenceLines(written)) text += line + "\n";
    SettingsMap readCount;
    EXPECT_TRUE(parsePreferences(text, readCount).empty()) << text;
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
    std::string reason;
    ASSERT_TRUE(writePreferences(m_folder.path("preferences.cfg"), settings, reason)) << reason;
    EXPECT_EQ(m_folder.read("preferences.cfg"), "A = 1\n");
}

TEST_F(PreferencesFile, SaveThatCannotWriteIsFalseAndKeepsTheOldFile) {
    const SettingsMap settings = {{"PREF_A", "1"}};
    std::string reason;
    EXPECT_FALSE(writePreferences(m_folder.path("missing-folder/preferences.cfg"), settings, reason));
    EXPECT_EQ(reason, "No such file or directory");
    // A folder where the file should be: the new file is written but cannot replace it.
    std::filesystem::create_directory(m_folder.path("preferences.cfg"));
    m_folder.write("preferences.cfg/keep", "x");
    EXPECT_FALSE(writePreferences(m_folder.path("preferences.cfg"), settings, reason));
    EXPECT_EQ(reason, "Is a directory");
    EXPECT_EQ(m_folder.read("preferences.cfg/keep"), "x");
    EXPECT_FALSE(std::filesystem::exists(m_folder.path("preferences.cfg.tmp")));
}

}  // namespace
