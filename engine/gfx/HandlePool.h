#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

// Reuses released indices before growing, so handles stay small and dense.
class HandlePool {
public:
    static constexpr uint16_t Capacity = 4096;

    // 0xffff when the pool is full.
    uint16_t alloc() {
        if (!free_.empty()) {
            uint16_t idx = free_.back();
            free_.pop_back();
            alive_[idx] = true;
            return idx;
        }
        if (alive_.size() >= Capacity) {
            return 0xffff;
        }
        alive_.push_back(true);
        return static_cast<uint16_t>(alive_.size() - 1);
    }

    // The index reads dead at once but is handed out again only after recycle(), so a frame
    // still holding it never sees it reused.
    void release(uint16_t idx) {
        alive_[idx] = false;
        released_.push_back(idx);
    }

    void recycle() {
        free_.insert(free_.end(), released_.begin(), released_.end());
        released_.clear();
    }

    bool alive(uint16_t idx) const { return idx < alive_.size() && alive_[idx]; }

    void clear() {
        alive_.clear();
        free_.clear();
        released_.clear();
    }

private:
    std::vector<bool> alive_;
    std::vector<uint16_t> free_;
    std::vector<uint16_t> released_;
};

// The entry of a table kept in step with a pool, grown to reach idx.
template <typename T>
T& slotFor(std::vector<T>& table, uint16_t idx) {
    if (table.size() <= idx) {
        table.resize(idx + 1u);
    }
    return table[idx];
}

}  // namespace gfx
