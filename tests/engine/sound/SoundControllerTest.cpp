#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/audio/Engine.h"
#include "engine/audio/OfflineOutput.h"
#include "engine/sound/SoundController.h"
#include "tests/engine/audio/TestSounds.h"

namespace {

using Sound::SoundController;
using Sound::SoundEntry;
using ::testing::Each;
using ::testing::FloatEq;

constexpr int kEffect = 1;  // the constant-level file, one-shot
constexpr int kMusic = 45;  // the Ogg tone, streamed
constexpr int kVoice = 47;  // speech

float peak(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float sample : samples) peak = std::max(peak, std::fabs(sample));
    return peak;
}

class SoundControllerTest : public ::testing::Test {
protected:
    SoundControllerTest() {
        auto pOutput = std::make_unique<Audio::OfflineOutput>();
        m_output = pOutput.get();
        m_sound = std::make_unique<SoundController>(true, std::move(pOutput));
        EXPECT_TRUE(m_sound->start(true));
        EXPECT_TRUE(m_sound->addWav(kEffect, TestSounds::kConstantHalf, false, false));
    }

    std::vector<float> pull(int frames) { return m_output->pull(static_cast<std::size_t>(frames)); }

    Audio::OfflineOutput* m_output;
    std::unique_ptr<SoundController> m_sound;
};

TEST_F(SoundControllerTest, PlaysAtThePercentageTimesTheKindsVolume) {
    m_sound->setSoundVolume(0.5f);
    const int handle = m_sound->play(kEffect, 50, 0.0f);
    ASSERT_NE(handle, 0);
    // Gain 0.25 on a constant 0.5, and at the default speed the sound lasts its full length.
    const std::vector<float> mix = pull(TestSounds::kConstantHalfFrames);
    EXPECT_THAT(mix, Each(FloatEq(0.125f)));
    EXPECT_FALSE(m_sound->isValidHandle(handle));
}

TEST_F(SoundControllerTest, KindVolumesApplyToLaterPlaysOnly) {
    ASSERT_TRUE(m_sound->addWav(kEffect, TestSounds::kConstantHalf, true, false));
    m_sound->play(kEffect, 100, 0.0f);
    m_sound->setSoundVolume(0.5f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, MasterVolumeAppliesAtOnce) {
    ASSERT_TRUE(m_sound->addWav(kEffect, TestSounds::kConstantHalf, true, false));
    m_sound->play(kEffect, 100, 0.0f);
    m_sound->setMasterVolume(0.5f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.25f)));
}

TEST_F(SoundControllerTest, ClampsVolumesToZeroToOne) {
    struct Case {
        void (SoundController::*set)(float);
        float (SoundController::*get)() const;
    };
    const Case cases[] = {{&SoundController::setSoundVolume, &SoundController::getSoundVolume},
                          {&SoundController::setMusicVolume, &SoundController::getMusicVolume},
                          {&SoundController::setSpeechVolume, &SoundController::getSpeechVolume},
                          {&SoundController::setMasterVolume, &SoundController::getMasterVolume}};
    for (const Case& testCase : cases) {
        for (const auto& [given, stored] : {std::pair{-0.5f, 0.0f}, {1.5f, 1.0f}, {0.3f, 0.3f}}) {
            (m_sound.get()->*testCase.set)(given);
            EXPECT_FLOAT_EQ((m_sound.get()->*testCase.get)(), stored) << given;
        }
    }
}

// Until a volume is set, every kind sounds at the level it was recorded at.
TEST_F(SoundControllerTest, UntouchedVolumesLeaveEveryKindAtFullLevel) {
    m_sound->play(kEffect, 100, 0.0f);
    EXPECT_THAT(pull(300), Each(FloatEq(0.5f)));
    m_sound->stopAll();

    ASSERT_TRUE(m_sound->addWavStream(kMusic, TestSounds::kConstantHalf, false, false));
    m_sound->play(kMusic, 100, 0.0f);
    EXPECT_THAT(pull(300), Each(FloatEq(0.5f)));
    m_sound->stopAll();

    // Speech has no known level of its own: it must sound as it does at a speech volume of 1.
    ASSERT_TRUE(m_sound->addSpeech(kVoice, "Game over", false, true));
    const auto speak = [&] {
        m_sound->play(kVoice, 100, 0.0f);
        std::vector<float> heard = pull(8192);
        m_sound->stopAll();
        return heard;
    };
    const std::vector<float> untouched = speak();
    EXPECT_GT(peak(untouched), 0.05f);
    m_sound->setSpeechVolume(1.0f);
    EXPECT_EQ(speak(), untouched);
}

