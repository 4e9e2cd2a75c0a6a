#include <gtest/gtest.h>

#include <vector>

#include "engine/audio/WaveCapture.h"

namespace {

using Audio::WaveCapture;

std::vector<float> stereoCount(int from, int count) {
    std::vector<float> stereo;
    for (int i = from; i < from + count; ++i) {
        stereo.push_back(static_cast<float>(i) + 1.0f);
        stereo.push_back(static_cast<float>(i) - 1.0f);
    }
    return stereo;
}

TEST(WaveCaptureTest, StartsSilent) {
    for (const float sample : WaveCapture().wave()) EXPECT_EQ(sample, 0.0f);
}

TEST(WaveCaptureTest, KeepsTheLatestAveragedSamplesOldestFirst) {
    // Pushed in uneven pieces so that the ring wraps part-way through one of them.
    WaveCapture capture;
    int next = 0;
    for (const int piece : {100, 300, 50, 30}) {
        const std::vector<float> stereo = stereoCount(next, piece);
        capture.push(stereo.data(), static_cast<std::size_t>(piece));
        next += piece;
    }
    const auto wave = capture.wave();
    for (std::size_t i = 0; i < WaveCapture::kSize; ++i)
        ASSERT_EQ(wave[i], static_cast<float>(next - static_cast<int>(WaveCapture::kSize) + static_cast<int>(i))) << i;
}

}  // namespace
