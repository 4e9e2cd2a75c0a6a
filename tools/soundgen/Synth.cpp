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
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<double>(z >> 11) / 4503599627370496.0 - 1.0;
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
        const double g = std::tan(kPi * std::min(cutoff, 0.45 * rate) / rate);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = input - m_ic2;
        const double v1 = a1 * m_ic1 + a2 * v3;
        const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
        m_ic1 = 2.0 * v1 - m_ic1;
        m_ic2 = 2.0 * v2 - m_ic2;
        return {v2, input - k * v1 - v2};
    }

private:
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
};

// Smooths the corner of a band-limited step, so that square and saw waves do not alias into hiss.
double polyBlep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double sweep(double from, double to, double u) { return from == to ? from : from * std::pow(to / from, u); }

double envelope(const Layer& layer, double t, double length) {
    if (t < layer.attack) return t / layer.attack;
    const double fallStart = layer.attack + layer.hold;
    if (t < fallStart || layer.curve == 0.0) return 1.0;
    const double fall = length - fallStart;
    if (fall <= 0.0) return 0.0;
    return std::pow(std::max(0.0, 1.0 - (t - fallStart) / fall), layer.curve);
}

}  // namespace

std::vector<float> renderLayer(const Layer& layer, double pitch, double length, int rate, std::uint64_t seed,
                               bool cycle) {
    const auto count = static_cast<std::size_t>(std::lround(length * rate));
    std::vector<float> samples(count);
    const std::size_t unheard = cycle ? count : 0;
    if (count == 0) return samples;
    Noise noise(seed);
    Filter lowpass;
    Filter highpass;
    double phase = 0.0;
    double held = noise.next();
    for (std::size_t n = 0; n < unheard + count; ++n) {
        const std::size_t i = n % count;
        const double t = static_cast<double>(i) / rate;
        const double u = t / length;
        double freq = pitch * sweep(layer.freqFrom, layer.freqTo, u);
        if (layer.vibratoDepth != 0.0)
            freq *= std::pow(2.0, layer.vibratoDepth / 12.0 * std::sin(2.0 * kPi * layer.vibratoRate * t));
        const double step = freq / rate;

        double value = 0.0;
        switch (layer.wave) {
            case Wave::Sine:
                value = std::sin(2.0 * kPi * phase);
                break;
            case Wave::Square:
                value = (phase < layer.duty ? 1.0 : -1.0) + polyBlep(phase, step) -
                        polyBlep(std::fmod(phase + 1.0 - layer.duty, 1.0), step);
                break;
            case Wave::Saw:
                value = 2.0 * phase - 1.0 - polyBlep(phase, step);
                break;
            case Wave::Triangle:
                value = 4.0 * std::fabs(phase - 0.5) - 1.0;
                break;
            case Wave::Noise:
                // A new value each time the phase wraps: pitched, grainy noise; white at rate 0.
                if (freq <= 0.0 || phase + step >= 1.0) held = noise.next();
                value = held;
                break;
        }
        phase += step;
        phase -= std::floor(phase);

        if (layer.lowpassFrom > 0.0)
            value =
                lowpass.step(value, pitch * sweep(layer.lowpassFrom, layer.lowpassTo, u), layer.resonance, rate).low;
        if (layer.highpass > 0.0) value = highpass.step(value, pitch * layer.highpass, 0.707, rate).high;
        if (layer.drive > 0.0) value = std::tanh(layer.drive * value) / std::tanh(layer.drive);
        double level = layer.gain * envelope(layer, t, length);
        if (layer.tremoloDepth != 0.0)
            level *= 1.0 - layer.tremoloDepth * (0.5 - 0.5 * std::cos(2.0 * kPi * layer.tremoloRate * t));
        if (n >= unheard) samples[i] = static_cast<float>(value * level);
    }
    return samples;
}

void mixInto(std::vector<float>& out, const std::vector<float>& voice, long offset, float gain, bool wrap) {
    const long count = static_cast<long>(out.size());
    for (std::size_t i = 0; i < voice.size(); ++i) {
        const long at = offset + static_cast<long>(i);
        if (at >= count && !wrap) break;
        out[static_cast<std::size_t>(at % count)] += gain * voice[i];
    }
}

void applyEcho(std::vector<float>& samples, const Echo& echo, int rate, bool wrap) {
    const auto delay = static_cast<std::size_t>(std::lround(echo.delay * rate));
    if (delay == 0 || delay >= samples.size()) return;
    const std::vector<float> dry = samples;
    // A loop goes round until the echoes that come back from its end have died away.
    const int rounds = wrap ? 1 + static_cast<int>(std::ceil(std::log(1e-4) / std::log(std::max(echo.feedback, 1e-3)) *
                                                             delay / samples.size()))
                            : 1;
    for (int rounded = 0; rounded < rounds; ++rounded) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (i < delay && !wrap) continue;
            const std::size_t from = (i + samples.size() - delay) % samples.size();
            samples[i] = dry[i] + static_cast<float>(echo.feedback) * samples[from];
        }
    }
}

std::uint64_t seedOf(const std::string& name, std::uint64_t index) {
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (const unsigned char character : name) hash = (hash ^ character) * 1099511628211ull;
    return (hash ^ index) * 1099511628211ull;
}

}  // namespace SoundGen
