#include <gtest/gtest.h>

#include <algorithm>

#include "game/config/Config.h"
#include "game/config/Preferences.h"
#include "game/config/Settings.h"
#include "tests/engine/util/TempFolder.h"

namespace {

using namespace Zelmo;

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
    const WindowSizeCase& testCase = GetParam();
    m_folder.write("preferences.cfg", std::string("INPUT_METHOD = ONEKEY\nSCREEN_WIDTH = ") + testCase.width +
                                          "\nSCREEN_HEIGHT = " + testCase.height + "\nVOL_MUSIC = 40\n");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadPreferences(m_folder.path("preferences.cfg")), testCase.ignored.empty());
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(getPref("SCREEN_WIDTH"), testCase.expectedWidth);
    EXPECT_EQ(getPref("SCREEN_HEIGHT"), testCase.expectedHeight);
    EXPECT_EQ(getPref("INPUT_METHOD"), "ONEKEY");
    EXPECT_EQ(getPref("VOL_MUSIC"), "40");
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), long(testCase.ignored.size())) << told;
    for (const std::string& name : testCase.ignored) {
        EXPECT_NE(told.find(": " + name + " = "), std::string::npos) << told;
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

}  // namespace
