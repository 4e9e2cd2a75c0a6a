#include "engine/vg/TextLayout.h"

#include <imgui_internal.h>

#include <algorithm>

namespace vg {

namespace {

bool isBlank(unsigned codepoint) { return codepoint == ' ' || codepoint == '\t'; }

}  // namespace

TextLayout::TextLayout(const ImFont& face, float size, float letterSpacing)
    : m_face(face), m_scale(size / face.FontSize), m_spacing(letterSpacing) {}

size_t TextLayout::decode(std::string_view text, size_t at, unsigned* codepoint) {
    int bytes = ImTextCharFromUtf8(codepoint, text.data() + at, text.data() + text.size());
    return at + size_t(std::max(bytes, 1));
}

const ImFontGlyph* TextLayout::glyphOf(unsigned codepoint) const {
    if (codepoint == '\t') {
        codepoint = ' ';
    } else if (codepoint < 0x20 || codepoint == 0x7f) {
        return nullptr;
    }
    if (codepoint > IM_UNICODE_CODEPOINT_MAX) {
        return m_face.FallbackGlyph;
    }
    return m_face.FindGlyph(ImWchar(codepoint));
}

TextLayout::Line TextLayout::measure(std::string_view text) const {
    Line line;
    bool inked = false;
    line.width = walk(text, [&](unsigned, const ImFontGlyph& glyph, float pen) {
        if (!glyph.Visible) return;
        const float left = pen + glyph.X0 * m_scale;
        const float right = pen + glyph.X1 * m_scale;
        line.minX = inked ? std::min(line.minX, left) : left;
        line.maxX = inked ? std::max(line.maxX, right) : right;
        inked = true;
    });
    return line;
}

void TextLayout::breakRows(std::string_view text, float breakWidth, int maxRows, std::vector<TextRow>& rows) const {
    rows.clear();
    size_t pos = 0;
    while (pos < text.size() && int(rows.size()) < maxRows) {
        // `row` always describes the row up to its last non-blank character; `lastFit` is that
        // same description taken at the last blank after a word, where a soft break would go.
        TextRow row;
        row.start = row.end = pos;
        row.next = text.size();
        bool inked = false;
        bool haveBreak = false;
        TextRow lastFit;
        size_t wordStart = pos;
        bool inWord = false;
        float pen = 0;
        bool placed = false;
        for (size_t i = pos; i < text.size();) {
            unsigned codepoint = 0;
            size_t next = decode(text, i, &codepoint);
            if (codepoint == '\n') {
                row.next = next;
                break;
            }
            const ImFontGlyph* glyph = glyphOf(codepoint);
            if (glyph == nullptr) {
                i = next;
                continue;
            }
            float start = placed ? pen + m_spacing : pen;
            float right = start + glyph->AdvanceX * m_scale;
            if (isBlank(codepoint)) {
                if (inWord) {
                    lastFit = row;
                    haveBreak = true;
                    inWord = false;
                }
            } else {
                if (!inWord) {
                    wordStart = i;
                    inWord = true;
                }
                if (right > breakWidth && i > row.start) {
                    if (haveBreak) {
                        row = lastFit;
                        row.next = wordStart;
                    } else {
                        row.next = i;
                    }
                    break;
                }
                if (glyph->Visible) {
                    float left = start + glyph->X0 * m_scale;
                    float inkRight = start + glyph->X1 * m_scale;
                    row.minX = inked ? std::min(row.minX, left) : left;
                    row.maxX = inked ? std::max(row.maxX, inkRight) : inkRight;
                    inked = true;
                }
                row.end = next;
                row.width = right;
            }
            pen = right;
            placed = true;
            i = next;
        }
        rows.push_back(row);
        pos = row.next;
    }
}

}  // namespace vg
