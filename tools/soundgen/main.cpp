// Generates the test sounds: signals whose mixed values a test can predict exactly (a constant
// level, a linear ramp) and one tone in Ogg Vorbis for the decoder and streaming paths.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct SoundSpec {
    const char* name;
    int format;
    int sampleRate;
    int channels;
    std::vector<float> samples;  // interleaved
};

bool writeSound(const std::string& folder, const SoundSpec& spec) {
    const std::string l_path = folder + "/" + spec.name;
    SF_INFO l_info{};
    l_info.samplerate = spec.sampleRate;
    l_info.channels = spec.channels;
    l_info.format = spec.format;
    SNDFILE* l_pFile = sf_open(l_path.c_str(), SFM_WRITE, &l_info);
    if (!l_pFile) {
        std::fprintf(stderr, "Cannot write %s: %s\n", l_path.c_str(), sf_strerror(nullptr));
        return false;
    }
    const sf_count_t l_frames = static_cast<sf_count_t>(spec.samples.size()) / spec.channels;
    const bool l_ok = sf_writef_float(l_pFile, spec.samples.data(), l_frames) == l_frames;
    sf_close(l_pFile);
    return l_ok;
}

// 0.1 s at exactly half scale: 16384 / 32768 survives 16-bit storage without rounding.
SoundSpec constantHalf() {
    return {"dc-half-mono-44100.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, std::vector<float>(4410, 0.5f)};
}

// 0.1 s at 22050 Hz, left rising from 0 to just under 0.5 and right its negative, stored as
// float so that resampled midpoints can be predicted exactly.
SoundSpec stereoRamp() {
    const int l_frames = 2205;
    std::vector<float> l_samples;
    for (int l_i = 0; l_i < l_frames; ++l_i) {
        const float l_value = 0.5f * static_cast<float>(l_i) / l_frames;
        l_samples.push_back(l_value);
        l_samples.push_back(-l_value);
    }
    return {"ramp-stereo-22050.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 22050, 2, l_samples};
}

// 0.5 s of a 440 Hz sine at half scale.
SoundSpec tone() {
    const int l_rate = 44100;
    const double l_pi = std::acos(-1.0);
    std::vector<float> l_samples;
    for (int l_i = 0; l_i < l_rate / 2; ++l_i)
        l_samples.push_back(static_cast<float>(0.5 * std::sin(2.0 * l_pi * 440.0 * l_i / l_rate)));
    return {"tone-440.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, l_rate, 1, l_samples};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen OUTPUT-FOLDER\n");
        return 2;
    }
    bool l_ok = true;
    for (const SoundSpec& l_spec : {constantHalf(), stereoRamp(), tone()}) l_ok = writeSound(argv[1], l_spec) && l_ok;
    return l_ok ? 0 : 1;
}
