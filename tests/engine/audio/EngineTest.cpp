#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/audio/Engine.h"
#include "engine/audio/OfflineOutput.h"
#include "engine/audio/Wav.h"
#include "engine/audio/WavStream.h"
#include "tests/engine/audio/TestSounds.h"

namespace {

using ::testing::Each;
using ::testing::FloatEq;
using TestSounds::kConstantHalfFrames;

constexpr int kRate = 44100;

std::vector<float> slice(const std::vector<float>& stereo, int fromFrame, int toFrame) {
    return {stereo.begin() + 2 * fromFrame, stereo.begin() + 2 * toFrame};
}

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        auto l_pOutput = std::make_unique<Audio::OfflineOutput>(kRate);
        m_pOutput = l_pOutput.get();
        m_pEngine = std::make_unique<Audio::Engine>(std::move(l_pOutput), 3);
        m_pEngine->start();
        EXPECT_TRUE(m_constant.load(TestSounds::kConstantHalf));
    }

    std::vector<float> pull(int frames) { return m_pOutput->pull(static_cast<std::size_t>(frames)); }

    Audio::OfflineOutput* m_pOutput;
    std::unique_ptr<Audio::Engine> m_pEngine;
    Audio::Wav m_constant;  // every sample 0.5
};

TEST_F(EngineTest, OneShotPlaysAtItsVolumeThenItsHandleTurnsInvalid) {
    const Audio::Handle l_handle = m_pEngine->play(m_constant, 0.25f, 0);
    ASSERT_NE(l_handle, 0u);
    EXPECT_TRUE(m_pEngine->isValid(l_handle));

    const std::vector<float> l_mix = pull(kConstantHalfFrames + 100);
    EXPECT_THAT(slice(l_mix, 0, kConstantHalfFrames), Each(FloatEq(0.125f)));
    EXPECT_THAT(slice(l_mix, kConstantHalfFrames, kConstantHalfFrames + 100), Each(0.0f));
    EXPECT_FALSE(m_pEngine->isValid(l_handle));
}

TEST_F(EngineTest, LoopingSourcePlaysPastItsEnd) {
    m_constant.setLooping(true);
    const Audio::Handle l_handle = m_pEngine->play(m_constant, 1.0f, 1);
    EXPECT_THAT(pull(3 * kConstantHalfFrames + 10), Each(FloatEq(0.5f)));
    EXPECT_TRUE(m_pEngine->isValid(l_handle));
}

TEST_F(EngineTest, SingleInstanceSourceKeepsOnlyItsNewestVoice) {
    m_constant.setSingleInstance(true);
    const Audio::Handle l_first = m_pEngine->play(m_constant, 0.5f, 0);
    const Audio::Handle l_second = m_pEngine->play(m_constant, 0.5f, 0);
    EXPECT_FALSE(m_pEngine->isValid(l_first));
    EXPECT_TRUE(m_pEngine->isValid(l_second));
    EXPECT_THAT(pull(100), Each(FloatEq(0.25f)));
}

TEST_F(EngineTest, VoicesOfOneSourceAddUp) {
    const Audio::Handle l_first = m_pEngine->play(m_constant, 0.5f, 0);
    const Audio::Handle l_second = m_pEngine->play(m_constant, 0.5f, 2);
    EXPECT_NE(l_first, l_second);
    EXPECT_TRUE(m_pEngine->isValid(l_first));
    EXPECT_TRUE(m_pEngine->isValid(l_second));
    EXPECT_THAT(pull(100), Each(FloatEq(0.5f)));
}

TEST_F(EngineTest, StoppingAVoiceSilencesOnlyThatVoice) {
    const Audio::Handle l_kept = m_pEngine->play(m_constant, 0.25f, 0);
    const Audio::Handle l_stopped = m_pEngine->play(m_constant, 0.5f, 1);
    m_pEngine->stopVoice(l_stopped);
    EXPECT_FALSE(m_pEngine->isValid(l_stopped));
    EXPECT_TRUE(m_pEngine->isValid(l_kept));
    EXPECT_THAT(pull(100), Each(FloatEq(0.125f)));
}

TEST_F(EngineTest, StopAllAndStopSourceEndEveryVoiceTheyName) {
    Audio::Wav l_other;
    ASSERT_TRUE(l_other.load(TestSounds::kConstantHalf));
    const Audio::Handle l_a = m_pEngine->play(m_constant, 0.5f, 0);
    const Audio::Handle l_b = m_pEngine->play(m_constant, 0.5f, 1);
    const Audio::Handle l_c = m_pEngine->play(l_other, 0.25f, 2);

    m_pEngine->stopSource(m_constant);
    EXPECT_FALSE(m_pEngine->isValid(l_a));
    EXPECT_FALSE(m_pEngine->isValid(l_b));
    EXPECT_TRUE(m_pEngine->isValid(l_c));
    EXPECT_THAT(pull(10), Each(FloatEq(0.125f)));

    m_pEngine->play(m_constant, 0.5f, 0);
    m_pEngine->stopAll();
    EXPECT_FALSE(m_pEngine->isValid(l_c));
    EXPECT_THAT(pull(10), Each(0.0f));
}

