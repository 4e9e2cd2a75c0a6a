#pragma once
#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace Maze {

// Owns many objects of one kind, made one at a time and all destroyed together. The objects sit
// side by side in a few large blocks, so a level's tens of thousands of cells cost a handful of
// allocations instead of one each, and walking them in the order they were made stays within
// neighbouring memory. Objects never move: pointers to them last as long as the pool.
template <typename T>
class ObjectPool {
public:
    ObjectPool() = default;
    ObjectPool(const ObjectPool&) = delete;
    ObjectPool& operator=(const ObjectPool&) = delete;
    ObjectPool(ObjectPool&& other) noexcept
        : m_blocks(std::move(other.m_blocks)), m_size(std::exchange(other.m_size, 0)) {}
    ObjectPool& operator=(ObjectPool&& other) noexcept {
        if (this != &other) {
            clear();
            m_blocks = std::move(other.m_blocks);
            m_size = std::exchange(other.m_size, 0);
        }
        return *this;
    }
    ~ObjectPool() { clear(); }

    template <typename... Args>
    T* create(Args&&... args) {
        if (m_blocks.empty() || m_blocks.back().used == m_blocks.back().capacity) addBlock();
        Block& block = m_blocks.back();
        T* object = ::new (static_cast<void*>(block.objects + block.used)) T(std::forward<Args>(args)...);
        ++block.used;
        ++m_size;
        return object;
    }

    size_t size() const { return m_size; }

    // Destroys every object, in the order they were made, and frees the blocks.
    void clear() {
        std::allocator<T> allocator;
        for (Block& block : m_blocks) {
            // Every object here is exactly a T, so its destructor is called directly, never
            // looked up as a virtual one.
            for (size_t i = 0; i < block.used; ++i) block.objects[i].T::~T();
            allocator.deallocate(block.objects, block.capacity);
        }
        m_blocks.clear();
        m_size = 0;
    }

private:
    static constexpr size_t kFirstBlock = 16;
    static constexpr size_t kLargestBlock = 4096;

    struct Block {
        T* objects;
        size_t capacity;
        size_t used;
    };

    // Blocks double up to a limit, so small mazes stay small and large ones need few blocks.
    void addBlock() {
        const size_t capacity = m_blocks.empty() ? kFirstBlock : std::min(2 * m_blocks.back().capacity, kLargestBlock);
        m_blocks.reserve(m_blocks.size() + 1);
        m_blocks.push_back({std::allocator<T>().allocate(capacity), capacity, 0});
    }

    std::vector<Block> m_blocks;
    size_t m_size = 0;
};

}  // namespace Maze