TEST_F(SoundControllerTest, SpeedScalesThePaceAndZeroMeansTheDefault) {
    const int fast = m_sound->play(kEffect, 100, 2.0f);
    const int normal = m_sound->play(kEffect, 100, 0.0f);
    pull(TestSounds::kConstantHalfFrames / 2 + 1);
    EXPECT_FALSE(m_sound->isValidHandle(fast));
    EXPECT_TRUE(m_sound->isValidHandle(normal));
}

TEST_F(SoundControllerTest, SingleInstanceSoundPlayedTwiceLeavesOneVoice) {
    ASSERT_TRUE(m_sound->addWav(kEffect, TestSounds::kConstantHalf, false, true));
    const int first = m_sound->play(kEffect, 100, 0.0f);
    const int second = m_sound->play(kEffect, 100, 0.0f);
    EXPECT_FALSE(m_sound->isValidHandle(first));
    EXPECT_TRUE(m_sound->isValidHandle(second));
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, LoopingSoundPlaysUntilStopped) {
    ASSERT_TRUE(m_sound->addWav(kEffect, TestSounds::kConstantHalf, true, false));
    const int handle = m_sound->play(kEffect, 100, 0.0f);
    EXPECT_THAT(pull(3 * TestSounds::kConstantHalfFrames), Each(FloatEq(0.5f)));
    EXPECT_TRUE(m_sound->isValidHandle(handle));
    m_sound->stop(handle);
    EXPECT_FALSE(m_sound->isValidHandle(handle));
    EXPECT_THAT(pull(10), Each(0.0f));
}

