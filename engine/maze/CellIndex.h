#pragma once
#include <cstddef>
#include <vector>

#include "engine/maze/Position.h"

namespace Maze {

// One slot per cell of a maze's box, row-major over its axes (x fastest). Every cell the
// generator floods lies in the box, so a plain array finds a cell's slot with a few multiplies
// instead of hashing, and cells next to each other along x share cache lines.
template <typename T>
class CellIndex {
public:
    // Large enough for any box a flood can fill in memory; a slot per cell of a larger box
    // would itself take gigabytes.
    static constexpr size_t kMostCells = size_t(1) << 28;

    // Empties the index and sizes it for a box of the given extents, every slot null; false,
    // leaving the index empty, when the box has more than kMostCells cells.
    bool reset(const Position& box) {
        clear();
        size_t cells = 1;
        for (int32_t extent : box) {
            cells *= size_t(extent > 0 ? extent : 0);
            if (cells > kMostCells) return false;
        }
        m_box = box;
        m_slots.assign(cells, nullptr);
        return true;
    }
    void clear() {
        m_box = Position();
        std::vector<T*>().swap(m_slots);
    }

    // The slot of a position inside the box.
    T*& at(const Position& position) {
        size_t index = 0;
        for (size_t axis = m_box.size(); axis-- > 0;) {
            index = index * size_t(m_box[axis]) + size_t(position[axis]);
        }
        return m_slots[index];
    }

private:
    Position m_box;
    std::vector<T*> m_slots;
};

}  // namespace Maze
