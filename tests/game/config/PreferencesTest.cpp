#include "game/config/Preferences.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "game/config/Config.h"
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

TEST_F(PreferencesFile, UnclosedQuoteKeepsWhatCameBefore) {
    m_folder.write("preferences.cfg", "SCREEN_WIDTH = 800\nINPUT_KEY_W = \"KEY:UP\nSCREEN_HEIGHT = 600\n");
    EXPECT_FALSE(loadPreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "800");
    EXPECT_EQ(getPref("SCREEN_HEIGHT"), "480");
    EXPECT_EQ(getPref("INPUT_KEY_W"), "");
}

TEST_F(PreferencesFile, SaveAndLoadKeepEverySetting) {
    ASSERT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    setPref("INPUT_JPAD_B1", "JPAD: B1");
    setPref("SCREEN_WIDTH", "1280");
    setPref("NOTE", " two\nlines ");
    const Game::SettingsMap l_saved = settings();
    ASSERT_TRUE(savePreferences(m_folder.path("preferences.cfg")));
    EXPECT_FALSE(std::filesystem::exists(m_folder.path("preferences.cfg.tmp")));
    settings().clear();
    EXPECT_TRUE(loadPreferences(m_folder.path("preferences.cfg")));
    EXPECT_EQ(settings(), l_saved);
    EXPECT_EQ(m_folder.read("preferences.cfg").rfind("INPUT_JPAD_B1 = \"JPAD: B1\"\n", 0), 0u);
}

}  // namespace
