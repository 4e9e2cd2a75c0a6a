#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Recipe.h"

namespace SoundGen {

// The samples of one sounding of a layer, `length` seconds long, its frequencies multiplied by
// `pitch`. Noise comes from a generator seeded with `seed`, so the same call gives the same samples.
// With `cycle` the layer is one period of an endless sound: it first runs through a whole period
// unheard, so that its filters start in the state its own end leaves them in.
std::vector<float> renderLayer(const Layer& layer, double pitch, double length, int rate, std::uint64_t seed,
                               bool cycle = false);

// Adds `voice` times `gain` into `out` from sample `offset` on. With `wrap`, what runs past the end
// continues at the start; otherwise it is dropped (callers check in seconds that nothing is).
void mixInto(std::vector<float>& out, const std::vector<float>& voice, long offset, float gain, bool wrap);

// A feedback echo. With `wrap` the buffer is a loop: the echoes of its end sound at its start.
void applyEcho(std::vector<float>& samples, const Echo& echo, int rate, bool wrap);

// A seed that depends only on the words and numbers given.
std::uint64_t seedOf(const std::string& name, std::uint64_t index);

}  // namespace SoundGen
