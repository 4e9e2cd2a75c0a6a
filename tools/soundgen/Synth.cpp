#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace SoundGen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// splitmix64: small, and the same on every machine, unlike the standard distributions.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : m_state(seed) {}

    // Uniform in [-1, 1).
    double next() {
        std::uint64_t l_z = (m_state += 0x9E3779B97F4A7C15ull);
        l_z = (l_z ^ (l_z >> 30)) * 0xBF58476D1CE4E5B9ull;
        l_z = (l_z ^ (l_z >> 27)) * 0x94D049BB133111EBull;
        l_z ^= l_z >> 31;
        return static_cast<double>(l_z >> 11) / 4503599627370496.0 - 1.0;
    }

private:
    std::uint64_t m_state;
};

// Topology-preserving state-variable filter: stays stable while its cutoff moves every sample.
class Filter {
public:
    struct Out {
        double low;
        double high;
    };

    Out step(double input, double cutoff, double q, int rate) {
        const double l_g = std::tan(kPi * std::min(cutoff, 0.45 * rate) / rate);
        const double l_k = 1.0 / q;
        const double l_a1 = 1.0 / (1.0 + l_g * (l_g + l_k));
        const double l_a2 = l_g * l_a1;
        const double l_a3 = l_g * l_a2;
        const double l_v3 = input - m_ic2;
        const double l_v1 = l_a1 * m_ic1 + l_a2 * l_v3;
        const double l_v2 = m_ic2 + l_a2 * m_ic1 + l_a3 * l_v3;
        m_ic1 = 2.0 * l_v1 - m_ic1;
        m_ic2 = 2.0 * l_v2 - m_ic2;
        return {l_v2, input - l_k * l_v1 - l_v2};
    }

private:
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
};

// Smooths the corner of a band-limited step, so that square and saw waves do not alias into hiss.
double polyBlep(double phase, double step) {
    if (phase < step) {
        const double l_t = phase / step;
        return l_t + l_t - l_t * l_t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double l_t = (phase - 1.0) / step;
        return l_t * l_t + l_t + l_t + 1.0;
    }
    return 0.0;
}

double sweep(double from, double to, double u) { return from == to ? from : from * std::pow(to / from, u); }

double envelope(const Layer& layer, double t, double length) {
    if (t < layer.attack) return t / layer.attack;
    const double l_fallStart = layer.attack + layer.hold;
    if (t < l_fallStart || layer.curve == 0.0) return 1.0;
    const double l_fall = length - l_fallStart;
    if (l_fall <= 0.0) return 0.0;
    return std::pow(std::max(0.0, 1.0 - (t - l_fallStart) / l_fall), layer.curve);
}

}  // namespace

std::vector<float> renderLayer(const Layer& layer, double pitch, double length, int rate, std::uint64_t seed,
                               bool cycle) {
    const auto l_count = static_cast<std::size_t>(std::lround(length * rate));
    std::vector<float> l_samples(l_count);
    const std::size_t l_unheard = cycle ? l_count : 0;
    if (l_count == 0) return l_samples;
    Noise l_noise(seed);
    Filter l_lowpass;
    Filter l_highpass;
    double l_phase = 0.0;
    double l_held = l_noise.next();
    for (std::size_t l_n = 0; l_n < l_unheard + l_count; ++l_n) {
        const std::size_t l_i = l_n % l_count;
        const double l_t = static_cast<double>(l_i) / rate;
        const double l_u = l_t / length;
        double l_freq = pitch * sweep(layer.freqFrom, layer.freqTo, l_u);
        if (layer.vibratoDepth != 0.0)
            l_freq *= std::pow(2.0, layer.vibratoDepth / 12.0 * std::sin(2.0 * kPi * layer.vibratoRate * l_t));
        const double l_step = l_freq / rate;

        double l_value = 0.0;
        switch (layer.wave) {
            case Wave::Sine:
                l_value = std::sin(2.0 * kPi * l_phase);
                break;
            case Wave::Square:
                l_value = (l_phase < layer.duty ? 1.0 : -1.0) + polyBlep(l_phase, l_step) -
                          polyBlep(std::fmod(l_phase + 1.0 - layer.duty, 1.0), l_step);
                break;
            case Wave::Saw:
                l_value = 2.0 * l_phase - 1.0 - polyBlep(l_phase, l_step);
                break;
            case Wave::Triangle:
                l_value = 4.0 * std::fabs(l_phase - 0.5) - 1.0;
                break;
            case Wave::Noise:
                // A new value each time the phase wraps: pitched, grainy noise; white at rate 0.
                if (l_freq <= 0.0 || l_phase + l_step >= 1.0) l_held = l_noise.next();
                l_value = l_held;
                break;
        }
        l_phase += l_step;
        l_phase -= std::floor(l_phase);

        if (layer.lowpassFrom > 0.0)
            l_value =
                l_lowpass.step(l_value, pitch * sweep(layer.lowpassFrom, layer.lowpassTo, l_u), layer.resonance, rate)
                    .low;
        if (layer.highpass > 0.0) l_value = l_highpass.step(l_value, pitch * layer.highpass, 0.707, rate).high;
        if (layer.drive > 0.0) l_value = std::tanh(layer.drive * l_value) / std::tanh(layer.drive);
        double l_level = layer.gain * envelope(layer, l_t, length);
        if (layer.tremoloDepth != 0.0)
            l_level *= 1.0 - layer.tremoloDepth * (0.5 - 0.5 * std::cos(2.0 * kPi * layer.tremoloRate * l_t));
        if (l_n >= l_unheard) l_samples[l_i] = static_cast<float>(l_value * l_level);
    }
    return l_samples;
}

void mixInto(std::vector<float>& out, const std::vector<float>& voice, long offset, float gain, bool wrap) {
    const long l_size = static_cast<long>(out.size());
    for (std::size_t l_i = 0; l_i < voice.size(); ++l_i) {
        const long l_at = offset + static_cast<long>(l_i);
        if (l_at >= l_size && !wrap) break;
        out[static_cast<std::size_t>(l_at % l_size)] += gain * voice[l_i];
    }
}

void applyEcho(std::vector<float>& samples, const Echo& echo, int rate, bool wrap) {
    const auto l_delay = static_cast<std::size_t>(std::lround(echo.delay * rate));
    if (l_delay == 0 || l_delay >= samples.size()) return;
    const std::vector<float> l_dry = samples;
    // A loop goes round until the echoes that come back from its end have died away.
    const int l_rounds =
        wrap ? 1 + static_cast<int>(
                       std::ceil(std::log(1e-4) / std::log(std::max(echo.feedback, 1e-3)) * l_delay / samples.size()))
             : 1;
    for (int l_round = 0; l_round < l_rounds; ++l_round) {
        for (std::size_t l_i = 0; l_i < samples.size(); ++l_i) {
            if (l_i < l_delay && !wrap) continue;
            const std::size_t l_from = (l_i + samples.size() - l_delay) % samples.size();
            samples[l_i] = l_dry[l_i] + static_cast<float>(echo.feedback) * samples[l_from];
        }
    }
}

std::uint64_t seedOf(const std::string& name, std::uint64_t index) {
    std::uint64_t l_hash = 1469598103934665603ull;  // FNV-1a
    for (const unsigned char l_char : name) l_hash = (l_hash ^ l_char) * 1099511628211ull;
    return (l_hash ^ index) * 1099511628211ull;
}

}  // namespace SoundGen
