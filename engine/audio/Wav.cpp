#include "engine/audio/Wav.h"

#include "engine/audio/SoundFile.h"

namespace Audio {

bool Wav::load(const std::string& path) {
    SoundFile l_file(path);
    if (!l_file.isOpen()) return false;
    // Read to the real end: a compressed file's announced length is only an estimate.
    constexpr std::size_t kChunkFrames = 4096;
    SampleBuffer l_samples;
    l_samples.sampleRate = l_file.sampleRate();
    std::size_t l_read = 0;
    do {
        const std::size_t l_start = l_samples.stereo.size();
        l_samples.stereo.resize(l_start + 2 * kChunkFrames);
        l_read = l_file.readStereo(l_samples.stereo.data() + l_start, kChunkFrames);
        l_samples.stereo.resize(l_start + 2 * l_read);
    } while (l_read == kChunkFrames);
    l_samples.stereo.shrink_to_fit();
    return setSamples(std::move(l_samples));
}

}  // namespace Audio
