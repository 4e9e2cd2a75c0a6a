#include "engine/maze/Position.h"

#include <algorithm>

namespace Maze {

Position offsetPosition(const Position& position, const Position& offset) {
    Position l_result(position);
    const size_t l_common = std::min(position.size(), offset.size());
    for (size_t l_i = 0; l_i < l_common; ++l_i) l_result[l_i] += offset[l_i];
    return l_result;
}

}  // namespace Maze
