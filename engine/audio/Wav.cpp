#include "engine/audio/Wav.h"

#include "engine/audio/SoundFile.h"

namespace Audio {

bool Wav::load(const std::string& path) {
    SoundFile file(path);
    if (!file.isOpen()) return false;
    // Read to the real end: a compressed file's announced length is only an estimate.
    constexpr std::size_t kChunkFrames = 4096;
    SampleBuffer samples;
    samples.sampleRate = file.sampleRate();
    std::size_t readCount = 0;
    do {
        const std::size_t start = samples.stereo.size();
        samples.stereo.resize(start + 2 * kChunkFrames);
        readCount = file.readStereo(samples.stereo.data() + start, kChunkFrames);
        samples.stereo.resize(start + 2 * readCount);
    } while (readCount == kChunkFrames);
    samples.stereo.shrink_to_fit();
    return setSamples(std::move(samples));
}

}  // namespace Audio
