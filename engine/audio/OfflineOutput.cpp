#include "engine/audio/OfflineOutput.h"

#include "engine/audio/Engine.h"

namespace Audio {

OfflineOutput::OfflineOutput(int sampleRate) : m_sampleRate(sampleRate) {}

bool OfflineOutput::open(Engine& engine) {
    m_pEngine = &engine;
    return true;
}

void OfflineOutput::close() { m_pEngine = nullptr; }

int OfflineOutput::sampleRate() const { return m_sampleRate; }

std::vector<float> OfflineOutput::pull(std::size_t frames) {
    std::vector<float> l_stereo(2 * frames, 0.0f);
    if (m_pEngine) m_pEngine->mix(l_stereo.data(), frames);
    return l_stereo;
}

}  // namespace Audio
