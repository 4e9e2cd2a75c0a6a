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
    if (soundOn) m_pState = std::make_unique<State>(std::move(output));
}

SoundController::~SoundController() = default;

bool SoundController::start(bool visualise) {
    if (!m_pState) return true;
    if (init(visualise)) return true;
    m_pState.reset();
    return false;
}

bool SoundController::init(bool visualise) {
    State& l_state = *m_pState;
    if (l_state.started) return true;
    if (!l_state.engine.start()) return false;
    l_state.engine.setGlobalVolume(1.0f);
    for (int l_bus = 0; l_bus < kBusCount; ++l_bus) l_state.engine.setBusCapture(l_bus, visualise);
    l_state.started = true;
    return true;
}

bool SoundController::addWav(int id, const std::string& path, bool looping, bool singleInstance) {
    if (!m_pState) return false;
    auto l_pSource = std::make_unique<Audio::Wav>();
    if (!l_pSource->load(path)) return false;
    return attach(id, SoundEntry::kWav, path, std::move(l_pSource), looping, singleInstance);
}

bool SoundController::addWavStream(int id, const std::string& path, bool looping, bool singleInstance) {
    if (!m_pState) return false;
    auto l_pSource = std::make_unique<Audio::WavStream>();
    if (!l_pSource->load(path)) return false;
    return attach(id, SoundEntry::kStream, path, std::move(l_pSource), looping, singleInstance);
}

bool SoundController::addSpeech(int id, const std::string& text, bool looping, bool singleInstance) {
    if (!m_pState) return false;
    auto l_pSource = std::make_unique<Audio::Speech>();
    if (!l_pSource->setText(text)) return false;
    return attach(id, SoundEntry::kSpeech, text, std::move(l_pSource), looping, singleInstance);
}

bool SoundController::attach(int id, int kind, const std::string& name, std::unique_ptr<Audio::Source> source,
                             bool looping, bool singleInstance) {
    source->setLooping(looping);
    source->setSingleInstance(singleInstance);
    SoundEntry& l_entry = m_pState->sounds[id];
    // A replaced sound is not heard again, not even the voices it already has.
    if (l_entry.source) m_pState->engine.stopSource(*l_entry.source);
    l_entry.kind = kind;
    l_entry.name = name;
    l_entry.source = std::move(source);
    return true;
}

int SoundController::play(int id, int volumePercent, float speed) {
    const SoundEntry* l_pEntry = find(id);
    if (!l_pEntry) return 0;
    const float l_volume = static_cast<float>(volumePercent) / 100.0f * m_pState->kindVolume(l_pEntry->kind);
    Audio::Engine& l_engine = m_pState->engine;
    const Audio::Handle l_handle = l_engine.play(*l_pEntry->source, l_volume, l_pEntry->kind);
    if (l_engine.isValid(l_handle))
        l_engine.setRelativePlaySpeed(l_handle, speed == 0.0f ? l_pEntry->defaultSpeed : speed);
    return static_cast<int>(l_handle);
}

void SoundController::stop(int handle) {
    if (m_pState) m_pState->engine.stopVoice(static_cast<Audio::Handle>(handle));
}

void SoundController::stopAll() {
    if (m_pState) m_pState->engine.stopAll();
}

bool SoundController::isValidHandle(int handle) const {
    return m_pState && m_pState->engine.isValid(static_cast<Audio::Handle>(handle));
}

const SoundEntry* SoundController::find(int id) const {
    if (!m_pState) return nullptr;
    const auto l_found = m_pState->sounds.find(id);
    return l_found == m_pState->sounds.end() ? nullptr : &l_found->second;
}

void SoundController::setSoundVolume(float volume) {
    if (m_pState) m_pState->effectsVolume = clampVolume(volume);
}

void SoundController::setMusicVolume(float volume) {
    if (m_pState) m_pState->musicVolume = clampVolume(volume);
}

void SoundController::setSpeechVolume(float volume) {
    if (m_pState) m_pState->speechVolume = clampVolume(volume);
}

void SoundController::setMasterVolume(float volume) {
    if (m_pState) m_pState->engine.setGlobalVolume(clampVolume(volume));
}

float SoundController::getSoundVolume() const { return m_pState ? m_pState->effectsVolume : 0.0f; }

float SoundController::getMusicVolume() const { return m_pState ? m_pState->musicVolume : 0.0f; }

float SoundController::getSpeechVolume() const { return m_pState ? m_pState->speechVolume : 0.0f; }

float SoundController::getMasterVolume() const { return m_pState ? m_pState->engine.globalVolume() : 0.0f; }

std::vector<float> SoundController::getBusWave(int bus) const {
    if (!m_pState || bus < 0 || bus >= kBusCount) return {};
    const auto l_wave = m_pState->engine.busWave(bus);
    return {l_wave.begin(), l_wave.end()};
}

}  // namespace Sound
