#pragma once

#include <string>

namespace SoundGen {

// The small sounds the audio tests play: signals whose mixed values a test can predict exactly (a
// constant level, a linear ramp) and one tone in Ogg Vorbis for the decoder and streaming paths.
void writeTestSounds(const std::string& folder);

}  // namespace SoundGen
