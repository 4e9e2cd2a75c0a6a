#include "game/world/TextLayout.h"

#include <algorithm>

#include "engine/vector/GameVectors.h"

namespace Zelmo {

IntBox textLayoutBounds(const VectorComp& style, const std::string& text, float scaleX, float scaleY) {
    const GameVectors& library = GameVectors::instance();
    const GameVectors::FontMetrics& metrics = library.fontMetrics();
    const float sx = scaleX * style.scale;
    const float lineHeight = float(metrics.lineStep) * scaleY * style.scale;
    int x = style.screenX;
    int y = style.screenY;
    const int top = int(double(y) + double(lineHeight) * 0.5);
    int minX = x;
    int maxX = x;
    bool lineStart = true;
    for (char c : text) {
        if (const GameVectors::Glyph* glyph = library.glyph(c)) {
            const float halfWidth = glyph->w * 0.5f * sx;
            if (lineStart) {
                minX = std::min(minX, x - int(halfWidth));
                lineStart = false;
            } else {
                x = int(float(x) + halfWidth);
            }
            x = int(float(int(float(x) + halfWidth)) + float(metrics.spacing) * sx);
            maxX = std::max(maxX, x);
        } else if (c == '\n') {
            lineStart = true;
            x = style.screenX;
            y = int(float(y) - lineHeight);
        } else {
            x = int(float(x) + float(metrics.spacing + metrics.glyphSize) * sx);
        }
    }
    const int bottom = lineStart ? y : int(float(y) - lineHeight);
    const int h = int(float(top - bottom) - lineHeight * 0.5f);
    return {minX, top - h, int(float(maxX) - float(metrics.spacing) * sx) - minX, h};
}

}  // namespace Zelmo