TEST_F(SoundControllerTest, StopAllEndsEveryVoiceAndLaterPlaysStillSound) {
    ASSERT_TRUE(m_sound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    const int effect = m_sound->play(kEffect, 100, 0.0f);
    const int music = m_sound->play(kMusic, 100, 0.0f);
    m_sound->stopAll();
    EXPECT_FALSE(m_sound->isValidHandle(effect));
    EXPECT_FALSE(m_sound->isValidHandle(music));
    EXPECT_THAT(pull(10), Each(0.0f));

    m_sound->play(kEffect, 100, 0.0f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, EachKindPlaysOnItsOwnBus) {
    ASSERT_TRUE(m_sound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    m_sound->play(kMusic, 100, 0.0f);
    pull(1000);
    EXPECT_THAT(m_sound->getBusWave(0), Each(0.0f));
    EXPECT_GT(peak(m_sound->getBusWave(1)), 0.1f);
    EXPECT_THAT(m_sound->getBusWave(2), Each(0.0f));

    m_sound->play(kEffect, 100, 0.0f);
    pull(300);
    EXPECT_THAT(m_sound->getBusWave(0), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, SpeechSoundsOnTheSpeechBusAtTheSpeechVolume) {
    ASSERT_TRUE(m_sound->addSpeech(kVoice, "Game over", false, true));
    m_sound->setSpeechVolume(1.0f);
    const int handle = m_sound->play(kVoice, 100, 0.0f);
    ASSERT_NE(handle, 0);
    // Collect the loudest trace over the first half second: speech has pauses.
    float loudest = 0.0f;
    for (int i = 0; i < 80; ++i) {
        pull(256);
        loudest = std::max(loudest, peak(m_sound->getBusWave(2)));
    }
    EXPECT_GT(loudest, 0.05f);
    EXPECT_THAT(m_sound->getBusWave(0), Each(0.0f));

    m_sound->setSpeechVolume(0.0f);
    m_sound->play(kVoice, 100, 0.0f);
    for (int i = 0; i < 20; ++i) ASSERT_THAT(pull(256), Each(0.0f));
}

TEST_F(SoundControllerTest, ReplacingAPlayingSoundStopsItsVoices) {
    ASSERT_TRUE(m_sound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    const int old = m_sound->play(kMusic, 100, 0.0f);
    pull(100);
    ASSERT_TRUE(m_sound->addWav(kMusic, TestSounds::kConstantHalf, true, false));
    EXPECT_FALSE(m_sound->isValidHandle(old));
    EXPECT_THAT(pull(100), Each(0.0f));

    const SoundEntry* pEntry = m_sound->find(kMusic);
    ASSERT_NE(pEntry, nullptr);
    EXPECT_EQ(pEntry->kind, SoundEntry::kWav);
    EXPECT_EQ(pEntry->name, TestSounds::kConstantHalf);
    m_sound->play(kMusic, 100, 0.0f);
    EXPECT_THAT(pull(100), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, FailedAddChangesNothing) {
    EXPECT_FALSE(m_sound->addWav(kEffect, "data/no-such-sound.wav", false, false));
    EXPECT_FALSE(m_sound->addWavStream(kMusic, "data/no-such-music.ogg", true, true));
    const SoundEntry* pEntry = m_sound->find(kEffect);
    ASSERT_NE(pEntry, nullptr);
    EXPECT_EQ(pEntry->name, TestSounds::kConstantHalf);
    EXPECT_EQ(m_sound->find(kMusic), nullptr);
    EXPECT_EQ(m_sound->play(kMusic, 100, 0.0f), 0);
}

TEST_F(SoundControllerTest, EntriesTellTheirKindNameAndDefaultSpeed) {
    ASSERT_TRUE(m_sound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    ASSERT_TRUE(m_sound->addSpeech(kVoice, "Ready", false, true));
    const struct {
        int id;
        int kind;
        std::string name;
    } cases[] = {{kEffect, SoundEntry::kWav, TestSounds::kConstantHalf},
                 {kMusic, SoundEntry::kStream, TestSounds::kToneOgg},
                 {kVoice, SoundEntry::kSpeech, "Ready"}};
    for (const auto& testCase : cases) {
        const SoundEntry* pEntry = m_sound->find(testCase.id);
        ASSERT_NE(pEntry, nullptr) << testCase.id;
        EXPECT_EQ(pEntry->kind, testCase.kind) << testCase.id;
        EXPECT_EQ(pEntry->name, testCase.name) << testCase.id;
        EXPECT_EQ(pEntry->defaultSpeed, 1.0f) << testCase.id;
        EXPECT_NE(pEntry->source, nullptr) << testCase.id;
    }
}

TEST_F(SoundControllerTest, UnknownIdentifierPlaysNothing) {
    EXPECT_EQ(m_sound->find(99), nullptr);
    EXPECT_EQ(m_sound->play(99, 100, 0.0f), 0);
    EXPECT_THAT(pull(10), Each(0.0f));
}

TEST_F(SoundControllerTest, BusWaveHasTwoHundredFiftySixSamplesForRealBusesOnly) {
    EXPECT_EQ(m_sound->getBusWave(0).size(), 256u);
    EXPECT_EQ(m_sound->getBusWave(2).size(), 256u);
    EXPECT_TRUE(m_sound->getBusWave(-1).empty());
    EXPECT_TRUE(m_sound->getBusWave(3).empty());
}

TEST_F(SoundControllerTest, StartingAgainKeepsTheEngineRunning) {
    const int handle = m_sound->play(kEffect, 100, 0.0f);
    EXPECT_TRUE(m_sound->start(true));
    EXPECT_TRUE(m_sound->isValidHandle(handle));
}

TEST(SoundControllerStartTest, PlaysNothingBeforeStart) {
    SoundController sound(true, std::make_unique<Audio::OfflineOutput>());
    ASSERT_TRUE(sound.addWav(kEffect, TestSounds::kConstantHalf, false, false));
    EXPECT_EQ(sound.play(kEffect, 100, 0.0f), 0);
}

// A machine without a sound device still plays the game, silently.
TEST(SoundControllerStartTest, FailsWhenNoOutputDeviceOpensAndGoesOnWithSoundOff) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundController sound(true);
    EXPECT_FALSE(sound.start(true));
    EXPECT_FALSE(sound.addWav(kEffect, TestSounds::kConstantHalf, false, false));
    EXPECT_EQ(sound.play(kEffect, 100, 0.0f), 0);
    EXPECT_EQ(sound.getMasterVolume(), 0.0f);
    EXPECT_TRUE(sound.getBusWave(0).empty());
    EXPECT_TRUE(sound.start(true));
}

TEST(SoundControllerStartTest, StartsOnTheDummyDriver) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundController sound(true);
    EXPECT_TRUE(sound.start(true));
}

TEST(SoundOffTest, EveryCallIsHarmlessAndNeutral) {
    SoundController sound(false);
    EXPECT_TRUE(sound.start(true));
    EXPECT_FALSE(sound.addWav(kEffect, TestSounds::kConstantHalf, false, false));
    EXPECT_FALSE(sound.addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    EXPECT_FALSE(sound.addSpeech(kVoice, "Hello", false, true));
    EXPECT_EQ(sound.find(kEffect), nullptr);
    EXPECT_EQ(sound.play(kEffect, 100, 0.0f), 0);
    EXPECT_FALSE(sound.isValidHandle(1));
    sound.stop(1);
    sound.stopAll();
    sound.setSoundVolume(0.5f);
    sound.setMusicVolume(0.5f);
    sound.setSpeechVolume(0.5f);
    sound.setMasterVolume(0.5f);
    EXPECT_EQ(sound.getSoundVolume(), 0.0f);
    EXPECT_EQ(sound.getMusicVolume(), 0.0f);
    EXPECT_EQ(sound.getSpeechVolume(), 0.0f);
    EXPECT_EQ(sound.getMasterVolume(), 0.0f);
    EXPECT_TRUE(sound.getBusWave(2).empty());
}

}  // namespace
