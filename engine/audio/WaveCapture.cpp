#include "engine/audio/WaveCapture.h"

#include <algorithm>

namespace Audio {

void WaveCapture::push(const float* stereo, std::size_t frames) {
    // Only the last kSize frames can survive, so skip the rest.
    const std::size_t skip = frames > kSize ? frames - kSize : 0;
    for (std::size_t i = skip; i < frames; ++i) {
        m_ring[m_next] = 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
        m_next = (m_next + 1) % kSize;
    }
}

std::array<float, WaveCapture::kSize> WaveCapture::wave() const {
    std::array<float, kSize> wave{};
    std::rotate_copy(m_ring.begin(), m_ring.begin() + static_cast<std::ptrdiff_t>(m_next), m_ring.end(), wave.begin());
    return wave;
}

}  // namespace Audio
