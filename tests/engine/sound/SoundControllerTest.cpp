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
    float l_peak = 0.0f;
    for (const float l_sample : samples) l_peak = std::max(l_peak, std::fabs(l_sample));
    return l_peak;
}

class SoundControllerTest : public ::testing::Test {
protected:
    SoundControllerTest() {
        auto l_pOutput = std::make_unique<Audio::OfflineOutput>();
        m_pOutput = l_pOutput.get();
        m_pSound = std::make_unique<SoundController>(true, std::move(l_pOutput));
        EXPECT_TRUE(m_pSound->start(true));
        EXPECT_TRUE(m_pSound->addWav(kEffect, TestSounds::kConstantHalf, false, false));
    }

    std::vector<float> pull(int frames) { return m_pOutput->pull(static_cast<std::size_t>(frames)); }

    Audio::OfflineOutput* m_pOutput;
    std::unique_ptr<SoundController> m_pSound;
};

TEST_F(SoundControllerTest, PlaysAtThePercentageTimesTheKindsVolume) {
    m_pSound->setSoundVolume(0.5f);
    const int l_handle = m_pSound->play(kEffect, 50, 0.0f);
    ASSERT_NE(l_handle, 0);
    // Gain 0.25 on a constant 0.5, and at the default speed the sound lasts its full length.
    const std::vector<float> l_mix = pull(TestSounds::kConstantHalfFrames);
    EXPECT_THAT(l_mix, Each(FloatEq(0.125f)));
    EXPECT_FALSE(m_pSound->isValidHandle(l_handle));
}

TEST_F(SoundControllerTest, KindVolumesApplyToLaterPlaysOnly) {
    ASSERT_TRUE(m_pSound->addWav(kEffect, TestSounds::kConstantHalf, true, false));
    m_pSound->play(kEffect, 100, 0.0f);
    m_pSound->setSoundVolume(0.5f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, MasterVolumeAppliesAtOnce) {
    ASSERT_TRUE(m_pSound->addWav(kEffect, TestSounds::kConstantHalf, true, false));
    m_pSound->play(kEffect, 100, 0.0f);
    m_pSound->setMasterVolume(0.5f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.25f)));
}

TEST_F(SoundControllerTest, ClampsVolumesToZeroToOne) {
    struct Case {
        void (SoundController::*set)(float);
        float (SoundController::*get)() const;
    };
    const Case l_cases[] = {{&SoundController::setSoundVolume, &SoundController::getSoundVolume},
                            {&SoundController::setMusicVolume, &SoundController::getMusicVolume},
                            {&SoundController::setSpeechVolume, &SoundController::getSpeechVolume},
                            {&SoundController::setMasterVolume, &SoundController::getMasterVolume}};
    for (const Case& l_case : l_cases) {
        for (const auto& [l_given, l_stored] : {std::pair{-0.5f, 0.0f}, {1.5f, 1.0f}, {0.3f, 0.3f}}) {
            (m_pSound.get()->*l_case.set)(l_given);
            EXPECT_FLOAT_EQ((m_pSound.get()->*l_case.get)(), l_stored) << l_given;
        }
    }
}

// Until a volume is set, every kind sounds at the level it was recorded at.
TEST_F(SoundControllerTest, UntouchedVolumesLeaveEveryKindAtFullLevel) {
    m_pSound->play(kEffect, 100, 0.0f);
    EXPECT_THAT(pull(300), Each(FloatEq(0.5f)));
    m_pSound->stopAll();

    ASSERT_TRUE(m_pSound->addWavStream(kMusic, TestSounds::kConstantHalf, false, false));
    m_pSound->play(kMusic, 100, 0.0f);
    EXPECT_THAT(pull(300), Each(FloatEq(0.5f)));
    m_pSound->stopAll();

    // Speech has no known level of its own: it must sound as it does at a speech volume of 1.
    ASSERT_TRUE(m_pSound->addSpeech(kVoice, "Game over", false, true));
    const auto l_speak = [&] {
        m_pSound->play(kVoice, 100, 0.0f);
        std::vector<float> l_heard = pull(8192);
        m_pSound->stopAll();
        return l_heard;
    };
    const std::vector<float> l_untouched = l_speak();
    EXPECT_GT(peak(l_untouched), 0.05f);
    m_pSound->setSpeechVolume(1.0f);
    EXPECT_EQ(l_speak(), l_untouched);
}

TEST_F(SoundControllerTest, SpeedScalesThePaceAndZeroMeansTheDefault) {
    const int l_fast = m_pSound->play(kEffect, 100, 2.0f);
    const int l_normal = m_pSound->play(kEffect, 100, 0.0f);
    pull(TestSounds::kConstantHalfFrames / 2 + 1);
    EXPECT_FALSE(m_pSound->isValidHandle(l_fast));
    EXPECT_TRUE(m_pSound->isValidHandle(l_normal));
}

