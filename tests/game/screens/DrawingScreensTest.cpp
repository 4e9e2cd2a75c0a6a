#include <gtest/gtest.h>

#include "game/config/Config.h"
#include "game/screens/GameOverLogicView.h"
#include "game/screens/IntroLogicView.h"
#include "game/screens/SpeechTrace.h"
#include "game/vector/ShapeLibrary.h"
#include "tests/game/screens/ScreenFixture.h"

namespace {

// The shipped drawings, played headless.
class DrawingScreensTest : public ScreenFixture {
protected:
    static void SetUpTestSuite() {
        Zelmo::loadConfig(Zelmo::kDefaultConfigName, "no-preferences.cfg");
        ASSERT_TRUE(Zelmo::initShapeLibrary());
    }
    void TearDown() override {
        intro.reset();
        gameOver.reset();
        ScreenFixture::TearDown();
    }

    // Plays frame by frame until the screen ends or the time runs out; what it returned. (The
    // sweeping texts move as they are drawn.)
    std::string playFor(Game::ILogicState& screen, float seconds) {
        for (float ms = 0; ms < seconds * 1000; ms += 16) {
            const std::string command = screen.update(16);
            if (!command.empty()) return command;
            context.render(16);
            gfx::frame();
        }
        return "";
    }

    std::unique_ptr<Zelmo::IntroLogicView> intro = std::make_unique<Zelmo::IntroLogicView>(context);
    std::unique_ptr<Zelmo::GameOverLogicView> gameOver = std::make_unique<Zelmo::GameOverLogicView>(context);
};

TEST_F(DrawingScreensTest, TheIntroEndsByItselfWithALayerDisplayForEachLayer) {
    enter(*intro, "INIT", "STANDARD");
    EXPECT_EQ(context.inputControllers().getCurrentName(), "INTRO");
    EXPECT_GE(intro->layerCount(), 2);
    EXPECT_EQ(playFor(*intro, 60), "DONE");
    EXPECT_EQ(intro->layerCount(), 0) << "left: its displays are gone";
}

TEST_F(DrawingScreensTest, SpeedZeroFreezesThePictureAndSkippingStillEndsIt) {
    act("INTRO_SPEED", "0");  // taken while another state runs
    enter(*intro, "INIT", "STANDARD");
    EXPECT_EQ(playFor(*intro, 60), "");
    EXPECT_FALSE(intro->drawingDone());
    act("LOGIC_RETURN", "DONE");
    EXPECT_EQ(intro->update(16), "DONE");
    act("INTRO_SPEED", "1");
}

TEST_F(DrawingScreensTest, ThePictureRunsFasterAtAHigherSpeed) {
    act("INTRO_SPEED", "1");
    enter(*intro, "INIT", "STANDARD");
    float normal = 0;
    while (intro->update(16).empty() && normal < 60000) normal += 16;
    intro->setActive(false);
    act("INTRO_SPEED", "2");
    enter(*intro, "INIT", "STANDARD");
    float fast = 0;
    while (intro->update(16).empty() && fast < 60000) fast += 16;
    EXPECT_NEAR(fast, normal / 2, 100);
    act("INTRO_SPEED", "1");
}

TEST_F(DrawingScreensTest, BothGameOverDrawingsEndWithDoneAndOnlyALostGameSpeaks) {
    for (const char* outcome : {"WON", "LOST"}) {
        SCOPED_TRACE(outcome);
        enter(*gameOver, "RUNNING", outcome);
        EXPECT_EQ(gameOver->won(), std::string(outcome) == "WON");
        EXPECT_EQ(context.inputControllers().getCurrentName(), "GAMEOVER");
        EXPECT_EQ(gameOver->lostVoice(), 0) << "sound is off";
        EXPECT_EQ(playFor(*gameOver, 60), "DONE");
        gameOver->setActive(false);
    }
}

TEST_F(DrawingScreensTest, TheLostFaceIsDrawnWithoutSoundToo) {
    enter(*gameOver, "RUNNING", "LOST");
    context.render(16);
    gfx::frame();
    const gfx::ViewPass* faceView = recording().pass(136);
    ASSERT_NE(faceView, nullptr);
    EXPECT_GT(faceView->numDraws, 0u) << "the face's fill";
}

TEST(SpeechTrace, SpansEightPercentOfTheWidthAFourthOfTheSamplesToAPoint) {
    for (const float width : {640.0f, 1920.0f, 200.0f}) {
        const std::vector<float> wave(256, 0.1f);
        const auto points = Zelmo::speechTrace(wave, width, 480, width / 2, 240, 1.0f);
        ASSERT_EQ(points.size(), 65u);
        EXPECT_NEAR(points.back().x - points.front().x, width * 0.08f, 0.01f) << width;
        // Three samples of every four make a point's height.
        EXPECT_FLOAT_EQ(points[1].y - points[0].y, 0.3f * 0.25f * 50.0f);
    }
    EXPECT_TRUE(Zelmo::speechTrace({}, 640, 480, 320, 240, 1.0f).empty());
}

}  // namespace
