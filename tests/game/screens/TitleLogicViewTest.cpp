#include <gtest/gtest.h>

#include "game/input/GlobalInputRefs.h"
#include "game/screens/TitleLogicView.h"
#include "tests/game/screens/ScreenFixture.h"

namespace {

using Zelmo::TitleLogicView;

class TitleTest : public ScreenFixture {
protected:
    void TearDown() override {
        title.reset();
        ScreenFixture::TearDown();
    }
    std::string current() const { return const_cast<AppContext&>(context).inputControllers().getCurrentName(); }

    std::unique_ptr<TitleLogicView> title = std::make_unique<TitleLogicView>(context);
};

TEST_F(TitleTest, ChoicesThatNameAStateEndTheTitleWithThem) {
    for (const char* command : {"NEWGAME", "CONTROLS", "OPTIONS", "HELP", "QUIT"}) {
        SCOPED_TRACE(command);
        enter(*title, "INTRO");
        EXPECT_EQ(current(), "TITLE");
        EXPECT_EQ(title->update(16), "");
        act("LOGIC_RETURN", command);
        EXPECT_EQ(title->update(16), command);
        EXPECT_EQ(title->display(), nullptr) << "left: the picture is torn down";
        title->setActive(false);
    }
}

TEST_F(TitleTest, PagesOpenOverEachOtherAndBackReturnsThroughThem) {
    enter(*title, "INTRO");
    act("LOGIC_RETURN", "SETTINGS");
    EXPECT_EQ(title->update(16), "");
    EXPECT_EQ(current(), "SETTINGS");
    act("LOGIC_RETURN", "PAUSE");  // any controller can be opened as a page
    EXPECT_EQ(title->update(16), "");
    EXPECT_EQ(current(), "PAUSE");
    EXPECT_EQ(title->pageStack().size(), 2u);
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(title->update(16), "");
    EXPECT_EQ(current(), "SETTINGS");
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(title->update(16), "");
    EXPECT_EQ(current(), "TITLE");
    // Nothing is left to go back to: the title stays.
    act("LOGIC_RETURN", "BACK");
    EXPECT_EQ(title->update(16), "");
    EXPECT_EQ(current(), "TITLE");
    EXPECT_TRUE(title->pageStack().empty());
}

TEST_F(TitleTest, ComingBackFromASettingsScreenShowsTheSettingsPage) {
    const struct {
        const char* previous;
        const char* page;
    } cases[] = {{"CONTROLS", "SETTINGS"}, {"OPTIONS", "SETTINGS"}, {"HELP", "TITLE"},
                 {"RUNNING", "TITLE"},     {"PAUSE", "TITLE"},      {"GAMEOVER", "TITLE"}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.previous);
        enter(*title, each.previous);
        EXPECT_EQ(current(), each.page);
        act("LOGIC_RETURN", "QUIT");
        title->update(16);
        title->setActive(false);
    }
}

// The head tracker's settings page, its dwell choices played through the game's action handler.
class HeadTrackerSettingsTest : public TitleTest {
protected:
    HeadTrackerSettingsTest() {
        static Zelmo::GlobalInputRefs s_settingsRefs;
        static const bool s_loaded = s_settingsRefs.load("data/Accessibility.fbs", "data/accessibility");
        EXPECT_TRUE(s_loaded);
        Input::InputControllers& controllers = context.inputControllers();
        controllers.setActionHandler(std::make_shared<Zelmo::InputActionHandler>(&context));
        EXPECT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        EXPECT_TRUE(controllers.load("SETTINGS", "data/input/HEADTRACKER/SETTINGS.json", &s_settingsRefs));
    }

    // Rests the pointer on the point, in percent of the window, wobbling as a head does, for the
    // time; the command the title was left with, if it was.
    std::string restAt(float x, float y, float ms) {
        for (float rested = 0; rested < ms; rested += 16) {
            if (int(rested) % 400 == 0) {
                Game::PointerState& pointer = context.pointerState();
                pointer.x = int(x * 640 / 100) + int(rested) % 800 / 400;
                pointer.y = int(y * 480 / 100);
                context.onPointer(pointer);
            }
            context.inputControllers().getCurrent()->tick(16);
            const std::string left = title->update(16);
            if (!left.empty()) return left;
        }
        return "";
    }

    static constexpr float kControlsX = 17, kControlsY = 83;  // the middle of CONTROLS
};

TEST_F(HeadTrackerSettingsTest, BackFromTheControlsThePointerStillOnTheirChoiceDoesNotTakeItAgain) {
    enter(*title, "OPTIONS");
    ASSERT_EQ(restAt(kControlsX, kControlsY, 2000), "CONTROLS") << "resting on CONTROLS takes it";
    title->setActive(false);
    enter(*title, "CONTROLS");
    EXPECT_EQ(context.inputControllers().getCurrentAreaName(), "CONTROLS") << "the way back is lit";
    EXPECT_EQ(restAt(kControlsX, kControlsY, 4000), "") << "the pointer never left CONTROLS, yet took it again";
    EXPECT_EQ(restAt(50, 97, 1000), "");
    EXPECT_EQ(restAt(kControlsX, kControlsY, 2000), "CONTROLS") << "back on CONTROLS, resting takes it";
}

