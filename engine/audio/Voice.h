#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/audio/Source.h"

namespace Audio {

// One sound playing: reads its source in blocks and resamples it linearly to the output rate at
// its relative speed. Owned by the engine, which serialises every call with the mixer.
class Voice {
public:
    // Primes the first two frames; false (and the voice stays idle) when the source has none.
    bool start(std::unique_ptr<SourceReader> reader, const Source& source, int bus, float volume);
    void clear();

    bool isActive() const;
    std::uint64_t sourceId() const;
    int bus() const;

    // Speeds at or below 0 are ignored.
    void setSpeed(float speed);

    // Adds `frames` frames, scaled by the voice's volume, into `stereo`. False when the sound
    // ended on the way; the frames after its end are left alone.
    bool mixInto(float* stereo, std::size_t frames, int outputRate);

private:
    static constexpr std::size_t kBlockFrames = 256;

    bool nextFrame(float* frame);
    bool refill();

    std::unique_ptr<SourceReader> m_reader;
    std::uint64_t m_sourceId = 0;
    bool m_looping = false;
    int m_bus = 0;
    float m_volume = 1.0f;
    double m_speed = 1.0;

    // Output frames are interpolated between m_previous and m_current at m_fraction.
    std::array<float, 2> m_previous{};
    std::array<float, 2> m_current{};
    double m_fraction = 0.0;
    bool m_sourceEnded = false;  // m_current is the silence after the last frame

    std::array<float, 2 * kBlockFrames> m_block{};
    std::size_t m_blockFrames = 0;
    std::size_t m_blockPosition = 0;
};

}  // namespace Audio
