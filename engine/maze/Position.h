#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "engine/maze/SmallVector.h"

namespace Maze {

// A point or an extent in a maze of any number of dimensions: x first (grows to the right), then
// y (grows downward), then any further axes. Up to four coordinates live inside the object, so
// the positions of ordinary mazes never touch the heap; more spill into an allocation.
class Position {
public:
    using value_type = int32_t;
    using size_type = size_t;
    using iterator = int32_t*;
    using const_iterator = const int32_t*;

    Position() = default;
    Position(std::initializer_list<int32_t> coordinates) : m_coordinates(coordinates) {}
    // dimensions coordinates, all 0.
    explicit Position(size_t dimensions) { m_coordinates.assign(dimensions, 0); }

    size_t size() const { return m_coordinates.size(); }
    bool empty() const { return m_coordinates.empty(); }

    int32_t& operator[](size_t i) { return m_coordinates[i]; }
    int32_t operator[](size_t i) const { return m_coordinates[i]; }

    int32_t* begin() { return m_coordinates.begin(); }
    int32_t* end() { return m_coordinates.end(); }
    const int32_t* begin() const { return m_coordinates.begin(); }
    const int32_t* end() const { return m_coordinates.end(); }

    void push_back(int32_t coordinate) { m_coordinates.push_back(coordinate); }

    // Equal when both have the same number of coordinates and every coordinate matches.
    bool operator==(const Position& other) const {
        if (size() != other.size()) return false;
        // A plain loop: positions are short, and a library compare would call memcmp.
        for (size_t i = 0; i < size(); ++i) {
            if (m_coordinates[i] != other.m_coordinates[i]) return false;
        }
        return true;
    }
    bool operator!=(const Position& other) const { return !(*this == other); }

private:
    SmallVector<int32_t, 4> m_coordinates;
};

// Coordinate-wise sum, as long as position; missing offset entries count as 0, extra ones are
// ignored.
Position offsetPosition(const Position& position, const Position& offset);

}  // namespace Maze
