#pragma once
#include <cstdint>
#include <vector>

#include "engine/ecs/Entity.h"
#include "engine/vector/ShapeGeometry.h"

namespace Zelmo {

// A uniform grid of entity boxes over a level, refilled every update: an entity is registered
// only where its box meets no box already registered, so the grid answers "who is in the way".
// A box is registered in every cell it covers, however large; points beyond the level are
// clamped to the border cells. Boxes overlap when they share a point (edges touching count).
class EntityGrid {
public:
    // A grid of 2^shift pixel cells covering width x height pixels (partial cells included),
    // with room for 4 x maxEntities cell registrations.
    void init(int width, int height, int shift, int maxEntities);
    // Empties every cell.
    void reset();

    // The first registered entity whose box overlaps the box, or an invalid handle.
    ecs::Entity findOverlap(const IntBox& box);
    // Registers the entity with the box unless the box overlaps a registered one, which is then
    // returned; otherwise an invalid handle. A grid without room for all the box's cells
    // registers nothing and also gives an invalid handle: the entity goes its way unseen
    // rather than colliding with nothing.
    ecs::Entity insert(const ecs::Entity& entity, const IntBox& box);
    // Unregisters the entity from the cells of the box, only when every one of them holds it.
    bool remove(const ecs::Entity& entity, const IntBox& box);
    // Whether the cell's list holds the entity.
    bool cellHolds(int cell, const ecs::Entity& entity) const;

    // The cell of a point, clamped into the grid.
    int cellOf(int x, int y) const;
    int cellSize() const { return 1 << m_shift; }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

private:
    struct Entry {
        ecs::Entity entity;
        IntBox box;
        int32_t next = 0;  // 0 ends a cell's list
    };

    // The cells a box covers into m_cells: the corner cells first, (x, y), (x, y + h),
    // (x + w, y + h), (x + w, y), then any between them.
    void coverCells(const IntBox& box);
    int32_t takeEntry();

    int m_shift = 0;
    int m_columns = 0;
    int m_rows = 0;
    // Entry 0 is never handed out.
    std::vector<Entry> m_entries;
    std::vector<int32_t> m_heads;
    std::vector<int32_t> m_freed;
    int32_t m_nextUnused = 1;
    std::vector<int> m_cells;
};

}  // namespace Zelmo
