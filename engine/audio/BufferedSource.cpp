#include "engine/audio/BufferedSource.h"

#include <algorithm>

namespace Audio {

namespace {

class BufferReader : public SourceReader {
public:
    explicit BufferReader(std::shared_ptr<const SampleBuffer> samples) : m_samples(std::move(samples)) {}

    int sampleRate() const override { return m_samples->sampleRate; }

    std::size_t read(float* stereo, std::size_t frames) override {
        const std::size_t count = std::min(frames, m_samples->frameCount() - m_position);
        const float* pFrom = m_samples->stereo.data() + 2 * m_position;
        std::copy(pFrom, pFrom + 2 * count, stereo);
        m_position += count;
        return count;
    }

    bool rewind() override {
        m_position = 0;
        return true;
    }

private:
    std::shared_ptr<const SampleBuffer> m_samples;
    std::size_t m_position = 0;
};

}  // namespace

std::unique_ptr<SourceReader> BufferedSource::createReader() const {
    if (!m_samples) return nullptr;
    return std::make_unique<BufferReader>(m_samples);
}

std::size_t BufferedSource::frameCount() const { return m_samples ? m_samples->frameCount() : 0; }

int BufferedSource::sampleRate() const { return m_samples ? m_samples->sampleRate : 0; }

bool BufferedSource::setSamples(SampleBuffer samples) {
    if (samples.frameCount() == 0 || samples.sampleRate <= 0) return false;
    m_samples = std::make_shared<const SampleBuffer>(std::move(samples));
    return true;
}

}  // namespace Audio
