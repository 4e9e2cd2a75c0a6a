#include "TestSounds.h"

#include <sndfile.h>

#include <cmath>
#include <vector>

#include "SoundFiles.h"

namespace SoundGen {

void writeTestSounds(const std::string& folder) {
    // 0.1 s at exactly half scale: 16384 / 32768 survives 16-bit storage without rounding.
    writeSoundFile(folder + "/dc-half-mono-44100.wav", std::vector<float>(4410, 0.5f), 1, 44100,
                   SF_FORMAT_WAV | SF_FORMAT_PCM_16);

    // 0.1 s at 22050 Hz, left rising from 0 to just under 0.5 and right its negative, stored as
    // float so that resampled midpoints can be predicted exactly.
    const int rampFrames = 2205;
    std::vector<float> ramp;
    for (int i = 0; i < rampFrames; ++i) {
        const float value = 0.5f * static_cast<float>(i) / rampFrames;
        ramp.push_back(value);
        ramp.push_back(-value);
    }
    writeSoundFile(folder + "/ramp-stereo-22050.wav", ramp, 2, 22050, SF_FORMAT_WAV | SF_FORMAT_FLOAT);

    // 0.5 s of a 440 Hz sine at half scale.
    const int rate = 44100;
    const double pi = std::acos(-1.0);
    std::vector<float> tone;
    for (int i = 0; i < rate / 2; ++i) tone.push_back(static_cast<float>(0.5 * std::sin(2.0 * pi * 440.0 * i / rate)));
    writeOggVorbis(folder + "/tone-440.ogg", tone, 1, rate, 0.4f);
}

}  // namespace SoundGen
