#include "engine/audio/Voice.h"

namespace Audio {

bool Voice::start(std::unique_ptr<SourceReader> reader, const Source& source, int bus, float volume) {
    m_pReader = std::move(reader);
    m_sourceId = source.id();
    m_looping = source.isLooping();
    m_bus = bus;
    m_volume = volume;
    m_speed = 1.0;
    m_fraction = 0.0;
    m_blockFrames = 0;
    m_blockPosition = 0;
    if (!m_pReader || !nextFrame(m_previous.data())) {
        clear();
        return false;
    }
    m_sourceEnded = !nextFrame(m_current.data());
    return true;
}

void Voice::clear() { m_pReader.reset(); }

bool Voice::isActive() const { return m_pReader != nullptr; }

std::uint64_t Voice::sourceId() const { return m_sourceId; }

int Voice::bus() const { return m_bus; }

void Voice::setSpeed(float speed) {
    if (speed > 0.0f) m_speed = speed;
}

bool Voice::mixInto(float* stereo, std::size_t frames, int outputRate) {
    // Work on locals: the output may alias members as far as the compiler knows.
    const double l_step = m_speed * m_pReader->sampleRate() / outputRate;
    const float l_volume = m_volume;
    std::array<float, 2> l_previous = m_previous;
    std::array<float, 2> l_current = m_current;
    double l_fraction = m_fraction;
    bool l_playing = true;
    for (std::size_t l_i = 0; l_i < frames && l_playing; ++l_i) {
        const auto l_t = static_cast<float>(l_fraction);
        stereo[2 * l_i] += l_volume * (l_previous[0] + (l_current[0] - l_previous[0]) * l_t);
        stereo[2 * l_i + 1] += l_volume * (l_previous[1] + (l_current[1] - l_previous[1]) * l_t);
        l_fraction += l_step;
        while (l_fraction >= 1.0) {
            if (m_sourceEnded) {
                l_playing = false;
                break;
            }
            l_fraction -= 1.0;
            l_previous = l_current;
            if (!nextFrame(l_current.data())) {
                l_current = {0.0f, 0.0f};
                m_sourceEnded = true;
            }
        }
    }
    m_previous = l_previous;
    m_current = l_current;
    m_fraction = l_fraction;
    return l_playing;
}

bool Voice::nextFrame(float* frame) {
    if (m_blockPosition == m_blockFrames && !refill()) return false;
    frame[0] = m_block[2 * m_blockPosition];
    frame[1] = m_block[2 * m_blockPosition + 1];
    ++m_blockPosition;
    return true;
}

bool Voice::refill() {
    m_blockFrames = m_pReader->read(m_block.data(), kBlockFrames);
    if (m_blockFrames == 0 && m_looping && m_pReader->rewind())
        m_blockFrames = m_pReader->read(m_block.data(), kBlockFrames);
    m_blockPosition = 0;
    return m_blockFrames > 0;
}

}  // namespace Audio
