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
    : m_pOutput(std::move(output)), m_buses(static_cast<std::size_t>(std::max(busCount, 0))) {}

Engine::~Engine() { stop(); }

bool Engine::start() {
    if (m_started) return true;
    m_started = m_pOutput->open(*this);
    return m_started;
}

void Engine::stop() {
    if (!m_started) return;
    m_pOutput->close();
    std::lock_guard<std::mutex> l_lock(m_lock);
    for (Slot& l_slot : m_slots) l_slot.voice.clear();
    m_started = false;
}

bool Engine::isStarted() const { return m_started; }

int Engine::sampleRate() const { return m_started ? m_pOutput->sampleRate() : 0; }

Handle Engine::play(const Source& source, float volume, int bus) {
    if (!m_started || !busExists(bus)) return 0;
    // Open the reader (a streamed file, perhaps) before taking the lock the mixer waits on.
    std::unique_ptr<SourceReader> l_pReader = source.createReader();
    if (!l_pReader) return 0;
    std::lock_guard<std::mutex> l_lock(m_lock);
    if (source.isSingleInstance()) {
        for (Slot& l_slot : m_slots)
            if (l_slot.voice.isActive() && l_slot.voice.sourceId() == source.id()) l_slot.voice.clear();
    }
    for (std::size_t l_i = 0; l_i < m_slots.size(); ++l_i) {
        Slot& l_slot = m_slots[l_i];
        if (l_slot.voice.isActive()) continue;
        if (!l_slot.voice.start(std::move(l_pReader), source, bus, volume)) return 0;
        l_slot.generation = (l_slot.generation + 1) & kGenerationMask;
        return makeHandle(l_i, l_slot.generation);
    }
    return 0;
}

void Engine::setRelativePlaySpeed(Handle handle, float speed) {
    std::lock_guard<std::mutex> l_lock(m_lock);
    if (Voice* l_pVoice = findVoice(handle)) l_pVoice->setSpeed(speed);
}

void Engine::stopVoice(Handle handle) {
    std::lock_guard<std::mutex> l_lock(m_lock);
    if (Voice* l_pVoice = findVoice(handle)) l_pVoice->clear();
}

void Engine::stopSource(const Source& source) {
    std::lock_guard<std::mutex> l_lock(m_lock);
    for (Slot& l_slot : m_slots)
        if (l_slot.voice.isActive() && l_slot.voice.sourceId() == source.id()) l_slot.voice.clear();
}

void Engine::stopAll() {
    std::lock_guard<std::mutex> l_lock(m_lock);
    for (Slot& l_slot : m_slots) l_slot.voice.clear();
}

bool Engine::isValid(Handle handle) const {
    std::lock_guard<std::mutex> l_lock(m_lock);
    return findVoice(handle) != nullptr;
}

void Engine::setGlobalVolume(float volume) {
    std::lock_guard<std::mutex> l_lock(m_lock);
    m_globalVolume = volume;
}

float Engine::globalVolume() const {
    std::lock_guard<std::mutex> l_lock(m_lock);
    return m_globalVolume;
}

void Engine::setBusCapture(int bus, bool capture) {
    std::lock_guard<std::mutex> l_lock(m_lock);
    if (busExists(bus)) m_buses[static_cast<std::size_t>(bus)].capturing = capture;
}

std::array<float, WaveCapture::kSize> Engine::busWave(int bus) const {
    std::lock_guard<std::mutex> l_lock(m_lock);
    if (!busExists(bus)) return {};
    return m_buses[static_cast<std::size_t>(bus)].capture.wave();
}

void Engine::mix(float* stereo, std::size_t frames) {
    std::lock_guard<std::mutex> l_lock(m_lock);
    const int l_sampleRate = m_pOutput->sampleRate();
    while (frames > 0) {
        const std::size_t l_chunk = std::min(frames, kChunkFrames);
        mixChunk(stereo, l_chunk, l_sampleRate);
        stereo += 2 * l_chunk;
        frames -= l_chunk;
    }
}

void Engine::mixChunk(float* stereo, std::size_t frames, int sampleRate) {
    const std::size_t l_samples = 2 * frames;
    for (Bus& l_bus : m_buses)
        std::fill(l_bus.mix.begin(), l_bus.mix.begin() + static_cast<std::ptrdiff_t>(l_samples), 0.0f);
    for (Slot& l_slot : m_slots) {
        Voice& l_voice = l_slot.voice;
        if (l_voice.isActive() &&
            !l_voice.mixInto(m_buses[static_cast<std::size_t>(l_voice.bus())].mix.data(), frames, sampleRate))
            l_voice.clear();
    }
    std::fill(stereo, stereo + l_samples, 0.0f);
    for (Bus& l_bus : m_buses) {
        if (l_bus.capturing) l_bus.capture.push(l_bus.mix.data(), frames);
        for (std::size_t l_i = 0; l_i < l_samples; ++l_i) stereo[l_i] += l_bus.mix[l_i];
    }
    for (std::size_t l_i = 0; l_i < l_samples; ++l_i) stereo[l_i] = roundOff(stereo[l_i] * m_globalVolume);
}

Voice* Engine::findVoice(Handle handle) {
    return const_cast<Voice*>(static_cast<const Engine*>(this)->findVoice(handle));
}

const Voice* Engine::findVoice(Handle handle) const {
    const std::size_t l_slot = (handle & ((1u << kSlotBits) - 1)) - 1;
    if (handle == 0 || l_slot >= m_slots.size()) return nullptr;
    const Slot& l_entry = m_slots[l_slot];
    if (!l_entry.voice.isActive() || l_entry.generation != (handle >> kSlotBits)) return nullptr;
    return &l_entry.voice;
}

bool Engine::busExists(int bus) const { return bus >= 0 && static_cast<std::size_t>(bus) < m_buses.size(); }

}  // namespace Audio
