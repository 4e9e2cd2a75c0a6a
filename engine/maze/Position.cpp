#include "engine/maze/Position.h"

#include <algorithm>

namespace Maze {

Position::Position(std::initializer_list<int32_t> coordinates) { assign(coordinates.begin(), coordinates.size()); }

Position::Position(size_t dimensions) {
    reserve(dimensions);
    std::fill_n(data(), dimensions, 0);
    m_size = uint32_t(dimensions);
}

Position::Position(const Position& other) { assign(other.data(), other.m_size); }

Position::Position(Position&& other) noexcept
    : m_inline(other.m_inline), m_heap(std::move(other.m_heap)), m_size(other.m_size), m_capacity(other.m_capacity) {
    other.m_size = 0;
    other.m_capacity = kInlineCapacity;
}

Position& Position::operator=(const Position& other) {
    if (this != &other) assign(other.data(), other.m_size);
    return *this;
}

Position& Position::operator=(Position&& other) noexcept {
    if (this != &other) {
        m_inline = other.m_inline;
        m_heap = std::move(other.m_heap);
        m_size = other.m_size;
        m_capacity = other.m_capacity;
        other.m_size = 0;
        other.m_capacity = kInlineCapacity;
    }
    return *this;
}

void Position::push_back(int32_t coordinate) {
    if (m_size == m_capacity) reserve(m_capacity * 2);
    data()[m_size++] = coordinate;
}

bool Position::operator==(const Position& other) const {
    if (m_size != other.m_size) return false;
    // A plain loop: positions are short, and a library compare would call memcmp.
    const int32_t* l_mine = data();
    const int32_t* l_theirs = other.data();
    for (uint32_t l_i = 0; l_i < m_size; ++l_i) {
        if (l_mine[l_i] != l_theirs[l_i]) return false;
    }
    return true;
}

void Position::assign(const int32_t* coordinates, size_t count) {
    reserve(count);
    std::copy_n(coordinates, count, data());
    m_size = uint32_t(count);
}

void Position::reserve(size_t capacity) {
    if (capacity <= m_capacity) return;
    std::unique_ptr<int32_t[]> l_heap(new int32_t[capacity]);
    std::copy_n(data(), m_size, l_heap.get());
    m_heap = std::move(l_heap);
    m_capacity = uint32_t(capacity);
}

Position offsetPosition(const Position& position, const Position& offset) {
    Position l_result(position);
    const size_t l_common = std::min(position.size(), offset.size());
    for (size_t l_i = 0; l_i < l_common; ++l_i) l_result[l_i] += offset[l_i];
    return l_result;
}

}  // namespace Maze
