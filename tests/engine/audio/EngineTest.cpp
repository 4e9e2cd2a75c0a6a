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
        auto pOutput = std::make_unique<Audio::OfflineOutput>(kRate);
        m_output = pOutput.get();
        m_engine = std::make_unique<Audio::Engine>(std::move(pOutput), 3);
        m_engine->start();
        EXPECT_TRUE(m_constant.load(TestSounds::kConstantHalf));
    }

    std::vector<float> pull(int frames) { return m_output->pull(static_cast<std::size_t>(frames)); }

    Audio::OfflineOutput* m_output;
    std::unique_ptr<Audio::Engine> m_engine;
    Audio::Wav m_constant;  // every sample 0.5
};

TEST_F(EngineTest, OneShotPlaysAtItsVolumeThenItsHandleTurnsInvalid) {
    const Audio::Handle handle = m_engine->play(m_constant, 0.25f, 0);
    ASSERT_NE(handle, 0u);
    EXPECT_TRUE(m_engine->isValid(handle));

    const std::vector<float> mix = pull(kConstantHalfFrames + 100);
    EXPECT_THAT(slice(mix, 0, kConstantHalfFrames), Each(FloatEq(0.125f)));
    EXPECT_THAT(slice(mix, kConstantHalfFrames, kConstantHalfFrames + 100), Each(0.0f));
    EXPECT_FALSE(m_engine->isValid(handle));
}

TEST_F(EngineTest, LoopingSourcePlaysPastItsEnd) {
    m_constant.setLooping(true);
    const Audio::Handle handle = m_engine->play(m_constant, 1.0f, 1);
    EXPECT_THAT(pull(3 * kConstantHalfFrames + 10), Each(FloatEq(0.5f)));
    EXPECT_TRUE(m_engine->isValid(handle));
}

TEST_F(EngineTest, SingleInstanceSourceKeepsOnlyItsNewestVoice) {
    m_constant.setSingleInstance(true);
    const Audio::Handle first = m_engine->play(m_constant, 0.5f, 0);
    const Audio::Handle second = m_engine->play(m_constant, 0.5f, 0);
    EXPECT_FALSE(m_engine->isValid(first));
    EXPECT_TRUE(m_engine->isValid(second));
    EXPECT_THAT(pull(100), Each(FloatEq(0.25f)));
}

TEST_F(EngineTest, VoicesOfOneSourceAddUp) {
    const Audio::Handle first = m_engine->play(m_constant, 0.5f, 0);
    const Audio::Handle second = m_engine->play(m_constant, 0.5f, 2);
    EXPECT_NE(first, second);
    EXPECT_TRUE(m_engine->isValid(first));
    EXPECT_TRUE(m_engine->isValid(second));
    EXPECT_THAT(pull(100), Each(FloatEq(0.5f)));
}

TEST_F(EngineTest, StoppingAVoiceSilencesOnlyThatVoice) {
    const Audio::Handle kept = m_engine->play(m_constant, 0.25f, 0);
    const Audio::Handle stopped = m_engine->play(m_constant, 0.5f, 1);
    m_engine->stopVoice(stopped);
    EXPECT_FALSE(m_engine->isValid(stopped));
    EXPECT_TRUE(m_engine->isValid(kept));
    EXPECT_THAT(pull(100), Each(FloatEq(0.125f)));
}

TEST_F(EngineTest, StopAllAndStopSourceEndEveryVoiceTheyName) {
    Audio::Wav other;
    ASSERT_TRUE(other.load(TestSounds::kConstantHalf));
    const Audio::Handle a = m_engine->play(m_constant, 0.5f, 0);
    const Audio::Handle b = m_engine->play(m_constant, 0.5f, 1);
    const Audio::Handle c = m_engine->play(other, 0.25f, 2);

    m_engine->stopSource(m_constant);
    EXPECT_FALSE(m_engine->isValid(a));
    EXPECT_FALSE(m_engine->isValid(b));
    EXPECT_TRUE(m_engine->isValid(c));
    EXPECT_THAT(pull(10), Each(FloatEq(0.125f)));

    m_engine->play(m_constant, 0.5f, 0);
    m_engine->stopAll();
    EXPECT_FALSE(m_engine->isValid(c));
    EXPECT_THAT(pull(10), Each(0.0f));
}

