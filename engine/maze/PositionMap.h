#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/maze/Node.h"
#include "engine/maze/Position.h"

namespace Maze {

// Coordinates XORed in with shifts 0, 8, 0, 8 ...: x ^ (y << 8) in two dimensions.
struct PositionHash {
    size_t operator()(const Position& position) const {
        size_t l_hash = 0;
        unsigned l_shift = 0;
        for (int32_t l_c : position) {
            l_hash ^= size_t(uint32_t(l_c)) << l_shift;
            l_shift = (l_shift - 8) & 15;
        }
        return l_hash;
    }
};

// An index from a cell position to one object of the level (a maze node, a corridor node).
//
// A level indexes every one of its cells several times over, so the map is flat: the entries sit
// in one array in the order they were added (which is also the order of iteration), and an
// open-addressed table of entry numbers finds them. Entries are never removed one by one.
// Adding an entry may move the others: iterators and references last until the next insertion.
template <typename T>
class PositionMap {
public:
    using value_type = std::pair<const Position, T*>;
    using iterator = value_type*;
    using const_iterator = const value_type*;

    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    iterator begin() { return m_entries.data(); }
    iterator end() { return m_entries.data() + m_entries.size(); }
    const_iterator begin() const { return m_entries.data(); }
    const_iterator end() const { return m_entries.data() + m_entries.size(); }

    iterator find(const Position& position) { return begin() + locate(position); }
    const_iterator find(const Position& position) const { return begin() + locate(position); }

    // The entry of position, added with value when missing; true when it was added now.
    std::pair<iterator, bool> try_emplace(const Position& position, T* value) {
        const size_t l_hash = PositionHash()(position);
        size_t l_slot = 0;
        if (!m_slots.empty()) {
            l_slot = slotOf(position, l_hash);
            if (m_slots[l_slot].entry != 0) return {begin() + (m_slots[l_slot].entry - 1), false};
        }
        if (2 * (m_entries.size() + 1) > m_slots.size()) {
            growTable(m_entries.size() + 1);
            l_slot = slotOf(position, l_hash);
        }
        m_slots[l_slot] = {uint32_t(m_entries.size() + 1), uint32_t(l_hash)};
        m_entries.emplace_back(position, value);
        return {end() - 1, true};
    }
    T*& operator[](const Position& position) { return try_emplace(position, nullptr).first->second; }

    // Where a lookup of position first reads (null for an empty map), for asking for that memory
    // ahead of the lookup: in a large map every lookup lands somewhere random, and a few asked
    // for together wait on memory together. The caller asks itself: the compiler drops a
    // prefetch hidden in a function it has not inlined, taking the function to do nothing.
    const void* firstReadOf(const Position& position) const {
        return m_slots.empty() ? nullptr : &m_slots[firstSlot(PositionHash()(position))];
    }

    // Room for count entries without growing.
    void reserve(size_t count) {
        m_entries.reserve(count);
        if (2 * count > m_slots.size()) growTable(count);
    }
    // Empties the map and gives its memory back.
    void clear() {
        std::vector<value_type>().swap(m_entries);
        std::vector<Slot>().swap(m_slots);
    }

private:
    // An entry number and the low half of its position's hash: a probe looks at an entry's
    // position, which lies elsewhere in memory, only when the hashes agree.
    struct Slot {
        uint32_t entry;  // entry number + 1; 0 marks a free slot
        uint32_t hash;
    };

    // Positions hash to small neighbouring numbers; Fibonacci hashing spreads them over the
    // whole table so that runs of neighbouring cells do not pile up into long probe sequences.
    size_t firstSlot(size_t hash) const { return size_t((uint64_t(hash) * 0x9E3779B97F4A7C15ull) >> m_shift); }

    // The slot that holds position, or else the free slot where it would go. The table is never
    // more than half full, so the walk always ends.
    size_t slotOf(const Position& position, size_t hash) const {
        const size_t l_mask = m_slots.size() - 1;
        for (size_t l_slot = firstSlot(hash);; l_slot = (l_slot + 1) & l_mask) {
            const Slot& l_candidate = m_slots[l_slot];
            if (l_candidate.entry == 0) return l_slot;
            if (l_candidate.hash == uint32_t(hash) && m_entries[l_candidate.entry - 1].first == position) return l_slot;
        }
    }

    // The entry number of position, or size() when it is missing.
    size_t locate(const Position& position) const {
        if (m_slots.empty()) return m_entries.size();
        const uint32_t l_entry = m_slots[slotOf(position, PositionHash()(position))].entry;
        return l_entry != 0 ? l_entry - 1 : m_entries.size();
    }

    // A table with room for count entries at most half full, holding the present ones.
    void growTable(size_t count) {
        size_t l_slots = 8;
        unsigned l_bits = 3;
        while (l_slots < 2 * count) {
            l_slots *= 2;
            ++l_bits;
        }
        m_slots.assign(l_slots, Slot{0, 0});
        m_shift = 64 - l_bits;
        for (size_t l_i = 0; l_i < m_entries.size(); ++l_i) {
            const size_t l_hash = PositionHash()(m_entries[l_i].first);
            m_slots[slotOf(m_entries[l_i].first, l_hash)] = {uint32_t(l_i + 1), uint32_t(l_hash)};
        }
    }

    std::vector<value_type> m_entries;
    std::vector<Slot> m_slots;
    unsigned m_shift = 64;  // 64 minus the table's size in bits
};

// Refills map with every node of the maze under its position.
void buildPositionMap(Node* startNode, PositionMap<Node>& map);

}  // namespace Maze