TEST_F(SoundControllerTest, SingleInstanceSoundPlayedTwiceLeavesOneVoice) {
    ASSERT_TRUE(m_pSound->addWav(kEffect, TestSounds::kConstantHalf, false, true));
    const int l_first = m_pSound->play(kEffect, 100, 0.0f);
    const int l_second = m_pSound->play(kEffect, 100, 0.0f);
    EXPECT_FALSE(m_pSound->isValidHandle(l_first));
    EXPECT_TRUE(m_pSound->isValidHandle(l_second));
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, LoopingSoundPlaysUntilStopped) {
    ASSERT_TRUE(m_pSound->addWav(kEffect, TestSounds::kConstantHalf, true, false));
    const int l_handle = m_pSound->play(kEffect, 100, 0.0f);
    EXPECT_THAT(pull(3 * TestSounds::kConstantHalfFrames), Each(FloatEq(0.5f)));
    EXPECT_TRUE(m_pSound->isValidHandle(l_handle));
    m_pSound->stop(l_handle);
    EXPECT_FALSE(m_pSound->isValidHandle(l_handle));
    EXPECT_THAT(pull(10), Each(0.0f));
}

TEST_F(SoundControllerTest, StopAllEndsEveryVoiceAndLaterPlaysStillSound) {
    ASSERT_TRUE(m_pSound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    const int l_effect = m_pSound->play(kEffect, 100, 0.0f);
    const int l_music = m_pSound->play(kMusic, 100, 0.0f);
    m_pSound->stopAll();
    EXPECT_FALSE(m_pSound->isValidHandle(l_effect));
    EXPECT_FALSE(m_pSound->isValidHandle(l_music));
    EXPECT_THAT(pull(10), Each(0.0f));

    m_pSound->play(kEffect, 100, 0.0f);
    EXPECT_THAT(pull(10), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, EachKindPlaysOnItsOwnBus) {
    ASSERT_TRUE(m_pSound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    m_pSound->play(kMusic, 100, 0.0f);
    pull(1000);
    EXPECT_THAT(m_pSound->getBusWave(0), Each(0.0f));
    EXPECT_GT(peak(m_pSound->getBusWave(1)), 0.1f);
    EXPECT_THAT(m_pSound->getBusWave(2), Each(0.0f));

    m_pSound->play(kEffect, 100, 0.0f);
    pull(300);
    EXPECT_THAT(m_pSound->getBusWave(0), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, SpeechSoundsOnTheSpeechBusAtTheSpeechVolume) {
    ASSERT_TRUE(m_pSound->addSpeech(kVoice, "Game over", false, true));
    m_pSound->setSpeechVolume(1.0f);
    const int l_handle = m_pSound->play(kVoice, 100, 0.0f);
    ASSERT_NE(l_handle, 0);
    // Collect the loudest trace over the first half second: speech has pauses.
    float l_loudest = 0.0f;
    for (int l_i = 0; l_i < 80; ++l_i) {
        pull(256);
        l_loudest = std::max(l_loudest, peak(m_pSound->getBusWave(2)));
    }
    EXPECT_GT(l_loudest, 0.05f);
    EXPECT_THAT(m_pSound->getBusWave(0), Each(0.0f));

    m_pSound->setSpeechVolume(0.0f);
    m_pSound->play(kVoice, 100, 0.0f);
    for (int l_i = 0; l_i < 20; ++l_i) ASSERT_THAT(pull(256), Each(0.0f));
}

TEST_F(SoundControllerTest, ReplacingAPlayingSoundStopsItsVoices) {
    ASSERT_TRUE(m_pSound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    const int l_old = m_pSound->play(kMusic, 100, 0.0f);
    pull(100);
    ASSERT_TRUE(m_pSound->addWav(kMusic, TestSounds::kConstantHalf, true, false));
    EXPECT_FALSE(m_pSound->isValidHandle(l_old));
    EXPECT_THAT(pull(100), Each(0.0f));

    const SoundEntry* l_pEntry = m_pSound->find(kMusic);
    ASSERT_NE(l_pEntry, nullptr);
    EXPECT_EQ(l_pEntry->kind, SoundEntry::kWav);
    EXPECT_EQ(l_pEntry->name, TestSounds::kConstantHalf);
    m_pSound->play(kMusic, 100, 0.0f);
    EXPECT_THAT(pull(100), Each(FloatEq(0.5f)));
}

TEST_F(SoundControllerTest, FailedAddChangesNothing) {
    EXPECT_FALSE(m_pSound->addWav(kEffect, "data/no-such-sound.wav", false, false));
    EXPECT_FALSE(m_pSound->addWavStream(kMusic, "data/no-such-music.ogg", true, true));
    const SoundEntry* l_pEntry = m_pSound->find(kEffect);
    ASSERT_NE(l_pEntry, nullptr);
    EXPECT_EQ(l_pEntry->name, TestSounds::kConstantHalf);
    EXPECT_EQ(m_pSound->find(kMusic), nullptr);
    EXPECT_EQ(m_pSound->play(kMusic, 100, 0.0f), 0);
}

TEST_F(SoundControllerTest, EntriesTellTheirKindNameAndDefaultSpeed) {
    ASSERT_TRUE(m_pSound->addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    ASSERT_TRUE(m_pSound->addSpeech(kVoice, "Ready", false, true));
    const struct {
        int id;
        int kind;
        std::string name;
    } l_cases[] = {{kEffect, SoundEntry::kWav, TestSounds::kConstantHalf},
                   {kMusic, SoundEntry::kStream, TestSounds::kToneOgg},
                   {kVoice, SoundEntry::kSpeech, "Ready"}};
    for (const auto& l_case : l_cases) {
        const SoundEntry* l_pEntry = m_pSound->find(l_case.id);
        ASSERT_NE(l_pEntry, nullptr) << l_case.id;
        EXPECT_EQ(l_pEntry->kind, l_case.kind) << l_case.id;
        EXPECT_EQ(l_pEntry->name, l_case.name) << l_case.id;
        EXPECT_EQ(l_pEntry->defaultSpeed, 1.0f) << l_case.id;
        EXPECT_NE(l_pEntry->source, nullptr) << l_case.id;
    }
}

TEST_F(SoundControllerTest, UnknownIdentifierPlaysNothing) {
    EXPECT_EQ(m_pSound->find(99), nullptr);
    EXPECT_EQ(m_pSound->play(99, 100, 0.0f), 0);
    EXPECT_THAT(pull(10), Each(0.0f));
}

TEST_F(SoundControllerTest, BusWaveHasTwoHundredFiftySixSamplesForRealBusesOnly) {
    EXPECT_EQ(m_pSound->getBusWave(0).size(), 256u);
    EXPECT_EQ(m_pSound->getBusWave(2).size(), 256u);
    EXPECT_TRUE(m_pSound->getBusWave(-1).empty());
    EXPECT_TRUE(m_pSound->getBusWave(3).empty());
}

TEST_F(SoundControllerTest, StartingAgainKeepsTheEngineRunning) {
    const int l_handle = m_pSound->play(kEffect, 100, 0.0f);
    EXPECT_TRUE(m_pSound->start(true));
    EXPECT_TRUE(m_pSound->isValidHandle(l_handle));
}

TEST(SoundControllerStartTest, PlaysNothingBeforeStart) {
    SoundController l_sound(true, std::make_unique<Audio::OfflineOutput>());
    ASSERT_TRUE(l_sound.addWav(kEffect, TestSounds::kConstantHalf, false, false));
    EXPECT_EQ(l_sound.play(kEffect, 100, 0.0f), 0);
}

// A machine without a sound device still plays the game, silently.
TEST(SoundControllerStartTest, FailsWhenNoOutputDeviceOpensAndGoesOnWithSoundOff) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundController l_sound(true);
    EXPECT_FALSE(l_sound.start(true));
    EXPECT_FALSE(l_sound.addWav(kEffect, TestSounds::kConstantHalf, false, false));
    EXPECT_EQ(l_sound.play(kEffect, 100, 0.0f), 0);
    EXPECT_EQ(l_sound.getMasterVolume(), 0.0f);
    EXPECT_TRUE(l_sound.getBusWave(0).empty());
    EXPECT_TRUE(l_sound.start(true));
}

TEST(SoundControllerStartTest, StartsOnTheDummyDriver) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundController l_sound(true);
    EXPECT_TRUE(l_sound.start(true));
}

TEST(SoundOffTest, EveryCallIsHarmlessAndNeutral) {
    SoundController l_sound(false);
    EXPECT_TRUE(l_sound.start(true));
    EXPECT_FALSE(l_sound.addWav(kEffect, TestSounds::kConstantHalf, false, false));
    EXPECT_FALSE(l_sound.addWavStream(kMusic, TestSounds::kToneOgg, true, true));
    EXPECT_FALSE(l_sound.addSpeech(kVoice, "Hello", false, true));
    EXPECT_EQ(l_sound.find(kEffect), nullptr);
    EXPECT_EQ(l_sound.play(kEffect, 100, 0.0f), 0);
    EXPECT_FALSE(l_sound.isValidHandle(1));
    l_sound.stop(1);
    l_sound.stopAll();
    l_sound.setSoundVolume(0.5f);
    l_sound.setMusicVolume(0.5f);
    l_sound.setSpeechVolume(0.5f);
    l_sound.setMasterVolume(0.5f);
    EXPECT_EQ(l_sound.getSoundVolume(), 0.0f);
    EXPECT_EQ(l_sound.getMusicVolume(), 0.0f);
    EXPECT_EQ(l_sound.getSpeechVolume(), 0.0f);
    EXPECT_EQ(l_sound.getMasterVolume(), 0.0f);
    EXPECT_TRUE(l_sound.getBusWave(2).empty());
}

}  // namespace
