#pragma once
#include <vector>

#include "engine/gfx/VertexFormats.h"

namespace Zelmo {

// The floor's grid as the window shows it: cell = (pixel - window / 2 + centre) x cellsPerPixel,
// pixels from the bottom-left corner; a line glows within lineWidth cells of each cell's edge.
struct FloorGrid {
    float centreX = 0.0f;
    float centreY = 0.0f;
    float cellsPerPixel = 0.0f;
    float lineWidth = 0.0f;
};

// Bands along the grid's lines, where a floor whose only light is its lines' needs drawing: over
// the window's unit square (x across, y down from the top), two triangles each, the upright
// lines' bands with u = 0 and the level lines' with u = 1. A pixel of both bands belongs to the
// upright line's when it lies at least split() cells from its cell's middle across, else to the
// level line's, so that each pixel of a line is drawn once; each band reaches half a pixel past
// the pixels it may have to take. Empty when the bands would meet across a cell (lines too wide for
// their cells), or the grid has no cells.
class FloorLines {
public:
    FloorLines(const FloorGrid& grid, int windowWidth, int windowHeight);

    float split() const { return 0.5f - m_reach; }
    const std::vector<PosTexCoordVertex>& bands() const { return m_bands; }

private:
    void addBand(float x0, float y0, float x1, float y1, float family);

    float m_reach = 0.0f;
    std::vector<PosTexCoordVertex> m_bands;
};

}  // namespace Zelmo
