#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/audio/Output.h"
#include "engine/audio/Source.h"
#include "engine/audio/Voice.h"
#include "engine/audio/WaveCapture.h"

namespace Audio {

// A playing voice, never 0. A handle whose voice has ended or been stopped reads invalid, even
// after its slot has been reused. Values stay below 2^31, so they fit an int.
using Handle = std::uint32_t;

// Stereo mixer: voices play on buses, each bus is summed at gain 1, the sum is scaled by the
// global volume and rounded off. Every operation may be called from the game thread while the
// output mixes on its own; they exclude each other through one lock.
class Engine {
public:
    static constexpr std::size_t kMaxVoices = 64;

    Engine(std::unique_ptr<Output> output, int busCount);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Opens the output; false when it does not open (start may be tried again). True when started.
    bool start();
    // Closes the output and ends every voice.
    void stop();
    bool isStarted() const;
    // The output's rate; 0 until started.
    int sampleRate() const;

    // 0 when the engine is not started, the bus does not exist, the source has nothing to play or
    // all kMaxVoices voices are busy. A single-instance source's earlier voices stop first.
    Handle play(const Source& source, float volume, int bus);
    // Speed relative to the source's own pace; values at or below 0 are ignored.
    void setRelativePlaySpeed(Handle handle, float speed);
    void stopVoice(Handle handle);
    void stopSource(const Source& source);
    void stopAll();
    bool isValid(Handle handle) const;

    // Scales the whole mix at once, playing voices included.
    void setGlobalVolume(float volume);
    float globalVolume() const;

    // A bus captures only while asked to; the wave keeps its last capture otherwise.
    void setBusCapture(int bus, bool capture);
    // The bus's last WaveCapture::kSize mixed samples, oldest first; zeros for a bus that does not exist.
    std::array<float, WaveCapture::kSize> busWave(int bus) const;

    // Called by the output: overwrites `frames` interleaved stereo frames with the next mix.
    void mix(float* stereo, std::size_t frames);

private:
    static constexpr std::size_t kChunkFrames = 256;

    struct Slot {
        Voice voice;
        std::uint32_t generation = 0;
    };

    struct Bus {
        std::vector<float> mix = std::vector<float>(2 * kChunkFrames);
        WaveCapture capture;
        bool capturing = false;
    };

    void mixChunk(float* stereo, std::size_t frames, int sampleRate);
    // The slot's voice when the handle names it and it still plays; null otherwise.
    Voice* findVoice(Handle handle);
    const Voice* findVoice(Handle handle) const;
    bool busExists(int bus) const;

    mutable std::mutex m_lock;
    std::unique_ptr<Output> m_output;
    bool m_started = false;
    float m_globalVolume = 1.0f;
    std::vector<Bus> m_buses;
    std::array<Slot, kMaxVoices> m_slots;
};

}  // namespace Audio
