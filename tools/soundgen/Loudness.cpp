#include "Loudness.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace SoundGen {

namespace {

double toDb(double amplitude) { return 20.0 * std::log10(std::max(amplitude, 1e-9)); }

double fromDb(double db) { return std::pow(10.0, db / 20.0); }

std::string formatDb(double db) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", db);
    return text;
}

}  // namespace

Level measure(const std::vector<float>& samples, int channels, int rate) {
    double peak = 0.0;
    for (const float sample : samples) peak = std::max(peak, static_cast<double>(std::fabs(sample)));
    const std::size_t frames = samples.size() / channels;
    const std::size_t window = std::min<std::size_t>(frames, rate / 20);
    const std::size_t hop = std::max<std::size_t>(1, rate / 200);
    double loudest = 0.0;
    for (std::size_t from = 0; window > 0 && from + window <= frames; from += hop) {
        double sum = 0.0;
        for (std::size_t i = from * channels; i < (from + window) * channels; ++i)
            sum += static_cast<double>(samples[i]) * samples[i];
        loudest = std::max(loudest, std::sqrt(sum / (window * channels)));
    }
    return {toDb(peak), toDb(loudest)};
}

void normalise(std::vector<float>& samples, int channels, int rate, double levelDb) {
    const Level level = measure(samples, channels, rate);
    const double gainDb = std::min(levelDb - level.loudestDb, kPeakLimitDb - level.peakDb);
    const auto gain = static_cast<float>(fromDb(gainDb));
    for (float& sample : samples) sample *= gain;
}

void checkLevel(const std::string& file, const std::vector<float>& samples, int channels, int rate, double levelDb,
                double peakSlackDb) {
    const Level level = measure(samples, channels, rate);
    if (level.peakDb > kPeakLimitDb + peakSlackDb)
        throw std::runtime_error(file + ": peak " + formatDb(level.peakDb) + " above the limit " +
                                 formatDb(kPeakLimitDb));
    if (std::fabs(level.loudestDb - levelDb) > kLevelToleranceDb)
        throw std::runtime_error(file + ": loudness " + formatDb(level.loudestDb) + " is not within " +
                                 formatDb(kLevelToleranceDb) + " of " + formatDb(levelDb) +
                                 " (too spiky: soften its peaks, or lengthen its loud part)");
}

void checkSeam(const std::string& file, const std::vector<float>& samples, int channels) {
    const std::size_t frames = samples.size() / channels;
    for (int channel = 0; channel < channels; ++channel) {
        std::vector<float> steps;
        for (std::size_t i = 1; i < frames; ++i)
            steps.push_back(std::fabs(samples[i * channels + channel] - samples[(i - 1) * channels + channel]));
        const std::size_t rank = steps.size() * 99 / 100;
        std::nth_element(steps.begin(), steps.begin() + static_cast<long>(rank), steps.end());
        const float seam = std::fabs(samples[channel] - samples[(frames - 1) * channels + channel]);
        if (seam > steps[rank])
            throw std::runtime_error(file + ": the loop jumps by " + std::to_string(seam) + " at its seam, more than " +
                                     std::to_string(steps[rank]) + " inside it");
    }
}

}  // namespace SoundGen
