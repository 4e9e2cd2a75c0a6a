#include <gtest/gtest.h>

#include "game/screens/TitlePulse.h"
#include "game/screens/TitleSettings.h"

namespace {

using Game::VideoMode;

TEST(VolumeSteps, StayWithinTheRangeAndComeBackToWhereTheyStarted) {
    const struct {
        int percent;
        bool up;
        int expected;
    } cases[] = {{50, true, 55}, {50, false, 45}, {100, true, 100}, {98, true, 100},
                 {0, false, 0},  {3, false, 0},   {0, true, 5}};
    for (const auto& each : cases) {
        EXPECT_EQ(Zelmo::stepVolume(each.percent, each.up), each.expected)
            << each.percent << (each.up ? " up" : " down");
    }
    for (int start : {100, 75, 55, 50}) {
        int percent = start;
        for (int i = 0; i < 10; ++i) percent = Zelmo::stepVolume(percent, false);
        for (int i = 0; i < 10; ++i) percent = Zelmo::stepVolume(percent, true);
        EXPECT_EQ(percent, start);
    }
}

TEST(Resolutions, AreSortedOnceEachWithTheWindowsSizeAmongThem) {
    const std::vector<VideoMode> modes = {{1920, 1080}, {640, 480}, {1024, 768}, {640, 480}, {1280, 720}};
    Zelmo::Resolutions listed = Zelmo::resolutionsWith(modes, {1024, 768});
    EXPECT_EQ(listed.modes, (std::vector<VideoMode>{{640, 480}, {1024, 768}, {1280, 720}, {1920, 1080}}));
    EXPECT_EQ(listed.index, 1);

    listed = Zelmo::resolutionsWith(modes, {800, 600});
    EXPECT_EQ(listed.modes.size(), 5u);
    EXPECT_EQ(listed.modes[size_t(listed.index)], (VideoMode{800, 600}));

    listed = Zelmo::resolutionsWith({}, {960, 720});
    EXPECT_EQ(listed.modes, (std::vector<VideoMode>{{960, 720}}));
    EXPECT_EQ(Zelmo::stepResolution(listed, true), 0);
    EXPECT_EQ(Zelmo::stepResolution(listed, false), 0);
}

TEST(Resolutions, StepUpAndDownWithinTheList) {
    Zelmo::Resolutions listed = Zelmo::resolutionsWith({{640, 480}, {1280, 720}}, {1920, 1080});
    EXPECT_EQ(listed.index, 2);
    EXPECT_EQ(Zelmo::stepResolution(listed, true), 2);
    EXPECT_EQ(Zelmo::stepResolution(listed, false), 1);
    listed.index = 0;
    EXPECT_EQ(Zelmo::stepResolution(listed, false), 0);
}

TEST(SettingsLabels, FillEveryPlaceholderEveryTime) {
    Zelmo::SettingsValues values{100, 50, 5, 0, 1920, 1080, true};
    EXPECT_EQ(Zelmo::fillSettingsLabels("[MASTER_VOL]/[MASTER_VOL] [EFFECT_VOL] [MUSIC_VOL] [SPEECH_VOL]", values),
              "100/100 050 005 000");
    EXPECT_EQ(Zelmo::fillSettingsLabels("[RESOLUTION] [[FULLSCREEN]]", values), "1920x1080 [X]");
    values.fullscreen = false;
    values.windowWidth = 80;
    EXPECT_EQ(Zelmo::fillSettingsLabels("[RESOLUTION] [[FULLSCREEN]]", values), "080x1080 [ ]");
    EXPECT_EQ(Zelmo::fillSettingsLabels("NO PLACEHOLDER", values), "NO PLACEHOLDER");
}

float linear(float t, float b, float c, float d) { return b + c * t / d; }

TEST(TitlePulse, SwingGoesForthAndBackAndSweepStartsAgain) {
    Zelmo::TitlePulse pulse{0.0f, 1.0f, 2000.0f, linear, 0.0f};
    const struct {
        float elapsed;
        float swing;
        float sweep;
    } cases[] = {{0, 0, 0},    {500, 0.25f, 0.25f},  {2000, 1, 0},      {2500, 0.75f, 0.25f},
                 {4000, 0, 0}, {4500, 0.25f, 0.25f}, {7000, 0.5f, 0.5f}};
    for (const auto& each : cases) {
        pulse.elapsed = each.elapsed;
        EXPECT_FLOAT_EQ(pulse.swing(), each.swing) << each.elapsed;
        EXPECT_FLOAT_EQ(pulse.sweep(), each.sweep) << each.elapsed;
    }
}

}  // namespace
