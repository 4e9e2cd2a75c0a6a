#pragma once

#include <cstdint>
#include <vector>

namespace Vector {

// Texels (B, G, R, A bytes, row by row) of the square line-profile texture: white everywhere,
// alpha falling off exponentially with the distance from the centre to 1/256 at the edge of
// the inscribed circle. A line quad maps its width across u, so the texture draws a bright core
// that fades into a soft edge.
std::vector<uint8_t> lineTextureTexels(int size);

// The stroke the display draws, baked from that profile texel by texel so that drawing takes one
// tap: with r the distance from the centre in half widths (recovered from the profile's alpha),
// alpha is the stroke exp(-r^2 / 0.45^2), a bright core fading to nothing at the edge, and red
// is how far the colour runs towards white in the hot middle of the core (0.6 at most). Blue
// and green are 0.
std::vector<uint8_t> strokeTextureTexels(int size);

}  // namespace Vector
