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
    std::vector<float> l_samples(static_cast<std::size_t>(std::lround(effect.length * rate)), 0.0f);
    for (std::size_t l_i = 0; l_i < effect.layers.size(); ++l_i) {
        const Layer& l_layer = effect.layers[l_i];
        if (l_layer.length <= 0.0)
            throw std::runtime_error(effect.file + ": layer " + std::to_string(l_i) + " has no length");
        for (int l_k = 0; l_k < l_layer.repeat; ++l_k) {
            const double l_start = l_layer.start + l_k * l_layer.every;
            if (!effect.loop && l_start + l_layer.length > effect.length + kTimeSlack)
                throw std::runtime_error(effect.file + ": layer " + std::to_string(l_i) +
                                         " runs past the end of the sound");
            // A layer that lasts the whole loop sounds without end.
            const bool l_cycle = effect.loop && l_layer.length >= effect.length - kTimeSlack;
            const std::vector<float> l_voice =
                renderLayer(l_layer, 1.0, l_layer.length, rate, seedOf(effect.file, l_i * 1000 + l_k), l_cycle);
            mixInto(l_samples, l_voice, std::lround(l_start * rate), 1.0f, effect.loop);
        }
    }
    applyEcho(l_samples, effect.echo, rate, effect.loop);
    return l_samples;
}

void fadeOutEnd(std::vector<float>& samples, int channels, int rate) {
    const std::size_t l_frames = samples.size() / channels;
    const std::size_t l_fade = std::min<std::size_t>(l_frames, rate / 100);
    for (std::size_t l_i = 0; l_i < l_fade; ++l_i) {
        const float l_gain = static_cast<float>(l_i) / static_cast<float>(l_fade);
        for (int l_channel = 0; l_channel < channels; ++l_channel)
            samples[(l_frames - 1 - l_i) * channels + l_channel] *= l_gain;
    }
}

}  // namespace SoundGen
