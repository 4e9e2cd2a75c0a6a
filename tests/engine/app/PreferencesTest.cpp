#include "engine/app/Preferences.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/app/Config.h"
#include "tests/engine/app/TempFolder.h"

namespace {

using namespace Zelmo;

struct SnippetCase {
    const char* label;
    const char* text;
    SettingsMap expected;
    bool complete = true;
};

void PrintTo(const SnippetCase& snippet, std::ostream* out) { *out << snippet.label; }

class PreferenceSnippets : public ::testing::TestWithParam<SnippetCase> {};

TEST_P(PreferenceSnippets, ReadAsSettings) {
    SettingsMap l_settings;
    EXPECT_EQ(parsePreferences(GetParam().text, l_settings), GetParam().complete);
    EXPECT_EQ(l_settings, GetParam().expected);
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
    const SettingsMap l_written = {{"PREF_INPUT_JPAD_B1", GetParam()}, {"PREF_Z", "after"}};
    std::string l_text;
    for (const auto& l_line : preferenceLines(l_written)) l_text += l_line + "\n";
    SettingsMap l_read;
    EXPECT_TRUE(parsePreferences(l_text, l_read)) << l_text;
    EXPECT_EQ(l_read, l_written) << l_text;
}

INSTANTIATE_TEST_SUITE_P(Preferences, PreferenceRoundTrip,
                         ::testing::Values("JPAD: B1", "KEY:W", "", "1024", "a=b", "#hash", " lead", "trail ",
                                           "\ttab", "cr\r", "\"", "\"open", "close\"", "\"both\"", "a\"b",
                                           "line one\nline two", "no-space\nline", "two\n\nblank", "\n", "end\n",
                                           "back\\", "back\\\nslash", "literal\\n\\\nx", "\\n\\", "mixed \" \\n\n\"",
                                           "  many   blanks  "));

TEST(PreferenceLines, ListSettingsInKeyOrder) {
    const SettingsMap l_settings = {{"PREF_INPUT_KEY_W", "KEY:W"},
                                    {"PREF_INPUT_JPAD_B1", "JPAD: B1"},
                                    {"PREF_SCREEN_WIDTH", "640"}};
    const std::vector<std::string> l_expected = {"INPUT_JPAD_B1 = \"JPAD: B1\"", "INPUT_KEY_W = KEY:W",
                                                 "SCREEN_WIDTH = 640"};
    EXPECT_EQ(preferenceLines(l_settings), l_expected);
}

class PreferencesFile : public ::testing::Test {
protected:
    TempFolder m_folder;
    void SetUp() override { settings().clear(); }
    void TearDown() override { settings().clear(); }
};

TEST_F(PreferencesFile, MissingFileLeavesTheDefaults) {
    EXPECT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "640");
    EXPECT_EQ(getPref("SCREEN_FULL"), "0");
    EXPECT_EQ(getPref("INPUT_METHOD"), "NONE");
    EXPECT_EQ(getPref("VOL_MASTER"), "100");
    EXPECT_EQ(getPref("OPT_START_LEVEL"), "0");
    EXPECT_EQ(settings().count("PREF_INPUT_JPAD_B4"), 1u);
    EXPECT_EQ(settings().size(), 22u + 25u + 1u + 3u + 4u);
}

TEST_F(PreferencesFile, FileOverlaysTheDefaultsAndAddsUnknownNames) {
    m_folder.write("preferences.cfg", "SCREEN_WIDTH = 1024\nEXTRA = yes\n");
    EXPECT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "1024");
    EXPECT_EQ(getPrefInt("SCREEN_WIDTH"), 1024);
    EXPECT_EQ(getPref("SCREEN_HEIGHT"), "480");
    EXPECT_EQ(getPref("EXTRA"), "yes");
}

TEST_F(PreferencesFile, UnclosedQuoteKeepsWhatCameBefore) {
    m_folder.write("preferences.cfg", "SCREEN_WIDTH = 800\nINPUT_KEY_W = \"KEY:UP\nSCREEN_HEIGHT = 600\n");
    EXPECT_FALSE(loadPreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "800");
    EXPECT_EQ(getPref("SCREEN_HEIGHT"), "480");
    EXPECT_EQ(getPref("INPUT_KEY_W"), "");
}

