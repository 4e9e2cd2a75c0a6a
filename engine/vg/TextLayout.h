#pragma once

#include <imgui.h>

#include <string_view>
#include <vector>

#include "engine/vg/Context.h"

namespace vg {

// Where the glyphs of a text go, from one font's metrics at one size and letter spacing. Line
// feeds and other control characters take no room; a tab takes the room of a blank. Positions
// are relative to the left edge of the line.
class TextLayout {
public:
    TextLayout(const ImFont& face, float size, float letterSpacing);

    struct Line {
        float width = 0;  // advance up to the end of the last glyph
        float minX = 0;   // extent of the glyphs' pictures
        float maxX = 0;
    };
    Line measure(std::string_view text) const;

    // Breaks at blanks, inside a word that alone is wider than breakWidth (each row keeps at
    // least one character) and at line feeds; at most maxRows rows.
    void breakRows(std::string_view text, float breakWidth, int maxRows, std::vector<TextRow>& rows) const;

    // Calls visit(codepoint, penX) for every glyph that has a picture.
    template <typename Visit>
    void forEachGlyph(std::string_view text, Visit visit) const {
        walk(text, [&visit](unsigned codepoint, const ImFontGlyph& glyph, float pen) {
            if (glyph.Visible) visit(codepoint, pen);
        });
    }

private:
    // Calls step(codepoint, glyph, penX) for every glyph that takes room, in order; returns the
    // pen position after the last one.
    template <typename Step>
    float walk(std::string_view text, Step step) const {
        float pen = 0;
        bool placed = false;
        for (size_t i = 0; i < text.size();) {
            unsigned codepoint = 0;
            i = decode(text, i, &codepoint);
            const ImFontGlyph* glyph = glyphOf(codepoint);
            if (glyph == nullptr) {
                continue;
            }
            if (placed) {
                pen += m_spacing;
            }
            step(codepoint, *glyph, pen);
            pen += glyph->AdvanceX * m_scale;
            placed = true;
        }
        return pen;
    }

    static size_t decode(std::string_view text, size_t at, unsigned* codepoint);
    // Null for characters that take no room.
    const ImFontGlyph* glyphOf(unsigned codepoint) const;

    const ImFont& m_face;
    float m_scale;
    float m_spacing;
};

}  // namespace vg