TEST_F(EngineTest, HandleOfAStoppedVoiceStaysInvalidWhenItsSlotIsReused) {
    const Audio::Handle old = m_engine->play(m_constant, 0.5f, 0);
    m_engine->stopVoice(old);
    const Audio::Handle fresh = m_engine->play(m_constant, 0.5f, 0);
    EXPECT_NE(fresh, old);
    EXPECT_FALSE(m_engine->isValid(old));
    EXPECT_TRUE(m_engine->isValid(fresh));
    // Stopping through the stale handle leaves the new voice alone.
    m_engine->stopVoice(old);
    EXPECT_TRUE(m_engine->isValid(fresh));
}

TEST_F(EngineTest, HandlesNameNoVoiceWhenTheyWereNeverGiven) {
    for (const Audio::Handle handle : {0u, 1u, 0xFFu, 0x100u, 0xFFFFFFFFu})
        EXPECT_FALSE(m_engine->isValid(handle)) << handle;
}

TEST_F(EngineTest, DoubleSpeedEndsInHalfTheTime) {
    const Audio::Handle handle = m_engine->play(m_constant, 1.0f, 0);
    m_engine->setRelativePlaySpeed(handle, 2.0f);
    const std::vector<float> mix = pull(kConstantHalfFrames);
    const int half = kConstantHalfFrames / 2;
    EXPECT_THAT(slice(mix, 0, half - 1), Each(FloatEq(0.5f)));
    EXPECT_THAT(slice(mix, half + 1, kConstantHalfFrames), Each(0.0f));
    EXPECT_FALSE(m_engine->isValid(handle));
}

TEST_F(EngineTest, SpeedsAtOrBelowZeroAreIgnored) {
    const Audio::Handle handle = m_engine->play(m_constant, 1.0f, 0);
    m_engine->setRelativePlaySpeed(handle, 0.0f);
    m_engine->setRelativePlaySpeed(handle, -1.0f);
    pull(kConstantHalfFrames - 1);
    EXPECT_TRUE(m_engine->isValid(handle));
    pull(1);
    EXPECT_FALSE(m_engine->isValid(handle));
}

TEST_F(EngineTest, ResamplesToTheOutputRateByLinearInterpolation) {
    Audio::Wav ramp;  // 22050 Hz: every source frame spans two output frames
    ASSERT_TRUE(ramp.load(TestSounds::kStereoRamp));
    m_engine->play(ramp, 1.0f, 0);
    const std::vector<float> mix = pull(2 * TestSounds::kStereoRampFrames + 10);
    const auto source = [](int frame) { return 0.5f * static_cast<float>(frame) / TestSounds::kStereoRampFrames; };
    for (int frame : {0, 1, 2, 3, 1000, 1001, 2 * TestSounds::kStereoRampFrames - 2}) {
        const float expected = frame % 2 == 0 ? source(frame / 2) : 0.5f * (source(frame / 2) + source(frame / 2 + 1));
        EXPECT_FLOAT_EQ(mix[2 * frame], expected) << frame;
        EXPECT_FLOAT_EQ(mix[2 * frame + 1], -expected) << frame;
    }
    EXPECT_THAT(slice(mix, 2 * TestSounds::kStereoRampFrames, 2 * TestSounds::kStereoRampFrames + 10), Each(0.0f));
}

TEST_F(EngineTest, GlobalVolumeScalesWhatIsAlreadyPlaying) {
    m_constant.setLooping(true);
    m_engine->play(m_constant, 0.5f, 0);
    EXPECT_THAT(pull(10), Each(FloatEq(0.25f)));
    m_engine->setGlobalVolume(0.5f);
    EXPECT_FLOAT_EQ(m_engine->globalVolume(), 0.5f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.125f)));
}

TEST_F(EngineTest, LoudMixesAreRoundedOffWithinFullScale) {
    for (int i = 0; i < 8; ++i) m_engine->play(m_constant, 1.0f, i % 3);
    for (const float sample : pull(100)) {
        ASSERT_LE(sample, 1.0f);
        ASSERT_GT(sample, 0.9f);
    }
}

