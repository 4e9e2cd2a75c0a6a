#pragma once

#include <string>

#include "engine/audio/BufferedSource.h"

namespace Audio {

// A sound file decoded whole at load (WAV, Ogg Vorbis); voices resample it to the output rate.
class Wav : public BufferedSource {
public:
    // False, keeping what was loaded before, when the file is missing, not a sound, or empty.
    bool load(const std::string& path);
};

}  // namespace Audio
