#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>

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
    Position(std::initializer_list<int32_t> coordinates);
    // dimensions coordinates, all 0.
    explicit Position(size_t dimensions);

    Position(const Position& other);
    Position(Position&& other) noexcept;
    Position& operator=(const Position& other);
    Position& operator=(Position&& other) noexcept;
    ~Position() = default;

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }

    int32_t& operator[](size_t i) { return data()[i]; }
    int32_t operator[](size_t i) const { return data()[i]; }

    int32_t* begin() { return data(); }
    int32_t* end() { return data() + m_size; }
    const int32_t* begin() const { return data(); }
    const int32_t* end() const { return data() + m_size; }

    void push_back(int32_t coordinate);

    // Equal when both have the same number of coordinates and every coordinate matches.
    bool operator==(const Position& other) const;
    bool operator!=(const Position& other) const { return !(*this == other); }

private:
    static constexpr uint32_t kInlineCapacity = 4;

    int32_t* data() { return m_heap ? m_heap.get() : m_inline.data(); }
    const int32_t* data() const { return m_heap ? m_heap.get() : m_inline.data(); }
    void assign(const int32_t* coordinates, size_t count);
    void reserve(size_t capacity);

    std::array<int32_t, kInlineCapacity> m_inline{};
    std::unique_ptr<int32_t[]> m_heap;
    uint32_t m_size = 0;
    uint32_t m_capacity = kInlineCapacity;
};

// Coordinate-wise sum, as long as position; missing offset entries count as 0, extra ones are
// ignored.
Position offsetPosition(const Position& position, const Position& offset);

}  // namespace Maze