TEST_F(EngineTest, BusesCaptureTheirOwnMixWhenAsked) {
    m_engine->setBusCapture(0, true);
    m_engine->setBusCapture(1, true);
    m_engine->play(m_constant, 0.25f, 1);
    m_engine->setGlobalVolume(0.5f);  // applies after the buses, so not in their waves
    pull(300);
    EXPECT_THAT(m_engine->busWave(1), Each(FloatEq(0.125f)));
    EXPECT_THAT(m_engine->busWave(0), Each(0.0f));
    EXPECT_THAT(m_engine->busWave(2), Each(0.0f));  // not capturing
    EXPECT_THAT(m_engine->busWave(3), Each(0.0f));  // no such bus

    // The wave holds the latest samples: after the sound ends, its tail and then silence.
    pull(kConstantHalfFrames - 300 + 56);
    const auto wave = m_engine->busWave(1);
    EXPECT_FLOAT_EQ(wave[199], 0.125f);
    EXPECT_EQ(wave[200], 0.0f);
    EXPECT_EQ(wave[255], 0.0f);
}

TEST_F(EngineTest, RefusesToPlayOnABusThatDoesNotExist) {
    EXPECT_EQ(m_engine->play(m_constant, 1.0f, -1), 0u);
    EXPECT_EQ(m_engine->play(m_constant, 1.0f, 3), 0u);
}

TEST_F(EngineTest, RefusesToPlayASourceWithNothingLoaded) {
    Audio::Wav empty;
    EXPECT_EQ(m_engine->play(empty, 1.0f, 0), 0u);
}

TEST_F(EngineTest, RefusesToPlayWhenEveryVoiceIsBusy) {
    for (std::size_t i = 0; i < Audio::Engine::kMaxVoices; ++i)
        ASSERT_NE(m_engine->play(m_constant, 0.01f, 0), 0u) << i;
    EXPECT_EQ(m_engine->play(m_constant, 0.01f, 0), 0u);
}

TEST_F(EngineTest, StoppingEndsEveryVoiceAndStartingAgainPlays) {
    const Audio::Handle handle = m_engine->play(m_constant, 1.0f, 0);
    m_engine->stop();
    EXPECT_FALSE(m_engine->isStarted());
    EXPECT_EQ(m_engine->sampleRate(), 0);
    EXPECT_FALSE(m_engine->isValid(handle));
    EXPECT_EQ(m_engine->play(m_constant, 1.0f, 0), 0u);
    EXPECT_THAT(pull(10), Each(0.0f));

    ASSERT_TRUE(m_engine->start());
    EXPECT_EQ(m_engine->sampleRate(), kRate);
    EXPECT_NE(m_engine->play(m_constant, 1.0f, 0), 0u);
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(EngineTest, StreamedSourcePlaysLikeTheWholeFileAndLoops) {
    Audio::Wav whole;
    Audio::WavStream stream;
    ASSERT_TRUE(whole.load(TestSounds::kToneOgg));
    ASSERT_TRUE(stream.load(TestSounds::kToneOgg));
    const int frames = static_cast<int>(whole.frameCount());

    m_engine->play(whole, 1.0f, 0);
    const std::vector<float> expected = pull(frames);
    ASSERT_NE(expected, std::vector<float>(expected.size(), 0.0f));

    stream.setLooping(true);
    const Audio::Handle handle = m_engine->play(stream, 1.0f, 1);
    EXPECT_EQ(pull(frames), expected);
    EXPECT_EQ(pull(frames), expected);
    EXPECT_TRUE(m_engine->isValid(handle));
}

TEST_F(EngineTest, VoiceOutlivesItsFreedSource) {
    auto pSource = std::make_unique<Audio::Wav>();
    ASSERT_TRUE(pSource->load(TestSounds::kConstantHalf));
    const Audio::Handle handle = m_engine->play(*pSource, 1.0f, 0);
    pull(100);
    pSource.reset();
    EXPECT_THAT(pull(100), Each(FloatEq(0.5f)));
    EXPECT_TRUE(m_engine->isValid(handle));
}

TEST(EngineWithoutStartTest, PlaysNothing) {
    Audio::Engine engine(std::make_unique<Audio::OfflineOutput>(), 3);
    Audio::Wav constant;
    ASSERT_TRUE(constant.load(TestSounds::kConstantHalf));
    EXPECT_FALSE(engine.isStarted());
    EXPECT_EQ(engine.play(constant, 1.0f, 0), 0u);
}

}  // namespace
