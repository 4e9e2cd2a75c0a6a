#include "engine/maze/Position.h"

#include <algorithm>

namespace Maze {

Position offsetPosition(const Position& position, const Position& offset) {
    Position result(position);
    const size_t common = std::min(position.size(), offset.size());
    for (size_t i = 0; i < common; ++i) result[i] += offset[i];
    return result;
}

}  // namespace Maze
