// Writing with the built-in simplex stroke font.
#include <algorithm>
#include <cstring>

#include "engine/vector/SimplexFont.h"
#include "engine/vector/VectorDisplay.h"

namespace {

// Font units to display units at a text size.
float glyphScale(float size) { return size * 0.33f; }

float glyphHeight(const Simplex::Glyph& glyph) {
    float height = 0.0f;
    for (int i = 0; i < glyph.count; ++i) {
        if (glyph.vertices[2 * i] != Simplex::kPenUp || glyph.vertices[2 * i + 1] != Simplex::kPenUp) {
            height = std::max(height, float(glyph.vertices[2 * i + 1]));
        }
    }
    return height;
}

// One line as drawn: a run of the text, its size, and whether a line feed (rather than the
// width running out) ended it.
struct LayoutLine {
    size_t begin;
    size_t end;
    float width;
    float height;
    bool endedByLineFeed;
};

// Breaks the text at line feeds and wherever the next glyph would pass the width; a line always
// takes at least one glyph, so a glyph wider than the width still gets drawn.
std::vector<LayoutLine> layout(const char* text, float width, float scale) {
    std::vector<LayoutLine> lines;
    LayoutLine line{0, 0, 0.0f, 0.0f, false};
    bool hasGlyph = false;
    size_t i = 0;
    for (; text[i] != '\0'; ++i) {
        if (text[i] == '\n') {
            line.end = i;
            line.endedByLineFeed = true;
            lines.push_back(line);
            line = LayoutLine{i + 1, i + 1, 0.0f, 0.0f, false};
            hasGlyph = false;
            continue;
        }
        const Simplex::Glyph* glyph = Simplex::glyph(text[i]);
        if (glyph == nullptr) {
            continue;
        }
        const float advance = glyph->advance * scale;
        if (hasGlyph && line.width + advance > width) {
            line.end = i;
            lines.push_back(line);
            line = LayoutLine{i, i, 0.0f, 0.0f, false};
        }
        line.width += advance;
        line.height = std::max(line.height, glyphHeight(*glyph) * scale);
        hasGlyph = true;
    }
    line.end = i;
    lines.push_back(line);
    return lines;
}

}  // namespace

void VectorDisplay::measureSimplexText(float size, const char* text, TextLines& lines) const {
    const float scale = glyphScale(size);
    lines.assign(1, {0.0f, 0.0f});
    if (text == nullptr) {
        return;
    }
    // The dash sits mid-height; measured on its own it would give a line too low to place.
    if (std::strcmp(text, "-") == 0) {
        lines[0].second = 19.0f * scale;
    }
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            lines.emplace_back(0.0f, 0.0f);
            continue;
        }
        const Simplex::Glyph* glyph = Simplex::glyph(*c);
        if (glyph == nullptr) {
            continue;
        }
        lines.back().first += glyph->advance * scale;
        lines.back().second = std::max(lines.back().second, glyphHeight(*glyph) * scale);
    }
}

void VectorDisplay::drawSimplexText(float x, float y, float width, float size, const char* text, bool centre,
                                    bool flip) {
    if (text == nullptr) {
        return;
    }
    const float scale = glyphScale(size);
    TextLines measured;
    measureSimplexText(size, text, measured);
    const float firstHeight = measured[0].second;
    const size_t lineCount = measured.size();
    float baseline = y + firstHeight;
    if (lineCount == 1) {
        baseline = y + 1.5f * firstHeight;
    } else if (lineCount >= 5) {
        baseline = y - float(lineCount - 3) * firstHeight / 2.0f;
    }

    for (const LayoutLine& line : layout(text, width, scale)) {
        float pen = x;
        if (centre && width > line.width) {
            pen = x + (width - line.width) / 2.0f;
        }
        for (size_t i = line.begin; i < line.end; ++i) {
            const Simplex::Glyph* glyph = Simplex::glyph(text[i]);
            if (glyph == nullptr) {
                continue;
            }
            bool drawing = false;
            for (int v = 0; v < glyph->count; ++v) {
                const int8_t vx = glyph->vertices[2 * v];
                const int8_t vy = glyph->vertices[2 * v + 1];
                if (vx == Simplex::kPenUp && vy == Simplex::kPenUp) {
                    if (drawing) {
                        endDraw();
                    }
                    drawing = false;
                    continue;
                }
                const float px = pen + vx * scale;
                const float py = baseline - vy * scale;
                if (drawing) {
                    drawTo(px, py);
                } else {
                    beginDraw(px, py, flip);
                    drawing = true;
                }
            }
            if (drawing) {
                endDraw();
            }
            pen += glyph->advance * scale;
        }
        baseline += (line.endedByLineFeed ? 6.0f : 4.0f) * scale + line.height;
    }
}
