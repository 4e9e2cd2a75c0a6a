#include "engine/audio/Voice.h"

namespace Audio {

bool Voice::start(std::unique_ptr<SourceReader> reader, const Source& source, int bus, float volume) {
    m_reader = std::move(reader);
    m_sourceId = source.id();
    m_looping = source.isLooping();
    m_bus = bus;
    m_volume = volume;
    m_speed = 1.0;
    m_fraction = 0.0;
    m_blockFrames = 0;
    m_blockPosition = 0;
    if (!m_reader || !nextFrame(m_previous.data())) {
        clear();
        return false;
    }
    m_sourceEnded = !nextFrame(m_current.data());
    return true;
}

void Voice::clear() { m_reader.reset(); }

bool Voice::isActive() const { return m_reader != nullptr; }

std::uint64_t Voice::sourceId() const { return m_sourceId; }

int Voice::bus() const { return m_bus; }

void Voice::setSpeed(float speed) {
    if (speed > 0.0f) m_speed = speed;
}

bool Voice::mixInto(float* stereo, std::size_t frames, int outputRate) {
    // Work on locals: the output may alias members as far as the compiler knows.
    const double step = m_speed * m_reader->sampleRate() / outputRate;
    const float volume = m_volume;
    std::array<float, 2> previous = m_previous;
    std::array<float, 2> current = m_current;
    double fraction = m_fraction;
    bool playing = true;
    for (std::size_t i = 0; i < frames && playing; ++i) {
        const auto t = static_cast<float>(fraction);
        stereo[2 * i] += volume * (previous[0] + (current[0] - previous[0]) * t);
        stereo[2 * i + 1] += volume * (previous[1] + (current[1] - previous[1]) * t);
        fraction += step;
        while (fraction >= 1.0) {
            if (m_sourceEnded) {
                playing = false;
                break;
            }
            fraction -= 1.0;
            previous = current;
            if (!nextFrame(current.data())) {
                current = {0.0f, 0.0f};
                m_sourceEnded = true;
            }
        }
    }
    m_previous = previous;
    m_current = current;
    m_fraction = fraction;
    return playing;
}

bool Voice::nextFrame(float* frame) {
    if (m_blockPosition == m_blockFrames && !refill()) return false;
    frame[0] = m_block[2 * m_blockPosition];
    frame[1] = m_block[2 * m_blockPosition + 1];
    ++m_blockPosition;
    return true;
}

bool Voice::refill() {
    m_blockFrames = m_reader->read(m_block.data(), kBlockFrames);
    if (m_blockFrames == 0 && m_looping && m_reader->rewind())
        m_blockFrames = m_reader->read(m_block.data(), kBlockFrames);
    m_blockPosition = 0;
    return m_blockFrames > 0;
}

}  // namespace Audio
