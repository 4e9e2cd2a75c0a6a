#pragma once

#include <cstdint>
#include <vector>

namespace Vector {

// Texels (B, G, R, A bytes, row by row) of the square line-profile texture: white everywhere,
// alpha falling off exponentially with the distance from the centre to 1/256 at the edge of
// the inscribed circle. A line quad maps its width across u, so the texture draws a bright core
// that fades into a soft edge.
std::vector<uint8_t> lineTextureTexels(int size);

}  // namespace Vector
