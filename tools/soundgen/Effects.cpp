#include "Effects.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "Synth.h"

namespace SoundGen {

namespace {

// Recipe times are decimal fractions that binary floating point cannot hold exactly.
constexpr double kTimeSlack = 1e-9;

}  // namespace

std::vector<float> renderEffect(const Effect& effect, int rate) {
    std::vector<float> samples(static_cast<std::size_t>(std::lround(effect.length * rate)), 0.0f);
    for (std::size_t i = 0; i < effect.layers.size(); ++i) {
        const Layer& layer = effect.layers[i];
        if (layer.length <= 0.0)
            throw std::runtime_error(effect.file + ": layer " + std::to_string(i) + " has no length");
        for (int k = 0; k < layer.repeat; ++k) {
            const double start = layer.start + k * layer.every;
            if (!effect.loop && start + layer.length > effect.length + kTimeSlack)
                throw std::runtime_error(effect.file + ": layer " + std::to_string(i) +
                                         " runs past the end of the sound");
            // A layer that lasts the whole loop sounds without end.
            const bool cycle = effect.loop && layer.length >= effect.length - kTimeSlack;
            const std::vector<float> voice =
                renderLayer(layer, 1.0, layer.length, rate, seedOf(effect.file, i * 1000 + k), cycle);
            mixInto(samples, voice, std::lround(start * rate), 1.0f, effect.loop);
        }
    }
    applyEcho(samples, effect.echo, rate, effect.loop);
    return samples;
}

void fadeOutEnd(std::vector<float>& samples, int channels, int rate) {
    const std::size_t frames = samples.size() / channels;
    const std::size_t fade = std::min<std::size_t>(frames, rate / 100);
    for (std::size_t i = 0; i < fade; ++i) {
        const float gain = static_cast<float>(i) / static_cast<float>(fade);
        for (int channel = 0; channel < channels; ++channel) samples[(frames - 1 - i) * channels + channel] *= gain;
    }
}

}  // namespace SoundGen
