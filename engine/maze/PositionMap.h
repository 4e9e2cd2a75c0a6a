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
        size_t hash = 0;
        unsigned shift = 0;
        for (int32_t c : position) {
            hash ^= size_t(uint32_t(c)) << shift;
            shift = (shift - 8) & 15;
        }
        return hash;
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
        const size_t hash = PositionHash()(position);
        size_t slot = 0;
        if (!m_slots.empty()) {
            slot = slotOf(position, hash);
            if (m_slots[slot].entry != 0) return {begin() + (m_slots[slot].entry - 1), false};
        }
        if (2 * (m_entries.size() + 1) > m_slots.size()) {
            growTable(m_entries.size() + 1);
            slot = slotOf(position, hash);
        }
        m_slots[slot] = {uint32_t(m_entries.size() + 1), uint32_t(hash)};
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
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = firstSlot(hash);; slot = (slot + 1) & mask) {
            const Slot& candidate = m_slots[slot];
            if (candidate.entry == 0) return slot;
            if (candidate.hash == uint32_t(hash) && m_entries[candidate.entry - 1].first == position) return slot;
        }
    }

    // The entry number of position, or size() when it is missing.
    size_t locate(const Position& position) const {
        if (m_slots.empty()) return m_entries.size();
        const uint32_t entry = m_slots[slotOf(position, PositionHash()(position))].entry;
        return entry != 0 ? entry - 1 : m_entries.size();
    }

    // A table with room for count entries at most half full, holding the present ones.
    void growTable(size_t count) {
        size_t slots = 8;
        unsigned bits = 3;
        while (slots < 2 * count) {
            slots *= 2;
            ++bits;
        }
        m_slots.assign(slots, Slot{0, 0});
        m_shift = 64 - bits;
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const size_t hash = PositionHash()(m_entries[i].first);
            m_slots[slotOf(m_entries[i].first, hash)] = {uint32_t(i + 1), uint32_t(hash)};
        }
    }

    std::vector<value_type> m_entries;
    std::vector<Slot> m_slots;
    unsigned m_shift = 64;  // 64 minus the table's size in bits
};

// Refills map with every node of the maze under its position.
void buildPositionMap(Node* startNode, PositionMap<Node>& map);

}  // namespace Maze
