#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct sf_private_tag;

namespace Audio {

// A sound file opened for reading through libsndfile (WAV, Ogg Vorbis and the other formats it
// knows), read as interleaved stereo floats whatever its channel count.
class SoundFile {
public:
    explicit SoundFile(const std::string& path);
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    // False when the file is missing, not a sound, or holds no frames.
    bool isOpen() const;
    int sampleRate() const;

    // Mono is copied to both sides; of more channels the first two are kept. Returns the frames
    // read, fewer than asked only at the end of the file.
    std::size_t readStereo(float* stereo, std::size_t frames);

    bool rewind();

private:
    sf_private_tag* m_file = nullptr;
    int m_sampleRate = 0;
    int m_channels = 0;
    std::vector<float> m_scratch;  // one chunk in the file's own layout, when it is not stereo
};

}  // namespace Audio
