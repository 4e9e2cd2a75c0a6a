#include "engine/audio/SoundFile.h"

#include <sndfile.h>

#include <algorithm>

namespace Audio {

namespace {
constexpr std::size_t kScratchFrames = 1024;
}

SoundFile::SoundFile(const std::string& path) {
    SF_INFO info{};
    m_file = sf_open(path.c_str(), SFM_READ, &info);
    if (!m_file) return;
    if (info.frames <= 0 || info.samplerate <= 0 || info.channels <= 0) {
        sf_close(m_file);
        m_file = nullptr;
        return;
    }
    m_sampleRate = info.samplerate;
    m_channels = info.channels;
    if (m_channels != 2) m_scratch.resize(kScratchFrames * static_cast<std::size_t>(m_channels));
}

SoundFile::~SoundFile() {
    if (m_file) sf_close(m_file);
}

bool SoundFile::isOpen() const { return m_file != nullptr; }

int SoundFile::sampleRate() const { return m_sampleRate; }

std::size_t SoundFile::readStereo(float* stereo, std::size_t frames) {
    if (!m_file) return 0;
    if (m_channels == 2) {
        const sf_count_t readCount = sf_readf_float(m_file, stereo, static_cast<sf_count_t>(frames));
        return readCount > 0 ? static_cast<std::size_t>(readCount) : 0;
    }
    std::size_t done = 0;
    while (done < frames) {
        const auto want = static_cast<sf_count_t>(std::min(kScratchFrames, frames - done));
        const sf_count_t readCount = sf_readf_float(m_file, m_scratch.data(), want);
        if (readCount <= 0) break;
        for (sf_count_t i = 0; i < readCount; ++i) {
            const float* pFrame = m_scratch.data() + i * m_channels;
            float* pOut = stereo + 2 * (done + static_cast<std::size_t>(i));
            pOut[0] = pFrame[0];
            pOut[1] = m_channels == 1 ? pFrame[0] : pFrame[1];
        }
        done += static_cast<std::size_t>(readCount);
        if (readCount < want) break;
    }
    return done;
}

bool SoundFile::rewind() { return m_file && sf_seek(m_file, 0, SEEK_SET) == 0; }

}  // namespace Audio
