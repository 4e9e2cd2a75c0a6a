#include "engine/vg/FontAtlas.h"

#include <stb_truetype.h>

#include "engine/gfx/FileRead.h"

namespace vg {

namespace {

// Dear ImGui asserts on data it cannot parse, so only files that stb_truetype accepts reach it.
bool isTrueType(const std::vector<uint8_t>& data) {
    constexpr size_t kOffsetTableSize = 12;
    if (data.size() < kOffsetTableSize) {
        return false;
    }
    int offset = stbtt_GetFontOffsetForIndex(data.data(), 0);
    stbtt_fontinfo info;
    return offset >= 0 && stbtt_InitFont(&info, data.data(), offset) != 0;
}

}  // namespace

FontAtlas::FontAtlas() {
    m_atlas.Flags |= ImFontAtlasFlags_NoBakedLines;
    // Glyphs are drawn shrunk as well as at size; a wider gap keeps filtering off the neighbours.
    m_atlas.TexGlyphPadding = 2;
    bake();
}

int FontAtlas::create(const std::string& name, const std::string& path) {
    int existing = find(name);
    if (existing >= 0) {
        return existing;
    }
    Font font;
    font.name = name;
    if (!gfx::readWholeFile(path, font.data) || !isTrueType(font.data)) {
        return -1;
    }
    m_fonts.push_back(std::move(font));
    if (!bake()) {
        m_fonts.pop_back();
        bake();
        return -1;
    }
    return int(m_fonts.size()) - 1;
}

int FontAtlas::find(const std::string& name) const {
    for (size_t i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].name == name) {
            return int(i);
        }
    }
    return -1;
}

const ImFont* FontAtlas::faceFor(int font, float pixelSize) const {
    if (!valid(font)) {
        return nullptr;
    }
    const auto& faces = m_fonts[size_t(font)].faces;
    for (size_t i = 0; i < BakedSizes.size(); ++i) {
        if (BakedSizes[i] >= pixelSize) {
            return faces[i];
        }
    }
    return faces.back();
}

const ImFont* FontAtlas::metricsFace(int font) const {
    return valid(font) ? m_fonts[size_t(font)].faces.back() : nullptr;
}

void FontAtlas::texture(const unsigned char** pixels, int* width, int* height) {
    unsigned char* data = nullptr;
    m_atlas.GetTexDataAsAlpha8(&data, width, height);
    *pixels = data;
}

bool FontAtlas::bake() {
    m_atlas.Clear();
    if (m_fonts.empty()) {
        // An atlas needs one font to exist; the built-in one gives shapes their white texel.
        m_atlas.AddFontDefault();
    }
    for (Font& font : m_fonts) {
        for (size_t i = 0; i < BakedSizes.size(); ++i) {
            ImFontConfig config;
            config.FontData = font.data.data();
            config.FontDataSize = int(font.data.size());
            config.FontDataOwnedByAtlas = false;
            config.SizePixels = BakedSizes[i];
            config.OversampleH = 1;
            config.OversampleV = 1;
            font.faces[i] = m_atlas.AddFont(&config);
        }
    }
    bool built = m_atlas.Build();
    m_version++;
    return built;
}

}  // namespace vg