struct WindowSizeCase {
    const char* label;
    const char* width;
    const char* height;
    const char* expectedWidth;
    const char* expectedHeight;
    std::vector<std::string> ignored;  // the settings the player is told about
};

void PrintTo(const WindowSizeCase& c, std::ostream* out) { *out << c.label; }

class WindowSizeInTheFile : public ::testing::TestWithParam<WindowSizeCase> {
protected:
    TempFolder m_folder;
    void SetUp() override { settings().clear(); }
    void TearDown() override { settings().clear(); }
};

// With no configuration loaded the defaults are 640 x 480. The player's other settings stay.
TEST_P(WindowSizeInTheFile, ASizeNoWindowCanHaveGivesWayToTheDefault) {
    const WindowSizeCase& l_case = GetParam();
    m_folder.write("preferences.cfg", std::string("INPUT_METHOD = ONEKEY\nSCREEN_WIDTH = ") + l_case.width +
                                          "\nSCREEN_HEIGHT = " + l_case.height + "\nVOL_MUSIC = 40\n");
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    const std::string l_told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(getPref("SCREEN_WIDTH"), l_case.expectedWidth);
    EXPECT_EQ(getPref("SCREEN_HEIGHT"), l_case.expectedHeight);
    EXPECT_EQ(getPref("INPUT_METHOD"), "ONEKEY");
    EXPECT_EQ(getPref("VOL_MUSIC"), "40");
    EXPECT_EQ(std::count(l_told.begin(), l_told.end(), '\n'), long(l_case.ignored.size())) << l_told;
    for (const std::string& l_name : l_case.ignored) {
        EXPECT_NE(l_told.find(m_folder.path("preferences.cfg") + ": " + l_name + " = "), std::string::npos) << l_told;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Preferences, WindowSizeInTheFile,
    ::testing::Values(WindowSizeCase{"Usable", "1024", "768", "1024", "768", {}},
                      WindowSizeCase{"DesktopSize", "0", "0", "0", "0", {}},
                      WindowSizeCase{"OneByOne", "1", "1", "1", "1", {}},
                      WindowSizeCase{"NegativeWidth", "-300", "600", "640", "600", {"SCREEN_WIDTH"}},
                      WindowSizeCase{"ZeroWidth", "0", "600", "640", "600", {"SCREEN_WIDTH"}},
                      WindowSizeCase{"NegativeHeight", "800", "-1", "800", "480", {"SCREEN_HEIGHT"}},
                      WindowSizeCase{"BothNegative", "-5", "-5", "640", "480", {"SCREEN_WIDTH", "SCREEN_HEIGHT"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(PreferencesFile, SaveAndLoadKeepEverySetting) {
    ASSERT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    setPref("INPUT_JPAD_B1", "JPAD: B1");
    setPref("SCREEN_WIDTH", "1280");
    setPref("NOTE", " two\nlines ");
    const SettingsMap l_saved = settings();
    ASSERT_TRUE(savePreferences(m_folder.path("preferences.cfg")));
    EXPECT_FALSE(std::filesystem::exists(m_folder.path("preferences.cfg.tmp")));
    settings().clear();
    EXPECT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(settings(), l_saved);
    EXPECT_EQ(m_folder.read("preferences.cfg").rfind("INPUT_JPAD_B1 = \"JPAD: B1\"\n", 0), 0u);
}

TEST_F(PreferencesFile, SaveReplacesTheOldFileWhole) {
    m_folder.write("preferences.cfg", "OLD = 1\nOLDER = 2\nOLDEST = 3\n");
    setPref("A", "1");
    ASSERT_TRUE(savePreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(m_folder.read("preferences.cfg"), "A = 1\n");
}

TEST_F(PreferencesFile, SaveThatCannotWriteIsFalseAndKeepsTheOldFile) {
    setPref("A", "1");
    EXPECT_FALSE(savePreferences(m_folder.path("missing-folder/preferences.cfg")));
    // A folder where the file should be: the new file is written but cannot replace it.
    std::filesystem::create_directory(m_folder.path("preferences.cfg"));
    m_folder.write("preferences.cfg/keep", "x");
    EXPECT_FALSE(savePreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(m_folder.read("preferences.cfg/keep"), "x");
    EXPECT_FALSE(std::filesystem::exists(m_folder.path("preferences.cfg.tmp")));
}

}  // namespace
