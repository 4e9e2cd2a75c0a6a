#pragma once

#include <memory>
#include <vector>

#include "engine/audio/Source.h"

namespace Audio {

// Decoded sound held in memory as interleaved stereo frames.
struct SampleBuffer {
    int sampleRate = 0;
    std::vector<float> stereo;

    std::size_t frameCount() const { return stereo.size() / 2; }
};

// A source whose whole sound is decoded before it plays. Voices share the samples, so replacing
// or freeing the source never pulls memory from under the mixer.
class BufferedSource : public Source {
public:
    std::unique_ptr<SourceReader> createReader() const override;

    // 0 until something is loaded.
    std::size_t frameCount() const;
    int sampleRate() const;

protected:
    // Takes the samples when they hold at least one frame; false (and nothing changes) otherwise.
    bool setSamples(SampleBuffer samples);

private:
    std::shared_ptr<const SampleBuffer> m_samples;
};

}  // namespace Audio
