#pragma once

#include <array>
#include <cstddef>

namespace Audio {

// The latest mixed samples of one bus, both sides averaged, for drawing the sound as a trace.
class WaveCapture {
public:
    static constexpr std::size_t kSize = 256;

    void push(const float* stereo, std::size_t frames);

    // Oldest first.
    std::array<float, kSize> wave() const;

private:
    std::array<float, kSize> m_ring{};
    std::size_t m_next = 0;
};

}  // namespace Audio
