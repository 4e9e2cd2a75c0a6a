#pragma once

#include <vector>

#include "Recipe.h"

namespace SoundGen {

// The piece's interleaved samples: stereo for Ogg pieces, mono for WAV ones, not yet normalised.
// Throws std::runtime_error naming the pattern, instrument or note that is wrong.
std::vector<float> renderPiece(const Piece& piece, int rate, int channels);

// Seconds the piece lasts: its bars, and its tail when it does not loop.
double pieceLength(const Piece& piece);

}  // namespace SoundGen
