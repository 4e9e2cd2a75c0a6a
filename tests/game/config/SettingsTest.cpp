#include "game/config/Settings.h"

#include <gtest/gtest.h>

#include "game/config/ConfigReaders.h"
#include "tests/game/config/GlobalsFixture.h"

namespace {

using namespace Zelmo;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { settings().clear(); }
    void TearDown() override { settings().clear(); }
};

TEST_F(SettingsTest, StoresUnderThePrefixedName) {
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "");
    setPref("SCREEN_WIDTH", "800");
    EXPECT_EQ(settings().at("PREF_SCREEN_WIDTH"), "800");
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "800");
    setPref("SCREEN_WIDTH", "1024");
    EXPECT_EQ(getPref("SCREEN_WIDTH"), "1024");
    EXPECT_EQ(settings().size(), 1u);
}

TEST_F(SettingsTest, IntegersReadAsAStreamReadsThem) {
    const std::pair<const char*, int> cases[] = {{"", 0}, {"42", 42}, {" 7", 7}, {"-3", -3}, {"12abc", 12}};
    for (const auto& [text, value] : cases) {
        setPref("N", text);
        EXPECT_EQ(getPrefInt("N"), value) << text;
    }
    EXPECT_EQ(getPrefInt("ABSENT"), 0);
}

TEST_F(SettingsTest, DefaultsSetEveryOptionAndBinding) {
    setDefaultOptions();
    for (const auto& name : gameOptionNames()) EXPECT_EQ(getPref("OPT_" + name), "0") << name;
    setPref("INPUT_KEY_W", "KEY:UP");
    resetBindings();
    for (const auto& name : bindingNames()) EXPECT_EQ(settings().count("PREF_" + name), 1u) << name;
    EXPECT_EQ(getPref("INPUT_KEY_W"), "");
    EXPECT_EQ(settings().size(), 25u + 22u);
}

TEST_F(SettingsTest, VolumesArePercentages) {
    setPref("VOL_MASTER", "100");
    setPref("VOL_SOUND", "50");
    setPref("VOL_MUSIC", "0");
    setPref("VOL_SPEECH", "");
    const Volumes volumes = readVolumes();
    EXPECT_FLOAT_EQ(volumes.master, 1.0f);
    EXPECT_FLOAT_EQ(volumes.sound, 0.5f);
    EXPECT_FLOAT_EQ(volumes.music, 0.0f);
    EXPECT_FLOAT_EQ(volumes.speech, 0.0f);
}

TEST(SettingsDeathTest, NumbersThatAreNotNumbersStop) {
    EXPECT_EXIT(
        {
            setPref("SCREEN_WIDTH", "wide");
            getPrefInt("SCREEN_WIDTH");
        },
        ::testing::ExitedWithCode(1), "^Cant convert String to Num:wide\n$");
    EXPECT_EXIT(
        {
            setPref("VOL_MUSIC", "loud");
            readVolumes();
        },
        ::testing::ExitedWithCode(1), "^Cant convert String to Num:loud\n$");
}

class OptionValueTest : public SettingsTest {
protected:
    TempFolder m_folder;

    void SetUp() override {
        SettingsTest::SetUp();
        ASSERT_TRUE(loadTuning(m_folder, R"({option_values: [
            {name: "OPT_ZOOM", values: [{value: 1.0}, {value: 2.0}, {value: 3.0}, {value: 4.0}, {value: 5.0}]},
            {name: "OPT_EMPTY", values: []},
            {name: "OPT_NOLIST"},
            {name: "OPT_ZOOM", values: [{value: 9.0}]},
            {name: "OPT_ABSENT_VALUE", values: [{label: "none"}]}]})"));
    }
};

TEST_F(OptionValueTest, StoredIndexSelectsTheValue) {
    struct Case {
        const char* stored;
        float value;
        const char* storedAfter;
    };
    const Case cases[] = {{"0", 1.0f, "0"}, {"2", 3.0f, "2"}, {"4", 5.0f, "4"},
                          {"5", 1.0f, "0"}, {"7", 1.0f, "0"}, {"-1", 1.0f, "0"}};
    for (const Case& testCase : cases) {
        setPref("OPT_ZOOM", testCase.stored);
        EXPECT_FLOAT_EQ(getOptionValue("ZOOM"), testCase.value) << testCase.stored;
        EXPECT_EQ(getPref("OPT_ZOOM"), testCase.storedAfter) << testCase.stored;
    }
    settings().erase("PREF_OPT_ZOOM");
    EXPECT_FLOAT_EQ(getOptionValue("ZOOM"), 1.0f);
}

TEST_F(OptionValueTest, OptionsWithoutValuesReadAsOne) {
    setPref("OPT_EMPTY", "3");
    EXPECT_FLOAT_EQ(getOptionValue("EMPTY"), 1.0f);
    EXPECT_EQ(getPref("OPT_EMPTY"), "3");
    EXPECT_FLOAT_EQ(getOptionValue("NOLIST"), 1.0f);
    EXPECT_FLOAT_EQ(getOptionValue("NOT_THERE"), 1.0f);
    EXPECT_FLOAT_EQ(getOptionValue("ABSENT_VALUE"), 0.0f);
}

TEST(OptionValueDeathTest, StoredIndexThatIsNotANumberStops) {
    TempFolder folder;
    ASSERT_TRUE(loadTuning(folder, R"({option_values: [{name: "OPT_X", values: [{value: 1.0}]}]})"));
    EXPECT_EXIT(
        {
            setPref("OPT_X", "first");
            getOptionValue("X");
        },
        ::testing::ExitedWithCode(1), "^Cant convert String to Num:first\n$");
}

}  // namespace
