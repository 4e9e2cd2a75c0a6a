#include "engine/audio/SoundFile.h"

#include <sndfile.h>

#include <algorithm>

namespace Audio {

namespace {
constexpr std::size_t kScratchFrames = 1024;
}

SoundFile::SoundFile(const std::string& path) {
    SF_INFO l_info{};
    m_pFile = sf_open(path.c_str(), SFM_READ, &l_info);
    if (!m_pFile) return;
    if (l_info.frames <= 0 || l_info.samplerate <= 0 || l_info.channels <= 0) {
        sf_close(m_pFile);
        m_pFile = nullptr;
        return;
    }
    m_sampleRate = l_info.samplerate;
    m_channels = l_info.channels;
    if (m_channels != 2) m_scratch.resize(kScratchFrames * static_cast<std::size_t>(m_channels));
}

SoundFile::~SoundFile() {
    if (m_pFile) sf_close(m_pFile);
}

bool SoundFile::isOpen() const { return m_pFile != nullptr; }

int SoundFile::sampleRate() const { return m_sampleRate; }

std::size_t SoundFile::readStereo(float* stereo, std::size_t frames) {
    if (!m_pFile) return 0;
    if (m_channels == 2) {
        const sf_count_t l_read = sf_readf_float(m_pFile, stereo, static_cast<sf_count_t>(frames));
        return l_read > 0 ? static_cast<std::size_t>(l_read) : 0;
    }
    std::size_t l_done = 0;
    while (l_done < frames) {
        const auto l_want = static_cast<sf_count_t>(std::min(kScratchFrames, frames - l_done));
        const sf_count_t l_read = sf_readf_float(m_pFile, m_scratch.data(), l_want);
        if (l_read <= 0) break;
        for (sf_count_t l_i = 0; l_i < l_read; ++l_i) {
            const float* l_pFrame = m_scratch.data() + l_i * m_channels;
            float* l_pOut = stereo + 2 * (l_done + static_cast<std::size_t>(l_i));
            l_pOut[0] = l_pFrame[0];
            l_pOut[1] = m_channels == 1 ? l_pFrame[0] : l_pFrame[1];
        }
        l_done += static_cast<std::size_t>(l_read);
        if (l_read < l_want) break;
    }
    return l_done;
}

bool SoundFile::rewind() { return m_pFile && sf_seek(m_pFile, 0, SEEK_SET) == 0; }

}  // namespace Audio