TEST_F(EngineTest, HandleOfAStoppedVoiceStaysInvalidWhenItsSlotIsReused) {
    const Audio::Handle l_old = m_pEngine->play(m_constant, 0.5f, 0);
    m_pEngine->stopVoice(l_old);
    const Audio::Handle l_new = m_pEngine->play(m_constant, 0.5f, 0);
    EXPECT_NE(l_new, l_old);
    EXPECT_FALSE(m_pEngine->isValid(l_old));
    EXPECT_TRUE(m_pEngine->isValid(l_new));
    // Stopping through the stale handle leaves the new voice alone.
    m_pEngine->stopVoice(l_old);
    EXPECT_TRUE(m_pEngine->isValid(l_new));
}

TEST_F(EngineTest, HandlesNameNoVoiceWhenTheyWereNeverGiven) {
    for (const Audio::Handle l_handle : {0u, 1u, 0xFFu, 0x100u, 0xFFFFFFFFu})
        EXPECT_FALSE(m_pEngine->isValid(l_handle)) << l_handle;
}

TEST_F(EngineTest, DoubleSpeedEndsInHalfTheTime) {
    const Audio::Handle l_handle = m_pEngine->play(m_constant, 1.0f, 0);
    m_pEngine->setRelativePlaySpeed(l_handle, 2.0f);
    const std::vector<float> l_mix = pull(kConstantHalfFrames);
    const int l_half = kConstantHalfFrames / 2;
    EXPECT_THAT(slice(l_mix, 0, l_half - 1), Each(FloatEq(0.5f)));
    EXPECT_THAT(slice(l_mix, l_half + 1, kConstantHalfFrames), Each(0.0f));
    EXPECT_FALSE(m_pEngine->isValid(l_handle));
}

TEST_F(EngineTest, SpeedsAtOrBelowZeroAreIgnored) {
    const Audio::Handle l_handle = m_pEngine->play(m_constant, 1.0f, 0);
    m_pEngine->setRelativePlaySpeed(l_handle, 0.0f);
    m_pEngine->setRelativePlaySpeed(l_handle, -1.0f);
    pull(kConstantHalfFrames - 1);
    EXPECT_TRUE(m_pEngine->isValid(l_handle));
    pull(1);
    EXPECT_FALSE(m_pEngine->isValid(l_handle));
}

TEST_F(EngineTest, ResamplesToTheOutputRateByLinearInterpolation) {
    Audio::Wav l_ramp;  // 22050 Hz: every source frame spans two output frames
    ASSERT_TRUE(l_ramp.load(TestSounds::kStereoRamp));
    m_pEngine->play(l_ramp, 1.0f, 0);
    const std::vector<float> l_mix = pull(2 * TestSounds::kStereoRampFrames + 10);
    const auto l_source = [](int frame) { return 0.5f * static_cast<float>(frame) / TestSounds::kStereoRampFrames; };
    for (int l_frame : {0, 1, 2, 3, 1000, 1001, 2 * TestSounds::kStereoRampFrames - 2}) {
        const float l_expected =
            l_frame % 2 == 0 ? l_source(l_frame / 2) : 0.5f * (l_source(l_frame / 2) + l_source(l_frame / 2 + 1));
        EXPECT_FLOAT_EQ(l_mix[2 * l_frame], l_expected) << l_frame;
        EXPECT_FLOAT_EQ(l_mix[2 * l_frame + 1], -l_expected) << l_frame;
    }
    EXPECT_THAT(slice(l_mix, 2 * TestSounds::kStereoRampFrames, 2 * TestSounds::kStereoRampFrames + 10), Each(0.0f));
}

TEST_F(EngineTest, GlobalVolumeScalesWhatIsAlreadyPlaying) {
    m_constant.setLooping(true);
    m_pEngine->play(m_constant, 0.5f, 0);
    EXPECT_THAT(pull(10), Each(FloatEq(0.25f)));
    m_pEngine->setGlobalVolume(0.5f);
    EXPECT_FLOAT_EQ(m_pEngine->globalVolume(), 0.5f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.125f)));
}

TEST_F(EngineTest, LoudMixesAreRoundedOffWithinFullScale) {
    for (int l_i = 0; l_i < 8; ++l_i) m_pEngine->play(m_constant, 1.0f, l_i % 3);
    for (const float l_sample : pull(100)) {
        ASSERT_LE(l_sample, 1.0f);
        ASSERT_GT(l_sample, 0.9f);
    }
}

