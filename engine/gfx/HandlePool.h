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
        if (!m_free.empty()) {
            uint16_t idx = m_free.back();
            m_free.pop_back();
            m_alive[idx] = true;
            return idx;
        }
        if (m_alive.size() >= Capacity) {
            return 0xffff;
        }
        m_alive.push_back(true);
        return static_cast<uint16_t>(m_alive.size() - 1);
    }

    // The index reads dead at once but is handed out again only after recycle(), so a frame
    // still holding it never sees it reused.
    void release(uint16_t idx) {
        m_alive[idx] = false;
        m_released.push_back(idx);
    }

    void recycle() {
        m_free.insert(m_free.end(), m_released.begin(), m_released.end());
        m_released.clear();
    }

    bool alive(uint16_t idx) const { return idx < m_alive.size() && m_alive[idx]; }

    void clear() {
        m_alive.clear();
        m_free.clear();
        m_released.clear();
    }

private:
    std::vector<bool> m_alive;
    std::vector<uint16_t> m_free;
    std::vector<uint16_t> m_released;
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
