#include "engine/audio/WavStream.h"

#include "engine/audio/SoundFile.h"

namespace Audio {

namespace {

class StreamReader : public SourceReader {
public:
    explicit StreamReader(const std::string& path) : m_file(path) {}

    bool isOpen() const { return m_file.isOpen(); }

    int sampleRate() const override { return m_file.sampleRate(); }

    std::size_t read(float* stereo, std::size_t frames) override { return m_file.readStereo(stereo, frames); }

    bool rewind() override { return m_file.rewind(); }

private:
    SoundFile m_file;
};

}  // namespace

bool WavStream::load(const std::string& path) {
    if (!SoundFile(path).isOpen()) return false;
    m_path = path;
    return true;
}

std::unique_ptr<SourceReader> WavStream::createReader() const {
    if (m_path.empty()) return nullptr;
    auto pReader = std::make_unique<StreamReader>(m_path);
    if (!pReader->isOpen()) return nullptr;
    return pReader;
}

}  // namespace Audio
