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
    std::vector<float> stereo;
    float block[2 * 300];
    while (const std::size_t readCount = reader.read(block, 300))
        stereo.insert(stereo.end(), block, block + 2 * readCount);
    return stereo;
}

float peak(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (const float sample : samples) peak = std::max(peak, std::fabs(sample));
    return peak;
}

TEST(WavTest, LoadsMonoAsBothSides) {
    Audio::Wav wav;
    ASSERT_TRUE(wav.load(TestSounds::kConstantHalf));
    EXPECT_EQ(wav.sampleRate(), 44100);
    EXPECT_EQ(wav.frameCount(), static_cast<std::size_t>(TestSounds::kConstantHalfFrames));
    const std::vector<float> stereo = readAll(*wav.createReader());
    ASSERT_EQ(stereo.size(), 2u * TestSounds::kConstantHalfFrames);
    for (const float sample : stereo) ASSERT_EQ(sample, 0.5f);
}

TEST(WavTest, LoadsStereoSidesApart) {
    Audio::Wav wav;
    ASSERT_TRUE(wav.load(TestSounds::kStereoRamp));
    EXPECT_EQ(wav.sampleRate(), 22050);
    const std::vector<float> stereo = readAll(*wav.createReader());
    ASSERT_EQ(stereo.size(), 2u * TestSounds::kStereoRampFrames);
    EXPECT_FLOAT_EQ(stereo[2 * 1000], 0.5f * 1000 / TestSounds::kStereoRampFrames);
    EXPECT_FLOAT_EQ(stereo[2 * 1000 + 1], -0.5f * 1000 / TestSounds::kStereoRampFrames);
}

TEST(WavTest, DecodesOggVorbis) {
    Audio::Wav wav;
    ASSERT_TRUE(wav.load(TestSounds::kToneOgg));
    EXPECT_EQ(wav.sampleRate(), 44100);
    EXPECT_NEAR(static_cast<double>(wav.frameCount()), 22050.0, 100.0);
    EXPECT_NEAR(peak(readAll(*wav.createReader())), 0.5f, 0.05f);
}

TEST(WavTest, RefusesWhatIsNotASoundAndKeepsTheEarlierOne) {
    Audio::Wav wav;
    EXPECT_FALSE(wav.load("tests/engine/audio/data/no-such-file.wav"));
    EXPECT_FALSE(wav.load("tests/engine/audio/TestSounds.h"));
    EXPECT_FALSE(wav.load("tests/engine/audio/data"));
    EXPECT_EQ(wav.createReader(), nullptr);

    ASSERT_TRUE(wav.load(TestSounds::kConstantHalf));
    EXPECT_FALSE(wav.load("tests/engine/audio/data/no-such-file.wav"));
    EXPECT_EQ(wav.frameCount(), static_cast<std::size_t>(TestSounds::kConstantHalfFrames));
}

TEST(WavStreamTest, DecodesTheSameSamplesAsAWholeFileAndRewinds) {
    Audio::Wav wav;
    Audio::WavStream stream;
    ASSERT_TRUE(wav.load(TestSounds::kToneOgg));
    ASSERT_TRUE(stream.load(TestSounds::kToneOgg));
    const auto pReader = stream.createReader();
    ASSERT_NE(pReader, nullptr);
    EXPECT_EQ(pReader->sampleRate(), 44100);
    const std::vector<float> expected = readAll(*wav.createReader());
    EXPECT_EQ(readAll(*pReader), expected);
    ASSERT_TRUE(pReader->rewind());
    EXPECT_EQ(readAll(*pReader), expected);
}

TEST(WavStreamTest, RefusesAMissingFileAndHasNothingToReadBeforeALoad) {
    Audio::WavStream stream;
    EXPECT_EQ(stream.createReader(), nullptr);
    EXPECT_FALSE(stream.load("tests/engine/audio/data/no-such-file.ogg"));
    EXPECT_EQ(stream.createReader(), nullptr);
}

TEST(WavStreamTest, HasNothingToReadOnceItsFileIsGone) {
    const std::filesystem::path copy = std::filesystem::temp_directory_path() / "zelmo-stream-test.ogg";
    std::filesystem::copy_file(TestSounds::kToneOgg, copy, std::filesystem::copy_options::overwrite_existing);
    Audio::WavStream stream;
    ASSERT_TRUE(stream.load(copy.string()));
    std::filesystem::remove(copy);
    EXPECT_EQ(stream.createReader(), nullptr);
}

TEST(SpeechTest, SynthesisesAudibleSpeech) {
    Audio::Speech speech;
    ASSERT_TRUE(speech.setText("Game over"));
    EXPECT_GT(speech.sampleRate(), 0);
    // At least a fifth of a second of sound, and not silence.
    EXPECT_GT(speech.frameCount(), static_cast<std::size_t>(speech.sampleRate() / 5));
    EXPECT_GT(peak(readAll(*speech.createReader())), 0.05f);
}

TEST(SpeechTest, TextWithoutWordsSaysNothingAndKeepsTheEarlierSpeech) {
    Audio::Speech speech;
    EXPECT_FALSE(speech.setText(""));
    EXPECT_FALSE(speech.setText("   "));
    EXPECT_EQ(speech.createReader(), nullptr);

    ASSERT_TRUE(speech.setText("Yes"));
    const std::size_t frames = speech.frameCount();
    EXPECT_FALSE(speech.setText(""));
    EXPECT_EQ(speech.frameCount(), frames);
}

// The synthesiser is set up once per process, so this runs in a fresh one.
TEST(SpeechDeathTest, FailsCleanlyWithoutVoiceData) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::filesystem::path empty = std::filesystem::temp_directory_path() / "zelmo-no-voice-data";
            std::filesystem::create_directories(empty);
            setenv("ESPEAK_DATA_PATH", empty.c_str(), 1);
            Audio::Speech speech;
            std::exit(speech.setText("hello") ? 2 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
