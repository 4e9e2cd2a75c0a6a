#pragma once

#include <vector>

#include "Recipe.h"

namespace SoundGen {

// The effect's mono samples, exactly its length, not yet normalised. Throws std::runtime_error
// when a layer of an effect that does not loop runs past its end.
std::vector<float> renderEffect(const Effect& effect, int rate);

// Fades the last few milliseconds of a sound that does not loop, so that it never stops on a click.
void fadeOutEnd(std::vector<float>& samples, int channels, int rate);

}  // namespace SoundGen
