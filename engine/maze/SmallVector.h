#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <type_traits>

namespace Maze {

// A vector that keeps up to N elements inside the object and goes to the heap only beyond that.
// Maze cells hold a few coordinates, exits and corridor links each; one heap block per cell made
// building a large level mostly a matter of allocating and chasing those blocks. Only for
// trivially copyable elements, so that elements are copied as plain bytes and never destroyed.
template <typename T, uint32_t N>
class SmallVector {
    static_assert(std::is_trivially_copyable_v<T>, "SmallVector copies its elements as bytes");
    static_assert(N > 0, "SmallVector needs room for at least one element inside");

public:
    using value_type = T;
    using size_type = size_t;
    using iterator = T*;
    using const_iterator = const T*;

    SmallVector() = default;
    SmallVector(std::initializer_list<T> elements) { assign(elements.begin(), elements.size()); }
    SmallVector(const SmallVector& other) { copyFrom(other); }
    SmallVector(SmallVector&& other) noexcept { take(other); }
    SmallVector& operator=(const SmallVector& other) {
        if (this != &other) copyFrom(other);
        return *this;
    }
    SmallVector& operator=(SmallVector&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~SmallVector() { release(); }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    size_t capacity() const { return m_capacity; }

    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T& operator[](size_t i) { return m_data[i]; }
    const T& operator[](size_t i) const { return m_data[i]; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }

    void push_back(const T& element) {
        if (m_size == m_capacity) reserve(size_t(m_capacity) * 2);
        ::new (static_cast<void*>(m_data + m_size)) T(element);
        ++m_size;
    }
    // count elements, each a copy of element.
    void assign(size_t count, const T& element) {
        m_size = 0;
        reserve(count);
        std::uninitialized_fill_n(m_data, count, element);
        m_size = uint32_t(count);
    }
    void assign(const T* elements, size_t count) {
        m_size = 0;
        reserve(count);
        std::uninitialized_copy_n(elements, count, m_data);
        m_size = uint32_t(count);
    }
    void reserve(size_t capacity) {
        if (capacity <= m_capacity) return;
        T* heap = static_cast<T*>(::operator new(capacity * sizeof(T)));
        std::uninitialized_copy_n(m_data, m_size, heap);
        release();
        m_data = heap;
        m_capacity = uint32_t(capacity);
    }
    void clear() { m_size = 0; }

private:
    bool onHeap() const { return m_data != inlineData(); }
    T* inlineData() { return reinterpret_cast<T*>(m_inline); }
    const T* inlineData() const { return reinterpret_cast<const T*>(m_inline); }

    // Every small vector has room for N elements wherever its elements live, so a short one is
    // copied as one block of fixed size: a few moves instead of a call to the library's copy.
    void copyFrom(const SmallVector& other) {
        if (other.m_size > N) {
            copyLong(other);
            return;
        }
        std::memcpy(static_cast<void*>(m_data), other.m_data, N * sizeof(T));
        m_size = other.m_size;
    }
    // Out of line: rare, and inlined into a copy of a known short vector it draws a false
    // warning about reading past the elements kept inside.
    [[gnu::noinline]] void copyLong(const SmallVector& other) { assign(other.m_data, other.m_size); }

    void release() {
        if (onHeap()) ::operator delete(m_data);
        m_data = inlineData();
        m_capacity = N;
    }
    // Leaves other empty; a heap block changes hands, inline elements are copied.
    void take(SmallVector& other) {
        if (other.onHeap()) {
            m_data = other.m_data;
            m_capacity = other.m_capacity;
        } else {
            std::uninitialized_copy_n(other.m_data, other.m_size, m_data);
        }
        m_size = other.m_size;
        other.m_data = other.inlineData();
        other.m_size = 0;
        other.m_capacity = N;
    }

    T* m_data = inlineData();
    uint32_t m_size = 0;
    uint32_t m_capacity = N;
    alignas(T) unsigned char m_inline[N * sizeof(T)];
};

}  // namespace Maze
