#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/audio/Speech.h"
#include "engine/audio/Wav.h"
#include "engine/audio/WavStream.h"
#include "tests/engine/audio/TestSounds.h"

namespace {

std::vector<float> readAll(Audio::SourceReader& reader) {
    std::vector<float> l_stereo;
    float l_block[2 * 300];
    while (const std::size_t l_read = reader.read(l_block, 300))
        l_stereo.insert(l_stereo.end(), l_block, l_block + 2 * l_read);
    return l_stereo;
}

float peak(const std::vector<float>& samples) {
    float l_peak = 0.0f;
    for (const float l_sample : samples) l_peak = std::max(l_peak, std::fabs(l_sample));
    return l_peak;
}

TEST(WavTest, LoadsMonoAsBothSides) {
    Audio::Wav l_wav;
    ASSERT_TRUE(l_wav.load(TestSounds::kConstantHalf));
    EXPECT_EQ(l_wav.sampleRate(), 44100);
    EXPECT_EQ(l_wav.frameCount(), static_cast<std::size_t>(TestSounds::kConstantHalfFrames));
    const std::vector<float> l_stereo = readAll(*l_wav.createReader());
    ASSERT_EQ(l_stereo.size(), 2u * TestSounds::kConstantHalfFrames);
    for (const float l_sample : l_stereo) ASSERT_EQ(l_sample, 0.5f);
}

TEST(WavTest, LoadsStereoSidesApart) {
    Audio::Wav l_wav;
    ASSERT_TRUE(l_wav.load(TestSounds::kStereoRamp));
    EXPECT_EQ(l_wav.sampleRate(), 22050);
    const std::vector<float> l_stereo = readAll(*l_wav.createReader());
    ASSERT_EQ(l_stereo.size(), 2u * TestSounds::kStereoRampFrames);
    EXPECT_FLOAT_EQ(l_stereo[2 * 1000], 0.5f * 1000 / TestSounds::kStereoRampFrames);
    EXPECT_FLOAT_EQ(l_stereo[2 * 1000 + 1], -0.5f * 1000 / TestSounds::kStereoRampFrames);
}

TEST(WavTest, DecodesOggVorbis) {
    Audio::Wav l_wav;
    ASSERT_TRUE(l_wav.load(TestSounds::kToneOgg));
    EXPECT_EQ(l_wav.sampleRate(), 44100);
    EXPECT_NEAR(static_cast<double>(l_wav.frameCount()), 22050.0, 100.0);
    EXPECT_NEAR(peak(readAll(*l_wav.createReader())), 0.5f, 0.05f);
}

TEST(WavTest, RefusesWhatIsNotASoundAndKeepsTheEarlierOne) {
    Audio::Wav l_wav;
    EXPECT_FALSE(l_wav.load("tests/engine/audio/data/no-such-file.wav"));
    EXPECT_FALSE(l_wav.load("tests/engine/audio/TestSounds.h"));
    EXPECT_FALSE(l_wav.load("tests/engine/audio/data"));
    EXPECT_EQ(l_wav.createReader(), nullptr);

    ASSERT_TRUE(l_wav.load(TestSounds::kConstantHalf));
    EXPECT_FALSE(l_wav.load("tests/engine/audio/data/no-such-file.wav"));
    EXPECT_EQ(l_wav.frameCount(), static_cast<std::size_t>(TestSounds::kConstantHalfFrames));
}

TEST(WavStreamTest, DecodesTheSameSamplesAsAWholeFileAndRewinds) {
    Audio::Wav l_wav;
    Audio::WavStream l_stream;
    ASSERT_TRUE(l_wav.load(TestSounds::kToneOgg));
    ASSERT_TRUE(l_stream.load(TestSounds::kToneOgg));
    const auto l_pReader = l_stream.createReader();
    ASSERT_NE(l_pReader, nullptr);
    EXPECT_EQ(l_pReader->sampleRate(), 44100);
    const std::vector<float> l_expected = readAll(*l_wav.createReader());
    EXPECT_EQ(readAll(*l_pReader), l_expected);
    ASSERT_TRUE(l_pReader->rewind());
    EXPECT_EQ(readAll(*l_pReader), l_expected);
}

TEST(WavStreamTest, RefusesAMissingFileAndHasNothingToReadBeforeALoad) {
    Audio::WavStream l_stream;
    EXPECT_EQ(l_stream.createReader(), nullptr);
    EXPECT_FALSE(l_stream.load("tests/engine/audio/data/no-such-file.ogg"));
    EXPECT_EQ(l_stream.createReader(), nullptr);
}

TEST(WavStreamTest, HasNothingToReadOnceItsFileIsGone) {
    const std::filesystem::path l_copy = std::filesystem::temp_directory_path() / "zelmo-stream-test.ogg";
    std::filesystem::copy_file(TestSounds::kToneOgg, l_copy, std::filesystem::copy_options::overwrite_existing);
    Audio::WavStream l_stream;
    ASSERT_TRUE(l_stream.load(l_copy.string()));
    std::filesystem::remove(l_copy);
    EXPECT_EQ(l_stream.createReader(), nullptr);
}

TEST(SpeechTest, SynthesisesAudibleSpeech) {
    Audio::Speech l_speech;
    ASSERT_TRUE(l_speech.setText("Game over"));
    EXPECT_GT(l_speech.sampleRate(), 0);
    // At least a fifth of a second of sound, and not silence.
    EXPECT_GT(l_speech.frameCount(), static_cast<std::size_t>(l_speech.sampleRate() / 5));
    EXPECT_GT(peak(readAll(*l_speech.createReader())), 0.05f);
}

TEST(SpeechTest, TextWithoutWordsSaysNothingAndKeepsTheEarlierSpeech) {
    Audio::Speech l_speech;
    EXPECT_FALSE(l_speech.setText(""));
    EXPECT_FALSE(l_speech.setText("   "));
    EXPECT_EQ(l_speech.createReader(), nullptr);

    ASSERT_TRUE(l_speech.setText("Yes"));
    const std::size_t l_frames = l_speech.frameCount();
    EXPECT_FALSE(l_speech.setText(""));
    EXPECT_EQ(l_speech.frameCount(), l_frames);
}

// The synthesiser is set up once per process, so this runs in a fresh one.
TEST(SpeechDeathTest, FailsCleanlyWithoutVoiceData) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::filesystem::path l_empty = std::filesystem::temp_directory_path() / "zelmo-no-voice-data";
            std::filesystem::create_directories(l_empty);
            setenv("ESPEAK_DATA_PATH", l_empty.c_str(), 1);
            Audio::Speech l_speech;
            std::exit(l_speech.setText("hello") ? 2 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
