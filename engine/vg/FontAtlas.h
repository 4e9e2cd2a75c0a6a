#pragma once

#include <imgui.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vg {

// TrueType fonts by name, rasterised by Dear ImGui into one single-channel texture at a few
// sizes; text of any size is drawn from the nearest baked size at or above it and measured on the
// largest, so layout does not depend on which size draws it.
class FontAtlas {
public:
    static constexpr std::array<float, 4> BakedSizes = {18.0f, 27.0f, 40.0f, 60.0f};

    FontAtlas();
    FontAtlas(const FontAtlas&) = delete;
    FontAtlas& operator=(const FontAtlas&) = delete;

    // The font's id, or -1 when the file cannot be read or holds no TrueType font. A name
    // already loaded returns its id.
    int create(const std::string& name, const std::string& path);
    int find(const std::string& name) const;
    bool valid(int font) const { return font >= 0 && size_t(font) < m_fonts.size(); }

    // The baked face that draws text pixelSize pixels tall; null for an invalid font.
    const ImFont* faceFor(int font, float pixelSize) const;
    // The face all measurements come from; null for an invalid font.
    const ImFont* metricsFace(int font) const;

    // Changes whenever the texture is baked anew.
    uint32_t version() const { return m_version; }
    // One byte of coverage per texel, rows from the top.
    void texture(const unsigned char** pixels, int* width, int* height);
    // A texel of full coverage, which untextured shapes sample.
    ImVec2 whitePixelUv() const { return m_atlas.TexUvWhitePixel; }

private:
    struct Font {
        std::string name;
        std::vector<uint8_t> data;  // the atlas reads it at every bake
        std::array<ImFont*, BakedSizes.size()> faces{};
    };

    bool bake();

    std::vector<Font> m_fonts;
    ImFontAtlas m_atlas;
    uint32_t m_version = 0;
};

}  // namespace vg
