#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/audio/Output.h"
#include "engine/audio/SdlOutput.h"
#include "engine/sound/SoundEntry.h"

namespace Sound {

// The program's only way to make sound: sounds kept by identifier and played on three buses (0
// effects, 1 music, 2 speech) at a percentage scaled by their kind's volume. With sound off there
// is no engine at all, and every call does nothing and returns 0, false or an empty list (start
// returns true), so callers never test whether sound is on. Game thread only.
class SoundController {
public:
    static constexpr int kBusCount = 3;

    // The output is used only when sound is on; tests pass an offline one.
    explicit SoundController(bool soundOn,
                             std::unique_ptr<Audio::Output> output = std::make_unique<Audio::SdlOutput>());
    virtual ~SoundController();
    SoundController(const SoundController&) = delete;
    SoundController& operator=(const SoundController&) = delete;

    // Starts the engine, its buses capturing their waves when `visualise` is set. False when no
    // output device opens: sound is then off for the rest of the run, as if never asked for.
    bool start(bool visualise);

    // Each loads its sound first and returns false, changing nothing, when that fails. An
    // identifier already in use is replaced and its old sound's voices stop.
    bool addWav(int id, const std::string& path, bool looping, bool singleInstance);
    bool addWavStream(int id, const std::string& path, bool looping, bool singleInstance);
    bool addSpeech(int id, const std::string& text, bool looping, bool singleInstance);

    // Plays at volumePercent / 100 times the kind's volume. A speed of 0 means the entry's
    // default; negative speeds are ignored. Returns the voice handle, 0 when nothing plays.
    // Virtual so that tests can stand in a controller that records what the game plays.
    virtual int play(int id, int volumePercent, float speed);
    virtual void stop(int handle);
    virtual void stopAll();
    // Whether the voice still plays.
    bool isValidHandle(int handle) const;

    // False with sound off, also when no output device opened: then nothing plays and the
    // volumes read 0, whatever was asked for.
    bool isOn() const { return m_state != nullptr; }

    // Null when the identifier has no sound.
    const SoundEntry* find(int id) const;

    // Kind volumes are clamped to [0, 1] and apply to later plays only.
    void setSoundVolume(float volume);
    void setMusicVolume(float volume);
    void setSpeechVolume(float volume);
    // The global volume, clamped to [0, 1]; applies at once to everything playing.
    void setMasterVolume(float volume);
    float getSoundVolume() const;
    float getMusicVolume() const;
    float getSpeechVolume() const;
    float getMasterVolume() const;

    // The bus's last 256 mixed samples, oldest first (zeros until the engine has mixed). The list
    // is empty with sound off or for a bus outside 0..2, so index it only after checking its size.
    std::vector<float> getBusWave(int bus) const;

private:
    struct State;

    bool init(bool visualise);
    bool attach(int id, int kind, const std::string& name, std::unique_ptr<Audio::Source> source, bool looping,
                bool singleInstance);

    std::unique_ptr<State> m_state;
};

}  // namespace Sound
