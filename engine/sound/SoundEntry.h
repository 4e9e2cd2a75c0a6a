#pragma once

#include <memory>
#include <string>

#include "engine/audio/Source.h"

namespace Sound {

// One sound of the table, played by its identifier.
struct SoundEntry {
    // The kind also names the bus the sound plays on and the volume that scales it.
    static constexpr int kWav = 0;
    static constexpr int kStream = 1;
    static constexpr int kSpeech = 2;
    static constexpr int kNoSource = 3;

    int kind = kNoSource;
    float defaultSpeed = 1.0f;
    std::string name;  // the file path, or the spoken text
    std::unique_ptr<Audio::Source> source;
};

}  // namespace Sound
