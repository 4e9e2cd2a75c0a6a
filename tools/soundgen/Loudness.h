#pragma once

#include <string>
#include <vector>

namespace SoundGen {

// Every effect is brought to one loudness and the music to a lower one, both with headroom below
// the mixer's round-off knee (0.75), so that a sound playing alone reaches the output unchanged.
constexpr double kEffectLevelDb = -13.0;
constexpr double kMusicLevelDb = -20.0;
constexpr double kPeakLimitDb = -3.0;
// How far a written sound may stray from its level (a spiky sound is held down by its peak).
constexpr double kLevelToleranceDb = 3.0;

struct Level {
    double peakDb;
    double loudestDb;  // the highest RMS over any 50 ms: how loud the sound is at its loudest
};

// Of interleaved samples with the given channel count.
Level measure(const std::vector<float>& samples, int channels, int rate);

// Scales the samples to the level, or less where the peak limit would be passed.
void normalise(std::vector<float>& samples, int channels, int rate, double levelDb);

// Throws std::runtime_error naming the file when its level strays or its peak passes the limit
// (plus `peakSlackDb` for a lossy encoder's overshoot).
void checkLevel(const std::string& file, const std::vector<float>& samples, int channels, int rate, double levelDb,
                double peakSlackDb);

// Throws when a looping sound jumps at its seam: the step from its last frame to its first must
// be no larger than the steps inside it (their 99th percentile), or a click is heard on every loop.
void checkSeam(const std::string& file, const std::vector<float>& samples, int channels);

}  // namespace SoundGen
