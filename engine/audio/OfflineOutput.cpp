#include "engine/audio/OfflineOutput.h"

#include "engine/audio/Engine.h"

namespace Audio {

OfflineOutput::OfflineOutput(int sampleRate) : m_sampleRate(sampleRate) {}

bool OfflineOutput::open(Engine& engine) {
    m_engine = &engine;
    return true;
}

void OfflineOutput::close() { m_engine = nullptr; }

int OfflineOutput::sampleRate() const { return m_sampleRate; }

std::vector<float> OfflineOutput::pull(std::size_t frames) {
    std::vector<float> stereo(2 * frames, 0.0f);
    if (m_engine) m_engine->mix(stereo.data(), frames);
    return stereo;
}

}  // namespace Audio
