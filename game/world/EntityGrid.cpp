#include "game/world/EntityGrid.h"

#include <algorithm>

namespace Zelmo {
namespace {

bool overlaps(const IntBox& q, const IntBox& e) {
    return q.x <= e.x + e.w && q.x + q.w >= e.x && q.y <= e.y + e.h && q.y + q.h >= e.y;
}

int cellsFor(int pixels, int shift) {
    const int size = 1 << shift;
    return std::max(1, (pixels + size - 1) >> shift);
}

}  // namespace

void EntityGrid::init(int width, int height, int shift, int maxEntities) {
    m_shift = std::clamp(shift, 0, 30);
    m_columns = cellsFor(std::max(width, 1), m_shift);
    m_rows = cellsFor(std::max(height, 1), m_shift);
    m_entries.assign(size_t(std::max(maxEntities, 0)) * 4 + 1, Entry{});
    m_heads.assign(size_t(m_columns) * size_t(m_rows), 0);
    m_freed.clear();
    m_freed.reserve(m_entries.size());
    m_cells.reserve(16);
    m_nextUnused = 1;
}

void EntityGrid::reset() {
    std::fill(m_heads.begin(), m_heads.end(), 0);
    m_freed.clear();
    m_nextUnused = 1;
}

int EntityGrid::cellOf(int x, int y) const {
    const int column = std::clamp(x >> m_shift, 0, m_columns - 1);
    const int row = std::clamp(y >> m_shift, 0, m_rows - 1);
    return row * m_columns + column;
}

void EntityGrid::coverCells(const IntBox& box) {
    m_cells.clear();
    auto add = [this](int cell) {
        if (std::find(m_cells.begin(), m_cells.end(), cell) == m_cells.end()) m_cells.push_back(cell);
    };
    add(cellOf(box.x, box.y));
    add(cellOf(box.x, box.y + box.h));
    add(cellOf(box.x + box.w, box.y + box.h));
    add(cellOf(box.x + box.w, box.y));
    const int first = cellOf(box.x, box.y), last = cellOf(box.x + box.w, box.y + box.h);
    const int firstColumn = first % m_columns, lastColumn = last % m_columns;
    if (lastColumn - firstColumn < 2 && last / m_columns - first / m_columns < 2) return;
    for (int row = first / m_columns; row <= last / m_columns; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) add(row * m_columns + column);
    }
}

ecs::Entity EntityGrid::findOverlap(const IntBox& box) {
    if (m_heads.empty()) return {};
    coverCells(box);
    for (int cell : m_cells) {
        for (int32_t i = m_heads[size_t(cell)]; i != 0; i = m_entries[size_t(i)].next) {
            if (overlaps(box, m_entries[size_t(i)].box)) return m_entries[size_t(i)].entity;
        }
    }
    return {};
}

int32_t EntityGrid::takeEntry() {
    if (!m_freed.empty()) {
        const int32_t index = m_freed.back();
        m_freed.pop_back();
        return index;
    }
    return m_nextUnused++;
}

ecs::Entity EntityGrid::insert(const ecs::Entity& entity, const IntBox& box) {
    const ecs::Entity other = findOverlap(box);
    if (other.isValid() || m_heads.empty()) return other;
    const size_t room = m_freed.size() + (m_entries.size() - size_t(m_nextUnused));
    if (m_cells.size() > room) return {};
    for (int cell : m_cells) {
        const int32_t index = takeEntry();
        m_entries[size_t(index)] = Entry{entity, box, m_heads[size_t(cell)]};
        m_heads[size_t(cell)] = index;
    }
    return {};
}

bool EntityGrid::cellHolds(int cell, const ecs::Entity& entity) const {
    if (cell < 0 || size_t(cell) >= m_heads.size()) return false;
    for (int32_t i = m_heads[size_t(cell)]; i != 0; i = m_entries[size_t(i)].next) {
        if (m_entries[size_t(i)].entity == entity) return true;
    }
    return false;
}

bool EntityGrid::remove(const ecs::Entity& entity, const IntBox& box) {
    if (m_heads.empty()) return false;
    coverCells(box);
    for (int cell : m_cells) {
        if (!cellHolds(cell, entity)) return false;
    }
    for (int cell : m_cells) {
        int32_t* link = &m_heads[size_t(cell)];
        while (*link != 0) {
            Entry& entry = m_entries[size_t(*link)];
            if (entry.entity == entity) {
                m_freed.push_back(*link);
                *link = entry.next;
            } else {
                link = &entry.next;
            }
        }
    }
    return true;
}

}  // namespace Zelmo
