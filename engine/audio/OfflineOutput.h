#pragma once

#include <cstddef>
#include <vector>

#include "engine/audio/Output.h"

namespace Audio {

// An output without a device: the caller pulls mixed frames when it wants them, on its own thread.
class OfflineOutput : public Output {
public:
    explicit OfflineOutput(int sampleRate = 44100);

    bool open(Engine& engine) override;
    void close() override;
    int sampleRate() const override;

    // The next `frames` interleaved stereo frames; silence while the output is closed.
    std::vector<float> pull(std::size_t frames);

private:
    int m_sampleRate;
    Engine* m_engine = nullptr;
};

}  // namespace Audio
