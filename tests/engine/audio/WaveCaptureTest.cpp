#include <gtest/gtest.h>

#include <vector>

#include "engine/audio/WaveCapture.h"

namespace {

using Audio::WaveCapture;

std::vector<float> stereoCount(int from, int count) {
    std::vector<float> l_stereo;
    for (int l_i = from; l_i < from + count; ++l_i) {
        l_stereo.push_back(static_cast<float>(l_i) + 1.0f);
        l_stereo.push_back(static_cast<float>(l_i) - 1.0f);
    }
    return l_stereo;
}

TEST(WaveCaptureTest, StartsSilent) {
    for (const float l_sample : WaveCapture().wave()) EXPECT_EQ(l_sample, 0.0f);
}

TEST(WaveCaptureTest, KeepsTheLatestAveragedSamplesOldestFirst) {
    // Pushed in uneven pieces so that the ring wraps part-way through one of them.
    WaveCapture l_capture;
    int l_next = 0;
    for (const int l_piece : {100, 300, 50, 30}) {
        const std::vector<float> l_stereo = stereoCount(l_next, l_piece);
        l_capture.push(l_stereo.data(), static_cast<std::size_t>(l_piece));
        l_next += l_piece;
    }
    const auto l_wave = l_capture.wave();
    for (std::size_t l_i = 0; l_i < WaveCapture::kSize; ++l_i)
        ASSERT_EQ(l_wave[l_i],
                  static_cast<float>(l_next - static_cast<int>(WaveCapture::kSize) + static_cast<int>(l_i)))
            << l_i;
}

}  // namespace
