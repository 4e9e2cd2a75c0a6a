#include "engine/audio/Engine.h"

#include <algorithm>

#include "engine/audio/RoundOff.h"

namespace Audio {

namespace {

// A handle packs the slot (low 8 bits, 1-based so that no handle is 0) and the slot's generation
// (the next 23 bits, so the handle stays a positive int).
constexpr std::uint32_t kSlotBits = 8;
constexpr std::uint32_t kGenerationMask = 0x7FFFFF;

Handle makeHandle(std::size_t slot, std::uint32_t generation) {
    return (generation << kSlotBits) | static_cast<Handle>(slot + 1);
}

}  // namespace

Engine::Engine(std::unique_ptr<Output> output, int busCount)
    : m_output(std::move(output)), m_buses(static_cast<std::size_t>(std::max(busCount, 0))) {}

Engine::~Engine() { stop(); }

bool Engine::start() {
    if (m_started) return true;
    m_started = m_output->open(*this);
    return m_started;
}

void Engine::stop() {
    if (!m_started) return;
    m_output->close();
    std::lock_guard<std::mutex> lock(m_lock);
    for (Slot& slot : m_slots) slot.voice.clear();
    m_started = false;
}

bool Engine::isStarted() const { return m_started; }

int Engine::sampleRate() const { return m_started ? m_output->sampleRate() : 0; }

Handle Engine::play(const Source& source, float volume, int bus) {
    if (!m_started || !busExists(bus)) return 0;
    // Open the reader (a streamed file, perhaps) before taking the lock the mixer waits on.
    std::unique_ptr<SourceReader> pReader = source.createReader();
    if (!pReader) return 0;
    std::lock_guard<std::mutex> lock(m_lock);
    if (source.isSingleInstance()) {
        for (Slot& slot : m_slots)
            if (slot.voice.isActive() && slot.voice.sourceId() == source.id()) slot.voice.clear();
    }
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        Slot& slot = m_slots[i];
        if (slot.voice.isActive()) continue;
        if (!slot.voice.start(std::move(pReader), source, bus, volume)) return 0;
        slot.generation = (slot.generation + 1) & kGenerationMask;
        return makeHandle(i, slot.generation);
    }
    return 0;
}

void Engine::setRelativePlaySpeed(Handle handle, float speed) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (Voice* pVoice = findVoice(handle)) pVoice->setSpeed(speed);
}

void Engine::stopVoice(Handle handle) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (Voice* pVoice = findVoice(handle)) pVoice->clear();
}

void Engine::stopSource(const Source& source) {
    std::lock_guard<std::mutex> lock(m_lock);
    for (Slot& slot : m_slots)
        if (slot.voice.isActive() && slot.voice.sourceId() == source.id()) slot.voice.clear();
}

void Engine::stopAll() {
    std::lock_guard<std::mutex> lock(m_lock);
    for (Slot& slot : m_slots) slot.voice.clear();
}

bool Engine::isValid(Handle handle) const {
    std::lock_guard<std::mutex> lock(m_lock);
    return findVoice(handle) != nullptr;
}

void Engine::setGlobalVolume(float volume) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_globalVolume = volume;
}

float Engine::globalVolume() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_globalVolume;
}

void Engine::setBusCapture(int bus, bool capture) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (busExists(bus)) m_buses[static_cast<std::size_t>(bus)].capturing = capture;
}

std::array<float, WaveCapture::kSize> Engine::busWave(int bus) const {
    std::lock_guard<std::mutex> lock(m_lock);
    if (!busExists(bus)) return {};
    return m_buses[static_cast<std::size_t>(bus)].capture.wave();
}

void Engine::mix(float* stereo, std::size_t frames) {
    std::lock_guard<std::mutex> lock(m_lock);
    const int sampleRate = m_output->sampleRate();
    while (frames > 0) {
        const std::size_t chunk = std::min(frames, kChunkFrames);
        mixChunk(stereo, chunk, sampleRate);
        stereo += 2 * chunk;
        frames -= chunk;
    }
}

void Engine::mixChunk(float* stereo, std::size_t frames, int sampleRate) {
    const std::size_t samples = 2 * frames;
    for (Bus& bus : m_buses) std::fill(bus.mix.begin(), bus.mix.begin() + static_cast<std::ptrdiff_t>(samples), 0.0f);
    for (Slot& slot : m_slots) {
        Voice& voice = slot.voice;
        if (voice.isActive() &&
            !voice.mixInto(m_buses[static_cast<std::size_t>(voice.bus())].mix.data(), frames, sampleRate))
            voice.clear();
    }
    std::fill(stereo, stereo + samples, 0.0f);
    for (Bus& bus : m_buses) {
        if (bus.capturing) bus.capture.push(bus.mix.data(), frames);
        for (std::size_t i = 0; i < samples; ++i) stereo[i] += bus.mix[i];
    }
    for (std::size_t i = 0; i < samples; ++i) stereo[i] = roundOff(stereo[i] * m_globalVolume);
}

Voice* Engine::findVoice(Handle handle) {
    return const_cast<Voice*>(static_cast<const Engine*>(this)->findVoice(handle));
}

const Voice* Engine::findVoice(Handle handle) const {
    const std::size_t slot = (handle & ((1u << kSlotBits) - 1)) - 1;
    if (handle == 0 || slot >= m_slots.size()) return nullptr;
    const Slot& entry = m_slots[slot];
    if (!entry.voice.isActive() || entry.generation != (handle >> kSlotBits)) return nullptr;
    return &entry.voice;
}

bool Engine::busExists(int bus) const { return bus >= 0 && static_cast<std::size_t>(bus) < m_buses.size(); }

}  // namespace Audio
