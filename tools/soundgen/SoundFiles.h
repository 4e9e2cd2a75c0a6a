#pragma once

#include <string>
#include <vector>

namespace SoundGen {

// Interleaved samples in [-1, 1] written through libsndfile in the given SF_FORMAT_* format.
void writeSoundFile(const std::string& path, const std::vector<float>& samples, int channels, int rate, int format);

// Ogg Vorbis at a quality of -0.1 .. 1, written with libvorbisenc under a fixed stream serial
// number, so that the same samples always give the same bytes.
void writeOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate, float quality);

struct SoundData {
    std::vector<float> samples;  // interleaved
    int channels = 0;
    int rate = 0;
};

// What a player would decode from the file.
SoundData readSoundFile(const std::string& path);

}  // namespace SoundGen