TEST_F(EngineTest, BusesCaptureTheirOwnMixWhenAsked) {
    m_pEngine->setBusCapture(0, true);
    m_pEngine->setBusCapture(1, true);
    m_pEngine->play(m_constant, 0.25f, 1);
    m_pEngine->setGlobalVolume(0.5f);  // applies after the buses, so not in their waves
    pull(300);
    EXPECT_THAT(m_pEngine->busWave(1), Each(FloatEq(0.125f)));
    EXPECT_THAT(m_pEngine->busWave(0), Each(0.0f));
    EXPECT_THAT(m_pEngine->busWave(2), Each(0.0f));  // not capturing
    EXPECT_THAT(m_pEngine->busWave(3), Each(0.0f));  // no such bus

    // The wave holds the latest samples: after the sound ends, its tail and then silence.
    pull(kConstantHalfFrames - 300 + 56);
    const auto l_wave = m_pEngine->busWave(1);
    EXPECT_FLOAT_EQ(l_wave[199], 0.125f);
    EXPECT_EQ(l_wave[200], 0.0f);
    EXPECT_EQ(l_wave[255], 0.0f);
}

TEST_F(EngineTest, RefusesToPlayOnABusThatDoesNotExist) {
    EXPECT_EQ(m_pEngine->play(m_constant, 1.0f, -1), 0u);
    EXPECT_EQ(m_pEngine->play(m_constant, 1.0f, 3), 0u);
}

TEST_F(EngineTest, RefusesToPlayASourceWithNothingLoaded) {
    Audio::Wav l_empty;
    EXPECT_EQ(m_pEngine->play(l_empty, 1.0f, 0), 0u);
}

TEST_F(EngineTest, RefusesToPlayWhenEveryVoiceIsBusy) {
    for (std::size_t l_i = 0; l_i < Audio::Engine::kMaxVoices; ++l_i)
        ASSERT_NE(m_pEngine->play(m_constant, 0.01f, 0), 0u) << l_i;
    EXPECT_EQ(m_pEngine->play(m_constant, 0.01f, 0), 0u);
}

TEST_F(EngineTest, StoppingEndsEveryVoiceAndStartingAgainPlays) {
    const Audio::Handle l_handle = m_pEngine->play(m_constant, 1.0f, 0);
    m_pEngine->stop();
    EXPECT_FALSE(m_pEngine->isStarted());
    EXPECT_EQ(m_pEngine->sampleRate(), 0);
    EXPECT_FALSE(m_pEngine->isValid(l_handle));
    EXPECT_EQ(m_pEngine->play(m_constant, 1.0f, 0), 0u);
    EXPECT_THAT(pull(10), Each(0.0f));

    ASSERT_TRUE(m_pEngine->start());
    EXPECT_EQ(m_pEngine->sampleRate(), kRate);
    EXPECT_NE(m_pEngine->play(m_constant, 1.0f, 0), 0u);
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(EngineTest, StreamedSourcePlaysLikeTheWholeFileAndLoops) {
    Audio::Wav l_whole;
    Audio::WavStream l_stream;
    ASSERT_TRUE(l_whole.load(TestSounds::kToneOgg));
    ASSERT_TRUE(l_stream.load(TestSounds::kToneOgg));
    const int l_frames = static_cast<int>(l_whole.frameCount());

    m_pEngine->play(l_whole, 1.0f, 0);
    const std::vector<float> l_expected = pull(l_frames);
    ASSERT_NE(l_expected, std::vector<float>(l_expected.size(), 0.0f));

    l_stream.setLooping(true);
    const Audio::Handle l_handle = m_pEngine->play(l_stream, 1.0f, 1);
    EXPECT_EQ(pull(l_frames), l_expected);
    EXPECT_EQ(pull(l_frames), l_expected);
    EXPECT_TRUE(m_pEngine->isValid(l_handle));
}

TEST_F(EngineTest, VoiceOutlivesItsFreedSource) {
    auto l_pSource = std::make_unique<Audio::Wav>();
    ASSERT_TRUE(l_pSource->load(TestSounds::kConstantHalf));
    const Audio::Handle l_handle = m_pEngine->play(*l_pSource, 1.0f, 0);
    pull(100);
    l_pSource.reset();
    EXPECT_THAT(pull(100), Each(FloatEq(0.5f)));
    EXPECT_TRUE(m_pEngine->isValid(l_handle));
}

TEST(EngineWithoutStartTest, PlaysNothing) {
    Audio::Engine l_engine(std::make_unique<Audio::OfflineOutput>(), 3);
    Audio::Wav l_constant;
    ASSERT_TRUE(l_constant.load(TestSounds::kConstantHalf));
    EXPECT_FALSE(l_engine.isStarted());
    EXPECT_EQ(l_engine.play(l_constant, 1.0f, 0), 0u);
}

}  // namespace