TEST_F(TitleTest, AChoiceMadeWhileAnotherStateRunsIsNotTaken) {
    act("LOGIC_RETURN", "NEWGAME");
    enter(*title, "INTRO");
    EXPECT_EQ(title->update(16), "");
    title->setActive(false);
    act("LOGIC_RETURN", "QUIT");
    title->setActive(true);
    EXPECT_EQ(title->update(16), "");
}

TEST_F(TitleTest, EnteringAgainMakesAFreshPictureAndLeavingTakesItAway) {
    enter(*title, "INTRO");
    ASSERT_NE(title->display(), nullptr);
    ASSERT_NE(title->text(), nullptr);
    act("LOGIC_RETURN", "HELP");
    title->update(16);
    EXPECT_EQ(title->display(), nullptr);
    EXPECT_EQ(title->text(), nullptr);
    enter(*title, "HELP");
    EXPECT_NE(title->display(), nullptr);
    EXPECT_NE(title->text(), nullptr);
}

TEST_F(TitleTest, LabelsShowTheSavedVolumesAndTheWindow) {
    Zelmo::setPref(Zelmo::Setting::kMasterVolume, "100");
    Zelmo::setPref(Zelmo::Setting::kMusicVolume, "5");
    const std::string label = "[MASTER_VOL] [EFFECT_VOL] [MUSIC_VOL] [SPEECH_VOL] [RESOLUTION] <[FULLSCREEN]>";
    EXPECT_EQ(title->convert(label), label) << "not filled while another state runs";
    enter(*title, "INTRO");
    EXPECT_EQ(title->convert(label), "100 050 005 050 640x480 < >");
}

// With sound off there is no volume to change: the saved ones stay as they are.
TEST_F(TitleTest, VolumeStepsWithSoundOffLeaveTheSavedVolumes) {
    enter(*title, "INTRO");
    for (const char* bus : {"MASTER", "EFFECT", "MUSIC", "SPEECH"}) {
        act("SOUND_DEC", bus);
        act("SOUND_INC", bus);
        act("SOUND_INC", bus);
    }
    for (const auto& volume : Zelmo::Setting::kVolumes) EXPECT_EQ(Zelmo::getPref(volume), "50") << volume;
}

// Sound that is on but has no device yet keeps its volumes all the same.
TEST_F(TitleTest, VolumeStepsMoveTheVolumeAndTheSettingInWholePercent) {
    AppContext sounding{true, 640, 480, true, 60, 0};
    for (const auto& volume : Zelmo::Setting::kVolumes) Zelmo::setPref(volume, "50");
    Sound::SoundController& sound = sounding.soundController();
    sound.setMusicVolume(0.5f);
    sound.setMasterVolume(0.5f);
    sounding.inputControllers().add("TITLE", std::make_unique<Input::InputController>("TITLE", nullptr, nullptr));
    TitleLogicView heard(sounding);
    enter(heard, "INTRO");

    act("SOUND_INC", "MUSIC_BUS");  // the name only has to begin with the bus
    EXPECT_EQ(Zelmo::getPref(Zelmo::Setting::kMusicVolume), "55");
    EXPECT_FLOAT_EQ(sound.getMusicVolume(), 0.55f);
    for (int i = 0; i < 13; ++i) act("SOUND_DEC", "MUSIC");
    EXPECT_EQ(Zelmo::getPref(Zelmo::Setting::kMusicVolume), "0");
    for (int i = 0; i < 10; ++i) act("SOUND_INC", "MUSIC");
    EXPECT_EQ(Zelmo::getPref(Zelmo::Setting::kMusicVolume), "50");
    EXPECT_FLOAT_EQ(sound.getMusicVolume(), 0.5f);

    for (int i = 0; i < 12; ++i) act("SOUND_INC", "MASTER");
    EXPECT_EQ(Zelmo::getPref(Zelmo::Setting::kMasterVolume), "100");
    EXPECT_FLOAT_EQ(sound.getMasterVolume(), 1.0f);
    act("SOUND_INC", "VOICES");  // no such bus
    EXPECT_EQ(Zelmo::getPref(Zelmo::Setting::kSpeechVolume), "50");
    heard.setActive(false);
}

// Without a window there are no modes: the window's own size is the only one.
TEST_F(TitleTest, StepsOfTheWindowSizeStopAtTheEndsOfTheList) {
    Zelmo::setPref(Zelmo::Setting::kScreenWidth, "1");
    enter(*title, "INTRO");
    ASSERT_EQ(title->resolutions().modes.size(), 1u);
    act("RES_INC");
    act("RES_DEC");
    EXPECT_EQ(Zelmo::getPref(Zelmo::Setting::kScreenWidth), "1");
}

}  // namespace
