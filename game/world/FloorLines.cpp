#include "game/world/FloorLines.h"

#include <cmath>

namespace Zelmo {

FloorLines::FloorLines(const FloorGrid& grid, int windowWidth, int windowHeight) {
    const float k = grid.cellsPerPixel;
    if (!(k > 0.0f) || windowWidth <= 0 || windowHeight <= 0) return;
    m_reach = grid.lineWidth;
    // Half a pixel more than the line, so that rounding never leaves a lit pixel out of its band.
    const float halfBand = m_reach / k + 0.5f;  // pixels
    if (2.0f * halfBand >= 1.0f / k) {
        m_bands.clear();
        return;
    }
    const float w = float(windowWidth), h = float(windowHeight);
    // Pixel x of the edge between cells n - 1 and n, and likewise y.
    const float originX = 0.5f * w - grid.centreX, originY = 0.5f * h - grid.centreY;
    const int firstColumn = int(std::floor((0.0f - halfBand - originX) * k));
    const int lastColumn = int(std::ceil((w + halfBand - originX) * k));
    for (int n = firstColumn; n <= lastColumn; ++n) {
        const float x = float(n) / k + originX;
        addBand((x - halfBand) / w, 0.0f, (x + halfBand) / w, 1.0f, 0.0f);
    }
    const int firstRow = int(std::floor((0.0f - halfBand - originY) * k));
    const int lastRow = int(std::ceil((h + halfBand - originY) * k));
    for (int n = firstRow; n <= lastRow; ++n) {
        const float y = float(n) / k + originY;  // from the bottom
        addBand(0.0f, 1.0f - (y + halfBand) / h, 1.0f, 1.0f - (y - halfBand) / h, 1.0f);
    }
}

void FloorLines::addBand(float x0, float y0, float x1, float y1, float family) {
    const PosTexCoordVertex a{x0, y0, 0.0f, family, 0.0f}, b{x1, y0, 0.0f, family, 0.0f};
    const PosTexCoordVertex c{x1, y1, 0.0f, family, 0.0f}, d{x0, y1, 0.0f, family, 0.0f};
    m_bands.insert(m_bands.end(), {a, b, c, a, c, d});
}

}  // namespace Zelmo
