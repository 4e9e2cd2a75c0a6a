#pragma once

#include <cstdint>

#include "engine/audio/Output.h"

namespace Audio {

// The sound card through SDL2's audio subsystem, mixing on SDL's audio thread. Where there is no
// card, SDL_AUDIODRIVER=dummy gives a device that consumes frames in real time.
class SdlOutput : public Output {
public:
    // The device may choose another rate; sampleRate() tells the one it took.
    explicit SdlOutput(int wantedRate = 44100, int bufferFrames = 1024);
    ~SdlOutput() override;

    bool open(Engine& engine) override;
    void close() override;
    int sampleRate() const override;

private:
    int m_wantedRate;
    int m_bufferFrames;
    int m_sampleRate = 0;
    std::uint32_t m_device = 0;
};

}  // namespace Audio
