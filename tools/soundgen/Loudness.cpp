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
    char l_text[32];
    std::snprintf(l_text, sizeof l_text, "%.1f dB", db);
    return l_text;
}

}  // namespace

Level measure(const std::vector<float>& samples, int channels, int rate) {
    double l_peak = 0.0;
    for (const float l_sample : samples) l_peak = std::max(l_peak, static_cast<double>(std::fabs(l_sample)));
    const std::size_t l_frames = samples.size() / channels;
    const std::size_t l_window = std::min<std::size_t>(l_frames, rate / 20);
    const std::size_t l_hop = std::max<std::size_t>(1, rate / 200);
    double l_loudest = 0.0;
    for (std::size_t l_from = 0; l_window > 0 && l_from + l_window <= l_frames; l_from += l_hop) {
        double l_sum = 0.0;
        for (std::size_t l_i = l_from * channels; l_i < (l_from + l_window) * channels; ++l_i)
            l_sum += static_cast<double>(samples[l_i]) * samples[l_i];
        l_loudest = std::max(l_loudest, std::sqrt(l_sum / (l_window * channels)));
    }
    return {toDb(l_peak), toDb(l_loudest)};
}

void normalise(std::vector<float>& samples, int channels, int rate, double levelDb) {
    const Level l_level = measure(samples, channels, rate);
    const double l_gainDb = std::min(levelDb - l_level.loudestDb, kPeakLimitDb - l_level.peakDb);
    const auto l_gain = static_cast<float>(fromDb(l_gainDb));
    for (float& l_sample : samples) l_sample *= l_gain;
}

void checkLevel(const std::string& file, const std::vector<float>& samples, int channels, int rate, double levelDb,
                double peakSlackDb) {
    const Level l_level = measure(samples, channels, rate);
    if (l_level.peakDb > kPeakLimitDb + peakSlackDb)
        throw std::runtime_error(file + ": peak " + formatDb(l_level.peakDb) + " above the limit " +
                                 formatDb(kPeakLimitDb));
    if (std::fabs(l_level.loudestDb - levelDb) > kLevelToleranceDb)
        throw std::runtime_error(file + ": loudness " + formatDb(l_level.loudestDb) + " is not within " +
                                 formatDb(kLevelToleranceDb) + " of " + formatDb(levelDb) +
                                 " (too spiky: soften its peaks, or lengthen its loud part)");
}

void checkSeam(const std::string& file, const std::vector<float>& samples, int channels) {
    const std::size_t l_frames = samples.size() / channels;
    for (int l_channel = 0; l_channel < channels; ++l_channel) {
        std::vector<float> l_steps;
        for (std::size_t l_i = 1; l_i < l_frames; ++l_i)
            l_steps.push_back(
                std::fabs(samples[l_i * channels + l_channel] - samples[(l_i - 1) * channels + l_channel]));
        const std::size_t l_rank = l_steps.size() * 99 / 100;
        std::nth_element(l_steps.begin(), l_steps.begin() + static_cast<long>(l_rank), l_steps.end());
        const float l_seam = std::fabs(samples[l_channel] - samples[(l_frames - 1) * channels + l_channel]);
        if (l_seam > l_steps[l_rank])
            throw std::runtime_error(file + ": the loop jumps by " + std::to_string(l_seam) +
                                     " at its seam, more than " + std::to_string(l_steps[l_rank]) + " inside it");
    }
}

}  // namespace SoundGen
