#include "engine/sound/SoundController.h"

#include <algorithm>
#include <map>

#include "engine/audio/Engine.h"
#include "engine/audio/Speech.h"
#include "engine/audio/Wav.h"
#include "engine/audio/WavStream.h"

namespace Sound {

namespace {

float clampVolume(float volume) { return std::clamp(volume, 0.0f, 1.0f); }

}  // namespace

struct SoundController::State {
    explicit State(std::unique_ptr<Audio::Output> output) : engine(std::move(output), kBusCount) {}

    // The mixer stops reading before any sound is freed.
    ~State() { engine.stop(); }

    bool started = false;
    float musicVolume = 1.0f;
    float effectsVolume = 1.0f;
    float speechVolume = 1.0f;
    Audio::Engine engine;
    std::map<int, SoundEntry> sounds;

    float kindVolume(int kind) const {
        switch (kind) {
            case SoundEntry::kWav:
                return effectsVolume;
            case SoundEntry::kStream:
                return musicVolume;
            default:
                return speechVolume;
        }
    }
};

SoundController::SoundController(bool soundOn, std::unique_ptr<Audio::Output> output) {
    if (soundOn) m_state = std::make_unique<State>(std::move(output));
}

SoundController::~SoundController() = default;

bool SoundController::start(bool visualise) {
    if (!m_state) return true;
    if (init(visualise)) return true;
    m_state.reset();
    return false;
}

bool SoundController::init(bool visualise) {
    State& state = *m_state;
    if (state.started) return true;
    if (!state.engine.start()) return false;
    state.engine.setGlobalVolume(1.0f);
    for (int bus = 0; bus < kBusCount; ++bus) state.engine.setBusCapture(bus, visualise);
    state.started = true;
    return true;
}

bool SoundController::addWav(int id, const std::string& path, bool looping, bool singleInstance) {
    if (!m_state) return false;
    auto pSource = std::make_unique<Audio::Wav>();
    if (!pSource->load(path)) return false;
    return attach(id, SoundEntry::kWav, path, std::move(pSource), looping, singleInstance);
}

bool SoundController::addWavStream(int id, const std::string& path, bool looping, bool singleInstance) {
    if (!m_state) return false;
    auto pSource = std::make_unique<Audio::WavStream>();
    if (!pSource->load(path)) return false;
    return attach(id, SoundEntry::kStream, path, std::move(pSource), looping, singleInstance);
}

bool SoundController::addSpeech(int id, const std::string& text, bool looping, bool singleInstance) {
    if (!m_state) return false;
    auto pSource = std::make_unique<Audio::Speech>();
    if (!pSource->setText(text)) return false;
    return attach(id, SoundEntry::kSpeech, text, std::move(pSource), looping, singleInstance);
}

bool SoundController::attach(int id, int kind, const std::string& name, std::unique_ptr<Audio::Source> source,
                             bool looping, bool singleInstance) {
    source->setLooping(looping);
    source->setSingleInstance(singleInstance);
    SoundEntry& entry = m_state->sounds[id];
    // A replaced sound is not heard again, not even the voices it already has.
    if (entry.source) m_state->engine.stopSource(*entry.source);
    entry.kind = kind;
    entry.name = name;
    entry.source = std::move(source);
    return true;
}

int SoundController::play(int id, int volumePercent, float speed) {
    const SoundEntry* pEntry = find(id);
    if (!pEntry) return 0;
    const float volume = static_cast<float>(volumePercent) / 100.0f * m_state->kindVolume(pEntry->kind);
    Audio::Engine& engine = m_state->engine;
    const Audio::Handle handle = engine.play(*pEntry->source, volume, pEntry->kind);
    if (engine.isValid(handle)) engine.setRelativePlaySpeed(handle, speed == 0.0f ? pEntry->defaultSpeed : speed);
    return static_cast<int>(handle);
}

void SoundController::stop(int handle) {
    if (m_state) m_state->engine.stopVoice(static_cast<Audio::Handle>(handle));
}

void SoundController::stopAll() {
    if (m_state) m_state->engine.stopAll();
}

bool SoundController::isValidHandle(int handle) const {
    return m_state && m_state->engine.isValid(static_cast<Audio::Handle>(handle));
}

const SoundEntry* SoundController::find(int id) const {
    if (!m_state) return nullptr;
    const auto found = m_state->sounds.find(id);
    return found == m_state->sounds.end() ? nullptr : &found->second;
}

void SoundController::setSoundVolume(float volume) {
    if (m_state) m_state->effectsVolume = clampVolume(volume);
}

void SoundController::setMusicVolume(float volume) {
    if (m_state) m_state->musicVolume = clampVolume(volume);
}

void SoundController::setSpeechVolume(float volume) {
    if (m_state) m_state->speechVolume = clampVolume(volume);
}

void SoundController::setMasterVolume(float volume) {
    if (m_state) m_state->engine.setGlobalVolume(clampVolume(volume));
}

float SoundController::getSoundVolume() const { return m_state ? m_state->effectsVolume : 0.0f; }

float SoundController::getMusicVolume() const { return m_state ? m_state->musicVolume : 0.0f; }

float SoundController::getSpeechVolume() const { return m_state ? m_state->speechVolume : 0.0f; }

float SoundController::getMasterVolume() const { return m_state ? m_state->engine.globalVolume() : 0.0f; }

std::vector<float> SoundController::getBusWave(int bus) const {
    if (!m_state || bus < 0 || bus >= kBusCount) return {};
    const auto wave = m_state->engine.busWave(bus);
    return {wave.begin(), wave.end()};
}

}  // namespace Sound
